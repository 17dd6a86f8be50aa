#include "tattrtab.h"

#include "blockacquisition.h"
#include "gridcells.h"
#include "gridmenucommands.h"
#include "gridupdate.h"
#include "tagset.h"
#include "tagsetlistfile.h"
#include "tmorvattform.h"

#include "form/commandmark.h"
#include "form/fieldtext.h"
#include "form/formcontext.h"
#include "form/listcollation.h"
#include "form/qstrings.h"
#include "form/sidefilenotice.h"
#include "form/sidefiles.h"
#include "form/tabcontrols.h"
#include "grid/gridclipboardkey.h"
#include "grid/gridundokey.h"
#include "grid/sortgridrows.h"
#include "grid/stringgrid.h"
#include "grid/tundocells.h"
#include "transform/dialogs/tmorvkasanform.h"
#include "transform/dialogs/tmorvrenbanform.h"
#include "transform/dialogs/tmorvtikanform.h"
#include "transform/serialrun.h"

#include "cad/caderror.h"
#include "cad/connection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QResizeEvent>
#include <QToolButton>

namespace {

const QColor NoAttributeColour(192, 192, 192);
const QColor ChangedTextColour(255, 0, 0);
constexpr int TabWidth = 320;

// Marks an acquisition under way for as long as it runs.
class AcquisitionMark
{
public:
    explicit AcquisitionMark(bool &flag) : m_flag(flag) { m_flag = true; }
    ~AcquisitionMark() { m_flag = false; }
    AcquisitionMark(const AcquisitionMark &) = delete;
    AcquisitionMark &operator=(const AcquisitionMark &) = delete;

private:
    bool &m_flag;
};

} // namespace

TAttrTab::TAttrTab(FormContext &form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
{
    resize(TabWidth, 272);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setGeometry(3, 3, 314, 22);
    ComboBox2->setEditable(false);
    ComboBox2->setMaxVisibleItems(16);
    SpeedButton10 = makeButton(this, QStringLiteral("取得"), 3, 31, 48, 34);
    SpeedButton12 = makeButton(this, QStringLiteral("中止"), 51, 31, 50, 34);
    SpeedButton11 = makeButton(this, QStringLiteral("更新"), 103, 31, 50, 34);
    SpeedButton13 = makeButton(this, QStringLiteral("UNDO"), 159, 43, 58, 22);
    Label5 = new QLabel(this);
    Label5->setGeometry(223, 51, 95, 14);
    CheckBox2 = makeCheckBox(this, QStringLiteral("Enter=[ ↓ ]"), 3, 66, 82, 17, true);
    CheckBox7 = makeCheckBox(this, QStringLiteral("Enter = 更新"), 91, 66, 90, 17, true);
    CheckBox6 = makeCheckBox(this, QStringLiteral("PAN (Zoom Center)"), 187, 66, 134, 17, false);
    Label9 = new QLabel(QStringLiteral("※固定セルのクリックですべて選択"), this);
    Label9->setGeometry(3, 89, 165, 14);
    SpeedButton16 = makeButton(this, QStringLiteral("取得順"), 169, 85, 52, 22);
    SpeedButton17 = makeButton(this, QStringLiteral("文字順"), 220, 85, 52, 22);
    SpeedButton18 = makeButton(this, QStringLiteral("数字順"), 273, 85, 50, 22);

    StringGrid1 = new StringGrid(this);
    StringGrid1->setGeometry(0, 106, TabWidth, 158);
    QFont gridFont(QStringLiteral("Tahoma"));
    gridFont.setPixelSize(13);
    StringGrid1->setFont(gridFont);
    StringGrid1->setFixedRows(1);
    StringGrid1->setFixedCols(1);
    StringGrid1->setColCount(5);
    StringGrid1->setRowCount(5);
    StringGrid1->setDefaultRowHeight(20);
    StringGrid1->setColWidth(0, 30);
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(0, 264, TabWidth, 8);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);

    PopupMenu2 = new QMenu(this);
    AG1 = PopupMenu2->addAction(QStringLiteral("■TAG リスト編集(メモ帳起動)"));
    AG2 = PopupMenu2->addAction(QStringLiteral("■TAG リストを再読み込み"));
    PopupMenu2->addSeparator();
    N32 = PopupMenu2->addAction(QStringLiteral("選択範囲のスペース以外を全角に"));
    N33 = PopupMenu2->addAction(QStringLiteral("選択範囲を半角に"));
    PopupMenu2->addSeparator();
    N35 = PopupMenu2->addAction(QStringLiteral("選択範囲を置換"));
    N36 = PopupMenu2->addAction(QStringLiteral("選択範囲の半角数字を加算"));
    PopupMenu2->addSeparator();
    N31 = PopupMenu2->addAction(QStringLiteral("連番作成"));

    MorvAttForm = new TMorvAttForm(form, this);

    SpeedButton11->setEnabled(false);
    SpeedButton12->setEnabled(false);
    setTagSets(DesignTagSets);
    ComboBox2->setCurrentIndex(0);

    connect(SpeedButton10, &QToolButton::clicked, this, &TAttrTab::SpeedButton10Click);
    connect(SpeedButton11, &QToolButton::clicked, this, &TAttrTab::SpeedButton11Click);
    connect(SpeedButton12, &QToolButton::clicked, this, &TAttrTab::SpeedButton12Click);
    connect(SpeedButton13, &QToolButton::clicked, this, &TAttrTab::SpeedButton13Click);
    connect(SpeedButton16, &QToolButton::clicked, this, &TAttrTab::SpeedButton16Click);
    connect(SpeedButton17, &QToolButton::clicked, this, &TAttrTab::SpeedButton17Click);
    connect(SpeedButton18, &QToolButton::clicked, this, &TAttrTab::SpeedButton18Click);
    connect(StringGrid1, &StringGrid::cellClicked, this, [this] { StringGrid1Click(); });
    connect(StringGrid1, &StringGrid::fixedCellClicked, this, &TAttrTab::StringGrid1FixedCellClick);
    connect(StringGrid1, &StringGrid::getEditText, this, &TAttrTab::StringGrid1GetEditText);
    connect(StringGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        // Every text tool of the menu works on the cells: none while a
        // command runs.
        if (!m_form.commandRunning())
            PopupMenu2->popup(StringGrid1->viewport()->mapToGlobal(pos));
    });
    StringGrid1->setDrawCellHook([this](QPainter *painter, const QStyleOptionViewItem &option, int col, int row) {
        StringGrid1DrawCell(painter, option, col, row);
    });
    StringGrid1->setKeyDownHook([this](int key, Qt::KeyboardModifiers modifiers) {
        StringGrid1KeyDown(key, modifiers);
        return key == 0;
    });
    connect(AG1, &QAction::triggered, this, &TAttrTab::AG1Click);
    connect(AG2, &QAction::triggered, this, &TAttrTab::AG2Click);
    connect(N32, &QAction::triggered, this, &TAttrTab::N32Click);
    connect(N33, &QAction::triggered, this, &TAttrTab::N33Click);
    connect(N35, &QAction::triggered, this, &TAttrTab::N35Click);
    connect(N36, &QAction::triggered, this, &TAttrTab::N36Click);
    connect(N31, &QAction::triggered, this, &TAttrTab::N31Click);
}

void TAttrTab::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    ComboBox2->resize(w - 6, ComboBox2->height());
    // The sort buttons keep their distance to the right edge.
    SpeedButton16->move(w - (TabWidth - 169), SpeedButton16->y());
    SpeedButton17->move(w - (TabWidth - 220), SpeedButton17->y());
    SpeedButton18->move(w - (TabWidth - 273), SpeedButton18->y());
    ProgressBar1->setGeometry(0, h - 8, w, 8);
    StringGrid1->setGeometry(0, 106, w, std::max(0, h - 8 - 106));
}

// --- Settings and tag sets ---

void TAttrTab::setTagSets(const QStringList &items)
{
    QStringList sorted = items;
    ListCollation::sort(sorted);
    ComboBox2->clear();
    ComboBox2->addItems(sorted);
}

void TAttrTab::applySettings(const AttrTabSettings &settings)
{
    const QString path = SideFiles::tagSetListPath();
    const TextFile::ReadResult read = TagSetListFile::readAll(path);
    SideFileNotice::tellAboutRead(m_form.messages(), path, read);
    if (read.isRead())
        setTagSets(read.lines);
    ComboBox2->setCurrentIndex(settings.attTagIndex2 < ComboBox2->count() ? settings.attTagIndex2 : 0);
    CheckBox2->setChecked(settings.cursor);
    CheckBox6->setChecked(settings.zoomCenter);
    CheckBox7->setChecked(settings.attEnter);
}

AttrTabSettings TAttrTab::settings() const
{
    return {ComboBox2->currentIndex(), CheckBox2->isChecked(), CheckBox6->isChecked(), CheckBox7->isChecked()};
}

void TAttrTab::AG1Click()
{
    const QString path = SideFiles::tagSetListPath();
    if (QFileInfo::exists(path))
        m_form.openTextFile(path);
    else
        m_form.messages().information(path + QStringLiteral("\nファイルが見つかりません．"));
}

void TAttrTab::AG2Click()
{
    const QString path = SideFiles::tagSetListPath();
    const TextFile::ReadResult read = TagSetListFile::reloadNonBlank(path);
    if (read.status == TextFile::ReadStatus::Missing) {
        m_form.messages().plain(path + QStringLiteral("\nが、見つかりません．"));
        return;
    }
    SideFileNotice::tellAboutRead(m_form.messages(), path, read);
    if (!read.isRead())
        return;
    const int chosen = ComboBox2->currentIndex();
    setTagSets(read.lines);
    if (ComboBox2->count() > 0)
        ComboBox2->setCurrentIndex(chosen < ComboBox2->count() ? chosen : 0);
}

void TAttrTab::SpeedButton9Click()
{
    // The dialog picks in the CAD ("参照"), and as a modal dialog it would
    // hold a running command, its "中止" out of reach, until it closed.
    const CommandMark mark(m_form.state());
    if (!mark.held())
        return;
    MorvAttForm->setEntries(m_form.firstTabTagItems());
    m_form.execOverTopmost(*MorvAttForm);
}

// --- "取得" and "中止" ---

int &TAttrTab::undoCount()
{
    return m_form.state().sgUndoCnt;
}

void TAttrTab::SpeedButton10Click()
{
    // The passes let the GUI process messages, a click on "取得" among them:
    // that click, like any other command, starts nothing.
    const CommandMark command(m_form.state());
    if (!command.held())
        return;
    AcquisitionMark mark(m_acquiring);
    MorvFormState &state = m_form.state();
    m_form.clearFirstTabLabels();
    state.ATTmode = true;
    state.runFlag = true;
    SpeedButton12->setEnabled(true);
    m_form.setStatusPanel(0, QString());
    m_form.setStatusPanel(1, QString());
    try {
        acquire();
    } catch (const cad::CadError &e) {
        // The CAD gone is told; any other failure ends the acquisition
        // quietly, its selection set gone already.
        if (e.linkLost())
            m_form.messages().error(QString::fromStdU16String(e.message()));
    } catch (const std::exception &) {
    }
    m_form.restoreMainWindow();
    ProgressBar1->setValue(0);
    state.runFlag = false;
    SpeedButton12->setEnabled(false);
}

void TAttrTab::acquire()
{
    if (!m_form.cadIsRunning())
        return;
    const cad::Application app = m_form.attachCad();
    cad::ActivateCad(app, m_form.windowSystem(), m_form.mainWindowHandle(), {true, true, true});
    const cad::Document doc = app.activeDocument();
    const TagSet tagSet = readTagSet(ComboBox2->currentText());
    BlockAcquisitionRun run{doc,
                            tagSet,
                            StringGrid1,
                            ProgressBar1,
                            Label5,
                            GridBlocks,
                            GridAttributes,
                            m_form.windowSystem(),
                            [this] { m_form.windowSystem().showNormal(m_form.mainWindowHandle()); },
                            [this] {
                                m_form.pump().processPendingMessages();
                                return m_form.state().runFlag;
                            }};
    const BlockAcquisitionResult result = acquireBlocks(run);
    if (result.filled) {
        m_form.undoCells1().Clear();
        undoCount() = 0;
        SpeedButton11->setEnabled(true);
    }
    if (!result.lostLink.empty())
        m_form.messages().error(QString::fromStdU16String(result.lostLink));
}

void TAttrTab::SpeedButton12Click()
{
    m_form.state().runFlag = false;
    m_form.pump().processNow();
}

// --- "更新" ---

void TAttrTab::SpeedButton11Click()
{
    runExclusive(m_form.state(), m_form.messages(), [this] {
        if (!m_form.cadIsRunning())
            return;
        try {
            writeGrid();
        } catch (const cad::CadError &) {
            // Attaching or opening the undo step failed: nothing was written.
        }
    });
}

void TAttrTab::writeGrid()
{
    const cad::Application app = m_form.attachCad();
    cad::ActivateCad(app, m_form.windowSystem(), m_form.mainWindowHandle(), {false, true, true});
    const cad::Document doc = app.activeDocument();
    cad::UndoGroup group(doc);
    writeGridBack(doc, StringGrid1, GridAttributes);
}

// --- Cell undo ---

void TAttrTab::SpeedButton13Click()
{
    if (m_form.commandRunning())
        return;
    m_form.undoCells1().Undo(StringGrid1, undoCount());
}

// --- Sorting ---

void TAttrTab::sortRows(int keyCol, bool numeric)
{
    if (m_form.commandRunning())
        return;
    // The saved cells follow their rows, so an undo after the sort still
    // restores the cell of the same attribute.
    SortGridRows(StringGrid1, keyCol, numeric, &m_form.undoCells1());
    StringGrid1->viewport()->update();
}

void TAttrTab::SpeedButton16Click()
{
    sortRows(0, false);
}

void TAttrTab::SpeedButton17Click()
{
    if (StringGrid1->currentCol() > 0)
        sortRows(StringGrid1->currentCol(), false);
}

void TAttrTab::SpeedButton18Click()
{
    if (StringGrid1->currentCol() > 0)
        sortRows(StringGrid1->currentCol(), true);
}

// --- The grid's events ---

void TAttrTab::StringGrid1Click()
{
    const nAtt *rec =
        attributeOfCell(StringGrid1, StringGrid1->currentCol(), StringGrid1->currentRow(), GridAttributes);
    if (!rec) {
        m_form.setStatusPanel(0, QString());
        m_form.setStatusPanel(1, QString());
        StringGrid1->setEditingEnabled(false);
        return;
    }
    m_form.setStatusPanel(0, rec->sHnd);
    StringGrid1->setEditingEnabled(true);
    if (!CheckBox6->isChecked())
        return;
    m_form.setStatusPanel(1, rec->text);
    const cad::Point point = rec->insPt;
    runCommand(m_form.messages(), [&] {
        if (!m_form.cadIsRunning())
            return;
        try {
            const cad::Application app = m_form.attachCad();
            cad::PanToPoint(app, m_form.windowSystem(), point, 3, false, 0.05);
        } catch (const cad::CadError &) {
        }
    });
}

void TAttrTab::StringGrid1DrawCell(QPainter *painter, const QStyleOptionViewItem &option, int ACol, int ARow)
{
    if (ARow < 1 || ACol < 1)
        return;
    const QRect rect = option.rect;
    if (StringGrid1->cellObject(ACol, ARow) < 1) {
        painter->fillRect(rect, NoAttributeColour);
        return;
    }
    if (GridAttributes.empty() || !isChangedCell(StringGrid1, ACol, ARow, GridAttributes))
        return;
    // The red text replaces the default one on the fill the default drawing used.
    QBrush fill = option.palette.base();
    if (option.state.testFlag(QStyle::State_Selected))
        fill = option.palette.highlight();
    else if (option.backgroundBrush.style() != Qt::NoBrush)
        fill = option.backgroundBrush;
    painter->fillRect(rect, fill);
    painter->setClipRect(rect);
    painter->setFont(option.font);
    painter->setPen(ChangedTextColour);
    painter->drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      StringGrid1->cellText(ACol, ARow));
}

void TAttrTab::StringGrid1FixedCellClick(int, int)
{
    // The grid has selected the row, the column or every data cell.
    StringGrid1->viewport()->update();
}

void TAttrTab::StringGrid1GetEditText(int ACol, int ARow)
{
    undoCount() = 1;
    m_form.undoCells1().Add(StringGrid1, ACol, ARow);
}

void TAttrTab::StringGrid1KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    // While a command runs, Enter writes nothing and the undo and clipboard
    // keys do nothing; the grid's own keys (arrows, typing) still work.
    const bool commandRunning = m_form.commandRunning();
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        const bool editorShowing = StringGrid1->isEditorShowing();
        if (CheckBox7->isChecked() && !commandRunning) {
            bool written = true;
            runCommand(m_form.messages(), [&] {
                written = false;
                writeCurrentCell();
                written = true;
            });
            // The CAD could not be reached: its message is shown, and the key
            // ends there (neither the in-place editor nor the grid sees it).
            if (!written) {
                Key = 0;
                return;
            }
        }
        // Moving away closes the in-place editor, which is what the grid's
        // own Enter would do; the key is then spent.
        if (moveOnEnter(editorShowing) && editorShowing)
            Key = 0;
        return;
    }
    if (commandRunning) {
        if (IsGridCommandKey(StringGrid1, Key, Shift))
            Key = 0;
        return;
    }
    if (Shift.testFlag(Qt::ControlModifier) && Key == Qt::Key_Z) {
        Key = 0;
        GridUndoKey(StringGrid1, m_form.undoCells1(), undoCount());
        StringGrid1->viewport()->update();
        return;
    }
    if (GridClipboardKey(StringGrid1, Key, Shift, m_form.undoCells1(), undoCount())) {
        Key = 0;
        StringGrid1->viewport()->update();
    }
}

void TAttrTab::writeCurrentCell()
{
    const int col = StringGrid1->currentCol();
    const int row = StringGrid1->currentRow();
    nAtt *rec = attributeOfCell(StringGrid1, col, row, GridAttributes);
    if (!rec || !isChangedCell(StringGrid1, col, row, GridAttributes) || !m_form.cadIsRunning())
        return;
    const cad::Application app = m_form.attachCad();
    const cad::Document doc = app.activeDocument();
    writeCellBack(doc, StringGrid1, col, row, *rec);
}

bool TAttrTab::moveOnEnter(bool editorShowing)
{
    const int col = StringGrid1->currentCol();
    const int row = StringGrid1->currentRow();
    if (col < 0 || row < 0)
        return false;
    const int lastRow = StringGrid1->rowCount() - 1;
    if (CheckBox2->isChecked()) {
        if (!editorShowing)
            return false;
        StringGrid1->setCurrentCell(col, row < lastRow ? row + 1 : 1);
        return true;
    }
    if (col + 1 < StringGrid1->colCount() && StringGrid1->cellObject(col + 1, row) > 0) {
        StringGrid1->setCurrentCell(col + 1, row);
        return true;
    }
    if (row < lastRow && StringGrid1->cellObject(1, row + 1) > 0) {
        StringGrid1->setCurrentCell(1, row + 1);
        return true;
    }
    return false;
}

// --- The grid's pop-up menu ---

void TAttrTab::N32Click()
{
    const CommandMark mark(m_form.state());
    if (!mark.held())
        return;
    undoCount() = undoGroupSize(
        convertSelectionToFullWidth(StringGrid1, StringGrid1->gridSelection(), m_form.undoCells1()));
    StringGrid1->viewport()->update();
}

void TAttrTab::N33Click()
{
    const CommandMark mark(m_form.state());
    if (!mark.held())
        return;
    undoCount() = undoGroupSize(
        convertSelectionToHalfWidth(StringGrid1, StringGrid1->gridSelection(), m_form.undoCells1()));
    StringGrid1->viewport()->update();
}

void TAttrTab::N35Click()
{
    const CommandMark mark(m_form.state());
    if (!mark.held())
        return;
    TMorvTikanForm &dialog = m_form.MorvTikanForm();
    const GridRect selection = StringGrid1->gridSelection();
    // The search field starts as the top-left selected cell; the
    // replacement keeps what it held.
    setFieldText(dialog.Edit1, StringGrid1->cellText(selection.left, selection.top));
    if (m_form.execOverTopmost(dialog) != QDialog::Accepted || dialog.findText().empty())
        return;
    undoCount() = undoGroupSize(
        replaceInSelection(StringGrid1, selection, dialog.findText(), dialog.replaceText(), m_form.undoCells1()));
    StringGrid1->viewport()->update();
}

void TAttrTab::N36Click()
{
    const CommandMark mark(m_form.state());
    if (!mark.held())
        return;
    TMorvKasanForm &dialog = m_form.MorvKasanForm();
    if (m_form.execOverTopmost(dialog) != QDialog::Accepted)
        return;
    const IncrementSettings settings = dialog.settings();
    if (settings.addend == 0)
        return;
    undoCount() = undoGroupSize(
        incrementSelection(StringGrid1, StringGrid1->gridSelection(), settings, m_form.undoCells1()));
    StringGrid1->viewport()->update();
}

void TAttrTab::N31Click()
{
    const CommandMark mark(m_form.state());
    if (!mark.held())
        return;
    TMorvRenbanForm &dialog = m_form.MorvRenbanForm();
    dialog.setOverwriteForm(true);
    // "上書き" writes the run down the current column before the dialog closes.
    const QMetaObject::Connection filling =
        connect(&dialog, &TMorvRenbanForm::serialRunCreated, this, [this](const SerialRun &run, bool) {
            const std::vector<std::u16string> texts = SerialTexts(run, size_t(StringGrid1->rowCount()));
            undoCount() = undoGroupSize(writeSerialTexts(StringGrid1, StringGrid1->gridSelection(),
                                                         StringGrid1->currentCol(), StringGrid1->currentRow(),
                                                         texts, m_form.undoCells1()));
            StringGrid1->viewport()->update();
        });
    m_form.execOverTopmost(dialog);
    disconnect(filling);
    dialog.setOverwriteForm(false);
}
