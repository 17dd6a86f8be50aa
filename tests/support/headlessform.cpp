#include "headlessform.h"

#include "editor/lineeditor.h"
#include "form/sidefiles.h"
#include "form/textfile.h"
#include "texttab/ttexttab.h"

#include <QAbstractButton>
#include <QCoreApplication>

QStringList CapturingMessageBoxes::texts() const
{
    QStringList t;
    for (const auto &s : shown)
        t << s.text;
    return t;
}

void TestPump::processPendingMessages()
{
    ++calls;
    if (onCall)
        onCall(calls);
    QCoreApplication::processEvents();
}

void TestPump::processNow()
{
    QCoreApplication::processEvents();
}

HeadlessForm::HeadlessForm()
{
    SideFiles::setFolderOverride(m_dir.path());
    rot.registerRunning(ProgId, drawing);
}

HeadlessForm::~HeadlessForm()
{
    m_form.reset();
    SideFiles::setFolderOverride(QString());
}

void HeadlessForm::writeSideFile(const QString &name, const QStringList &lines)
{
    TextFile::writeLines(m_dir.filePath(name), lines);
}

QString HeadlessForm::sideFile(const QString &name) const
{
    return m_dir.filePath(name);
}

void HeadlessForm::start()
{
    m_form = std::make_unique<TMorvMainForm>(MainFormServices{
        rot, windows, messages, pump, [this](const QString &path) { openedFiles << path; },
        [this] { return std::make_shared<RecordingMessageFilter>(messageFilterLog); }});
    m_form->show();
    QCoreApplication::processEvents();
}

void HeadlessForm::close()
{
    m_form->close();
    m_form.reset();
}

TTextTab &HeadlessForm::textTab()
{
    return *m_form->TabSheet1;
}

QStringList HeadlessForm::editorLines()
{
    return textTab().SynEdit1->lines();
}

void HeadlessForm::setEditorLines(const QStringList &lines)
{
    textTab().SynEdit1->setLines(lines);
}

void HeadlessForm::click(QAbstractButton *button)
{
    button->click();
}
