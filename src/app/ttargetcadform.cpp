#include "ttargetcadform.h"

#include "cadlistfile.h"
#include "form/fieldtext.h"
#include "form/inputmethod.h"
#include "form/listcollation.h"
#include "form/messageboxes.h"
#include "form/sidefilenotice.h"
#include "form/sidefiles.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

QFont tahoma(int pixelSize)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    return font;
}

// The fields take ASCII names and ProgIDs: the input method is off when
// a field is entered, though the user may switch it on for a Japanese name.
void placeField(QLineEdit *edit, int left, int top)
{
    edit->setGeometry(left, top, 198, 24);
    edit->setFont(tahoma(13));
    closeInputMethodOnEntry(edit);
}

} // namespace

TTargetCADForm::TTargetCADForm(QWidget *parent)
    : QDialog(parent)
    , m_cadListPath(SideFiles::cadListPath())
    , m_targetProgId(QStringLiteral("BricscadApp.AcadApplication"))
{
    setWindowTitle(QStringLiteral("ターゲット CAD"));
    setFont(tahoma(11));
    setFixedSize(315, 307);

    ListBox1 = new QListWidget(this);
    ListBox1->setGeometry(8, 8, 297, 137);
    ListBox1->setFont(tahoma(13));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setGeometry(8, 151, 297, 105);

    Label1 = new QLabel(QStringLiteral("名称 （説明）"), GroupBox1);
    Label1->move(16, 3);
    Label1->setFont(tahoma(12));
    Label1->adjustSize();

    Edit1 = new QLineEdit(GroupBox1);
    placeField(Edit1, 16, 23);

    Label2 = new QLabel(QStringLiteral("ProgID （クラス文字列）"), GroupBox1);
    Label2->move(16, 53);
    Label2->setFont(tahoma(12));
    Label2->adjustSize();

    Edit2 = new QLineEdit(GroupBox1);
    placeField(Edit2, 16, 73);

    SpeedButton1 = new QToolButton(GroupBox1);
    SpeedButton1->setText(QStringLiteral("追加"));
    SpeedButton1->setGeometry(220, 21, 71, 22);
    SpeedButton2 = new QToolButton(GroupBox1);
    SpeedButton2->setText(QStringLiteral("削除"));
    SpeedButton2->setGeometry(220, 49, 71, 22);
    SpeedButton3 = new QToolButton(GroupBox1);
    SpeedButton3->setText(QStringLiteral("変更"));
    SpeedButton3->setGeometry(220, 77, 71, 22);

    // Neither button is a default button: Enter in a field means "変更",
    // never closing the dialog.
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(80, 271, 75, 25);
    Button1->setAutoDefault(false);
    Button2 = new QPushButton(QStringLiteral("取り消し"), this);
    Button2->setGeometry(161, 271, 88, 25);
    Button2->setAutoDefault(false);

    connect(ListBox1, &QListWidget::itemClicked, this, &TTargetCADForm::ListBox1Click);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TTargetCADForm::ListBox1Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TTargetCADForm::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TTargetCADForm::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TTargetCADForm::SpeedButton3Click);
    connect(Button1, &QPushButton::clicked, this, &TTargetCADForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    Edit1->installEventFilter(this);
    Edit2->installEventFilter(this);
}

QStringList TTargetCADForm::items() const
{
    QStringList lines;
    for (int row = 0; row < ListBox1->count(); ++row)
        lines.append(ListBox1->item(row)->text());
    return lines;
}

int TTargetCADForm::selectedIndex() const
{
    const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

void TTargetCADForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    FormShow();
}

void TTargetCADForm::FormShow()
{
    const TextFile::ReadResult read = CadListFile::read(m_cadListPath);
    // A file that is there but cannot be read is told; the list then keeps
    // what it held, as for a missing file.
    if (const std::optional<QString> notice = SideFileNotice::forRead(m_cadListPath, read))
        tell(*notice);
    if (!read.isRead())
        return;
    QStringList sorted = read.lines;
    ListCollation::sort(sorted);
    setItems(sorted);

    const qsizetype target = CadListFile::indexOfProgId(sorted, m_targetProgId);
    if (target >= 0) {
        selectIndex(int(target));
        ListBox1Click();
    }
}

void TTargetCADForm::ListBox1Click()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    const CadListFile::Entry entry = CadListFile::splitLine(ListBox1->item(index)->text());
    setFieldText(Edit1, entry.name);
    setFieldText(Edit2, entry.progId);
}

void TTargetCADForm::SpeedButton1Click()
{
    const QString line = fieldsLine();
    insertSorted(line);
    selectIndex(int(items().indexOf(line)));
    ListBox1Click();
    saveList();
}

void TTargetCADForm::SpeedButton2Click()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    {
        const QSignalBlocker blocker(ListBox1);
        delete ListBox1->takeItem(index);
    }
    Edit1->clear();
    Edit2->clear();

    const int count = ListBox1->count();
    if (count > 0) {
        selectIndex(index < count ? index : count - 1);
        ListBox1Click();
    } else {
        selectIndex(-1);
    }
    saveList();
}

void TTargetCADForm::SpeedButton3Click()
{
    const int index = selectedIndex();
    if (index < 0) {
        // With no entry selected there is nothing to replace. Adding what
        // the fields hold keeps the user's typing (Enter in a field after
        // the only entry was deleted, say) instead of dropping it; two
        // empty fields add nothing.
        if (!Edit1->text().isEmpty() || !Edit2->text().isEmpty())
            SpeedButton1Click();
        return;
    }
    const QString line = fieldsLine();
    {
        const QSignalBlocker blocker(ListBox1);
        delete ListBox1->takeItem(index);
    }
    // The changed entry moves to its place in the sorted list and stays
    // selected there.
    selectIndex(insertSorted(line));
    saveList();
}

bool TTargetCADForm::Edit1KeyPress(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    SpeedButton3Click();
    return true;
}

void TTargetCADForm::Button1Click()
{
    m_chosenName = Edit1->text();
    m_chosenProgId = Edit2->text();
    m_targetProgId = m_chosenProgId;
    accept();
}

bool TTargetCADForm::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Edit1 || watched == Edit2) && event->type() == QEvent::KeyPress)
        return Edit1KeyPress(static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

void TTargetCADForm::setItems(const QStringList &sortedLines)
{
    const QSignalBlocker blocker(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(sortedLines);
}

int TTargetCADForm::insertSorted(const QString &line)
{
    const int row = int(ListCollation::insertPosition(items(), line));
    const QSignalBlocker blocker(ListBox1);
    ListBox1->insertItem(row, line);
    return row;
}

void TTargetCADForm::selectIndex(int index)
{
    const QSignalBlocker blocker(ListBox1);
    if (index < 0) {
        ListBox1->clearSelection();
        ListBox1->setCurrentRow(-1);
        return;
    }
    ListBox1->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

QString TTargetCADForm::fieldsLine() const
{
    return CadListFile::joinLine(Edit1->text(), Edit2->text());
}

void TTargetCADForm::saveList()
{
    if (!CadListFile::write(m_cadListPath, items())) {
        const QString text = SideFileNotice::forWrite(m_cadListPath);
        if (m_messages)
            m_messages->error(text);
        else
            QMessageBox::critical(this, QApplication::applicationName(), text);
    }
}

void TTargetCADForm::tell(const QString &text)
{
    if (m_messages)
        m_messages->plain(text);
    else
        QMessageBox::information(this, QApplication::applicationName(), text);
}
