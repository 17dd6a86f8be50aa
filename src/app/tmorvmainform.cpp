#include "tmorvmainform.h"

#include "cadlistfile.h"
#include "form/sidefilenotice.h"
#include "form/sidefiles.h"
#include "topmosthandover.h"
#include "ttargetcadform.h"

#include "attrtab/tattrtab.h"
#include "editor/lineeditor.h"
#include "grid/tundocells.h"
#include "searchtab/tsearchtab.h"
#include "texttab/textlines.h"
#include "texttab/ttexttab.h"
#include "transform/dialogs/tmorvkasanform.h"
#include "transform/dialogs/tmorvrenbanform.h"
#include "transform/dialogs/tmorvtikanform.h"

#include "cad/connection.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

const QColor AttributeLinesColour(255, 255, 0);
const QColor NewTextLinesColour(221, 255, 253);
constexpr char BuildDate[] = "2024.12.26";

QLabel *makePanel(QStatusBar *bar, int width)
{
    auto *panel = new QLabel(bar);
    panel->setFixedWidth(width);
    bar->addWidget(panel);
    return panel;
}

} // namespace

TMorvMainForm::TMorvMainForm(MainFormServices services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(std::move(services))
{
    setWindowTitle(QStringLiteral("MorvEdit"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    setFont(font);

    PageControl1 = new QTabWidget(this);
    TabSheet1 = new TTextTab(*this);
    TabSheet2 = new TAttrTab(*this);
    TEST = new TSearchTab(*this);
    PageControl1->addTab(TabSheet1, QStringLiteral("TEXT, 属性編集"));
    PageControl1->addTab(TabSheet2, QStringLiteral(" 属性編集"));
    PageControl1->addTab(TEST, QStringLiteral("TEXT 検索・編集"));
    setCentralWidget(PageControl1);

    auto *bar = new QStatusBar(this);
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(true);
    setStatusBar(bar);
    StatusPanel0 = makePanel(bar, 150);
    StatusPanel1 = makePanel(bar, 100);

    resize(ClientWidth, ClientHeight);

    // The dialogs live as long as the program and keep their fields.
    TargetCADForm = new TTargetCADForm(this);
    TargetCADForm->setMessages(&messages());
    MorvTikanFormPtr = new TMorvTikanForm(this);
    MorvKasanFormPtr = new TMorvKasanForm(this);
    MorvRenbanFormPtr = new TMorvRenbanForm(this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &TMorvMainForm::Timer1Timer);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TMorvMainForm::PageControl1Change);
    connect(TabSheet1, &TTextTab::targetCadRequested, this, &TMorvMainForm::SpeedButton7Click);
    connect(TabSheet1, &TTextTab::tagListEditRequested, this, &TMorvMainForm::N39Click);
    connect(TabSheet1, &TTextTab::tagListReloadRequested, this, &TMorvMainForm::N40Click);
    connect(TabSheet1, &TTextTab::versionRequested, this, &TMorvMainForm::N25Click);
    connect(TabSheet1, &TTextTab::tagListDialogRequested, TabSheet2, &TAttrTab::SpeedButton9Click);

    FormCreate();
    Timer1->start();
}

TMorvMainForm::~TMorvMainForm()
{
    FormDestroy();
}

void TMorvMainForm::FormCreate()
{
    TargetProgID = QStringLiteral("BricscadApp.AcadApplication");
    m_state.startCol = -1;
    m_state.startRow = -1;
    TabSheet1->Edit1->clear();
    TabSheet1->Edit2->clear();
    TabSheet1->Label1->clear();
    TabSheet1->Label2->clear();
    PageControl1->setCurrentIndex(0);
    TabSheet1->SynEdit1->clear();

    // A file that cannot be read is told once here; the tool goes on with
    // what it could read and the defaults for the rest.
    TextFile::ReadResult settingsFile;
    m_settings = SettingsFile::read(SideFiles::settingsPath(), &settingsFile);
    SideFileNotice::tellAboutRead(messages(), SideFiles::settingsPath(), settingsFile);
    applyWindowPosition();
    TargetProgID = m_settings.progId;
    TabSheet1->CheckBox1->setChecked(m_settings.sort);
    TabSheet1->CheckBox9->setChecked(m_settings.zoomCenter2);

    const TextFile::ReadResult cadList = CadListFile::read(SideFiles::cadListPath());
    SideFileNotice::tellAboutRead(messages(), SideFiles::cadListPath(), cadList);
    if (const auto name = CadListFile::cadNameForProgId(cadList.lines, TargetProgID))
        setWindowTitle(CadListFile::captionWithCadName(applicationTitle(), *name));

    m_tagListFile = std::make_unique<TagListFile>(SideFiles::tagListPath());
    const TextFile::ReadResult tagList = m_tagListFile->readAll();
    SideFileNotice::tellAboutRead(messages(), m_tagListFile->path(), tagList);
    if (tagList.isRead())
        TabSheet1->setTagItems(tagList.lines);
    QComboBox *tags = TabSheet1->ComboBox1;
    tags->setCurrentIndex(m_settings.attTagIndex1 < tags->count() ? m_settings.attTagIndex1 : 0);

    // The tag sets and their choice, the check boxes.
    TabSheet2->applySettings(
        {m_settings.attTagIndex2, m_settings.cursor, m_settings.zoomCenter, m_settings.attEnter});
    TEST->applySettings({m_settings.sentou, m_settings.upperCase, m_settings.enter, m_settings.attEnterDown,
                         m_settings.zenHanSame, m_settings.searchAttributes});

    if (m_services.createMessageFilter) {
        FMessageFilter = m_services.createMessageFilter();
        FMessageFilter->RegisterFilter();
    }
    FUndoCells = std::make_unique<TUndoCells>();
    FUndoCells2 = std::make_unique<TUndoCells>();
}

void TMorvMainForm::applyWindowPosition()
{
    QList<QRect> screens;
    for (const QScreen *s : QGuiApplication::screens())
        screens << s->geometry();
    const QScreen *primary = QGuiApplication::primaryScreen();
    move(SettingsFile::windowStartPosition(m_settings, size(), screens,
                                           primary ? primary->geometry() : QRect(0, 0, 1024, 768)));
}

void TMorvMainForm::FormCloseQuery()
{
    if (m_closeHandled)
        return;
    m_closeHandled = true;
    MorvSettings s = m_settings;
    s.left = x();
    s.top = y();
    s.progId = TargetProgID;
    s.sort = TabSheet1->CheckBox1->isChecked();
    s.attTag = TabSheet1->ComboBox1->currentText();
    s.attTagIndex1 = TabSheet1->ComboBox1->currentIndex();
    s.zoomCenter2 = TabSheet1->CheckBox9->isChecked();
    const AttrTabSettings attr = TabSheet2->settings();
    s.attTagIndex2 = attr.attTagIndex2;
    s.cursor = attr.cursor;
    s.zoomCenter = attr.zoomCenter;
    s.attEnter = attr.attEnter;
    const SearchTabSettings search = TEST->settings();
    s.sentou = search.sentou;
    s.upperCase = search.upperCase;
    s.enter = search.enter;
    s.attEnterDown = search.attEnterDown;
    s.zenHanSame = search.zenHanSame;
    s.searchAttributes = search.searchAttributes;
    if (!SettingsFile::write(SideFiles::settingsPath(), s))
        messages().error(SideFileNotice::forWrite(SideFiles::settingsPath()));
    if (m_tagListFile && m_tagListFile->saveAtClose(TabSheet1->tagItems()) == TagListFile::CloseResult::Failed)
        messages().error(SideFileNotice::forWrite(m_tagListFile->path()));
}

void TMorvMainForm::FormDestroy()
{
    if (FMessageFilter) {
        FMessageFilter->RevokeFilter();
        FMessageFilter.reset();
    }
    FUndoCells.reset();
    FUndoCells2.reset();
}

void TMorvMainForm::closeEvent(QCloseEvent *event)
{
    FormCloseQuery();
    event->accept();
}

void TMorvMainForm::PageControl1Change()
{
    setStatusPanel(0, QString());
    setStatusPanel(1, QString());
}

void TMorvMainForm::Timer1Timer()
{
    if (PageControl1->currentIndex() != 0)
        return;
    Timer1->stop();
    TTextTab *tab = TabSheet1;
    LineEditor *editor = tab->SynEdit1;
    const int records = int(tab->EditTexts.size());
    m_state.iLineLast = m_state.ATTmode ? records : LastTextLine(*editor);
    const QString count = QStringLiteral("取得データ数 = %1").arg(m_state.iLineLast);
    if (tab->Label1->text() != count)
        tab->Label1->setText(count);

    const int caretLine = editor->caretLine();
    QColor colour = palette().color(QPalette::Base);
    if (caretLine > records)
        colour = m_state.ATTmode ? AttributeLinesColour : NewTextLinesColour;
    if (editor->backgroundColor() != colour)
        editor->setBackgroundColor(colour);

    const bool undoable = editor->canUndo() || m_state.undoFlag;
    if (tab->SpeedButton4->isEnabled() != undoable)
        tab->SpeedButton4->setEnabled(undoable);

    const QString selected = editor->selectedText();
    int selRows = 0;
    if (!selected.isEmpty()) {
        selRows = int(selected.count(QLatin1Char('\n')));
        if (!selected.endsWith(QLatin1Char('\n')))
            ++selRows;
    }
    setStatusPanel(1, QStringLiteral("selRows = %1").arg(selRows));
    setStatusPanel(0, QStringLiteral("Row = %1 / %2 Col= %3").arg(caretLine).arg(m_state.iLineLast).arg(editor->caretColumn()));
    Timer1->start();
}

void TMorvMainForm::SpeedButton7Click()
{
    TargetCADForm->setTargetProgId(TargetProgID);
    if (execOverTopmost(*TargetCADForm) == QDialog::Accepted) {
        setWindowTitle(CadListFile::captionWithCadName(applicationTitle(), TargetCADForm->chosenName()));
        TargetProgID = TargetCADForm->chosenProgId();
    }
}

void TMorvMainForm::N25Click()
{
    messages().information(QStringLiteral("Morvex Ver.1.0  (%1)\n"
                                          "CAD の TEXT と属性を編集するツールです．")
                               .arg(QLatin1String(BuildDate)));
}

void TMorvMainForm::N39Click()
{
    const QString path = SideFiles::tagListPath();
    if (QFileInfo::exists(path)) {
        openTextFile(path);
    } else {
        messages().information(path + QLatin1Char('\n') + QStringLiteral("ファイルが見つかりません．"));
    }
}

void TMorvMainForm::N40Click()
{
    const QString path = SideFiles::tagListPath();
    const TextFile::ReadResult read = m_tagListFile->reloadNonBlank();
    if (read.status == TextFile::ReadStatus::Missing) {
        messages().plain(path + QLatin1Char('\n') + QStringLiteral("が、見つかりません．"));
        return;
    }
    SideFileNotice::tellAboutRead(messages(), path, read);
    if (!read.isRead())
        return;
    QComboBox *tags = TabSheet1->ComboBox1;
    const int p = tags->currentIndex();
    TabSheet1->setTagItems(read.lines);
    if (tags->count() > 0)
        tags->setCurrentIndex(p < tags->count() ? p : 0);
}

cad::WindowHandle TMorvMainForm::mainWindowHandle() const
{
    return cad::WindowHandle(winId());
}

void TMorvMainForm::setStatusPanel(int index, const QString &text)
{
    QLabel *panel = index == 0 ? StatusPanel0 : StatusPanel1;
    if (panel->text() != text)
        panel->setText(text);
}

QString TMorvMainForm::statusPanelText(int index) const
{
    return (index == 0 ? StatusPanel0 : StatusPanel1)->text();
}

void TMorvMainForm::restoreMainWindow()
{
    const cad::WindowHandle handle = mainWindowHandle();
    windowSystem().showNormal(handle);
    cad::ForceForeground(windowSystem(), handle);
}

void TMorvMainForm::activateMainWindow()
{
    windowSystem().setForegroundWindow(mainWindowHandle());
}

QString TMorvMainForm::sideFilePath(const QString &fileName) const
{
    return SideFiles::path(fileName);
}

void TMorvMainForm::openTextFile(const QString &path)
{
    if (m_services.openTextFile)
        m_services.openTextFile(path);
}

int TMorvMainForm::execOverTopmost(QDialog &dialog)
{
    return ::execOverTopmost(this, &dialog);
}

void TMorvMainForm::clearFirstTabLabels()
{
    TabSheet1->Label1->clear();
    TabSheet1->Label2->clear();
}

QStringList TMorvMainForm::firstTabTagItems() const
{
    return TabSheet1->tagItems();
}

void TMorvMainForm::setFirstTabTagItems(const QStringList &items)
{
    TabSheet1->setTagItems(items);
}
