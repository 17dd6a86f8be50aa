#include "tmorvattform.h"

#include "attributeprompt.h"
#include "tagset.h"

#include "form/commandguard.h"
#include "form/fieldtext.h"
#include "form/formcontext.h"
#include "form/listcollation.h"
#include "form/qstrings.h"

#include "cad/connection.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

constexpr char16_t AttributeEntityName[] = u"AcDbAttribute";

QPushButton *makeButton(QWidget *parent, const QString &caption, int x, int y, int w, int h)
{
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(x, y, w, h);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TMorvAttForm::TMorvAttForm(FormContext &form, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
    , m_form(form)
{
    setWindowTitle(QStringLiteral("TAGリスト編集"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);
    setFixedSize(246, 285);

    ListBox1 = new QListWidget(this);
    ListBox1->setGeometry(8, 8, 228, 145);
    Label1 = new QLabel(QStringLiteral("TAG"), this);
    Label1->move(8, 160);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(8, 174, 100, 21);
    SpeedButton1 = makeButton(this, QStringLiteral("参照"), 114, 173, 41, 22);
    Label2 = new QLabel(QStringLiteral("PROMPT"), this);
    Label2->move(8, 197);
    Edit2 = new QLineEdit(this);
    Edit2->setGeometry(8, 211, 147, 21);
    Button1 = makeButton(this, QStringLiteral("更新"), 161, 159, 75, 25);
    Button2 = makeButton(this, QStringLiteral("追加"), 161, 184, 75, 25);
    Button3 = makeButton(this, QStringLiteral("削除"), 161, 209, 75, 25);
    Button4 = makeButton(this, QStringLiteral("OK"), 48, 252, 75, 25);
    Button5 = makeButton(this, QStringLiteral("取り消し"), 129, 252, 75, 25);

    connect(ListBox1, &QListWidget::itemClicked, this, &TMorvAttForm::ListBox1Click);
    // The arrow keys choose an entry as a click does: the fields follow, so
    // that "更新" never writes one entry's fields over another. The
    // program's own changes of the list are quiet (QSignalBlocker).
    connect(ListBox1, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) {
        if (current)
            ListBox1Click();
    });
    connect(Button1, &QPushButton::clicked, this, &TMorvAttForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TMorvAttForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TMorvAttForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TMorvAttForm::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpeedButton1, &QPushButton::clicked, this, &TMorvAttForm::SpeedButton1Click);
}

void TMorvAttForm::setEntries(const QStringList &entries)
{
    QStringList sorted = entries;
    ListCollation::sort(sorted);
    const QSignalBlocker quiet(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(sorted);
    ListBox1->setCurrentRow(-1);
}

QStringList TMorvAttForm::entries() const
{
    QStringList list;
    for (int i = 0; i < ListBox1->count(); ++i)
        list << ListBox1->item(i)->text();
    return list;
}

int TMorvAttForm::insertSorted(const QString &entry)
{
    const int row = int(ListCollation::insertPosition(entries(), entry));
    const QSignalBlocker quiet(ListBox1);
    ListBox1->insertItem(row, entry);
    return row;
}

QString TMorvAttForm::fieldsEntry() const
{
    return Edit1->text() + QLatin1Char(':') + Edit2->text();
}

void TMorvAttForm::ListBox1Click()
{
    if (ListBox1->currentRow() < 0 && ListBox1->count() > 0) {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->setCurrentRow(0);
    }
    if (ListBox1->count() == 0) {
        Edit1->clear();
        Edit2->clear();
        return;
    }
    const QStringList parts = splitQuotedList(ListBox1->currentItem()->text(), QLatin1Char(':'));
    setFieldText(Edit1, parts.value(0));
    setFieldText(Edit2, parts.value(1));
}

void TMorvAttForm::Button1Click()
{
    const int row = ListBox1->currentRow();
    if (row < 0)
        return;
    // The list stays sorted: the new text takes its own place; the fields
    // stay as they are.
    const QString entry = fieldsEntry();
    const QSignalBlocker quiet(ListBox1);
    delete ListBox1->takeItem(row);
    ListBox1->setCurrentRow(insertSorted(entry));
}

void TMorvAttForm::Button2Click()
{
    insertSorted(fieldsEntry());
}

void TMorvAttForm::Button3Click()
{
    const int row = ListBox1->currentRow();
    if (row < 0)
        return;
    {
        // The deleted entry takes the selection with it.
        const QSignalBlocker quiet(ListBox1);
        delete ListBox1->takeItem(row);
        ListBox1->setCurrentRow(-1);
    }
    // The last entry when the last one went; otherwise ListBox1Click's own
    // rule: the first entry.
    if (row >= ListBox1->count()) {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->setCurrentRow(ListBox1->count() - 1);
    }
    ListBox1Click();
}

void TMorvAttForm::Button4Click()
{
    m_form.setFirstTabTagItems(entries());
    accept();
}

void TMorvAttForm::SpeedButton1Click()
{
    runCommand(m_form.messages(), [this] { takeAttributeFromDrawing(); });
}

void TMorvAttForm::takeAttributeFromDrawing()
{
    cad::WindowSystem &windows = m_form.windowSystem();
    if (!cad::CadIsRunning(m_form.runningObjects(), windows, m_form.targetProgId()))
        return;
    const cad::Application app = cad::AttachCad(m_form.runningObjects(), m_form.targetProgId());
    cad::ActivateCad(app, windows, m_form.mainWindowHandle(), {false, true, true});
    const cad::Document doc = app.activeDocument();
    const cad::Entity picked = doc.utility().getSubEntity(PickPrompt).entity;
    if (picked.entityName() == AttributeEntityName) {
        const cad::Attribute attribute(picked.object());
        const std::u16string tag = attribute.tagString();
        setFieldText(Edit1, qs(tag));
        Edit2->clear();
        const cad::BlockReference owner(doc.objectIdToObject(attribute.ownerId()));
        setFieldText(Edit2, qs(FindAttributePrompt(doc, owner.name(), tag)));
    }
    // The CAD back in front without a pending command, then this dialog.
    const cad::WindowHandle cadWindow = app.hwnd();
    windows.setForegroundWindow(cadWindow);
    if (windows.foregroundWindow() == cadWindow) {
        windows.pressEscape();
        windows.sleep(5);
    }
    windows.setForegroundWindow(cad::WindowHandle(winId()));
}
