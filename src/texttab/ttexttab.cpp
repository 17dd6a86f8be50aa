#include "ttexttab.h"

#include "tagitem.h"
#include "textacquisition.h"
#include "textalignment.h"
#include "textlines.h"
#include "textplacement.h"
#include "textsort.h"
#include "writeback.h"

#include "editor/lineeditor.h"
#include "form/commandmark.h"
#include "form/fieldtext.h"
#include "form/inputmethod.h"
#include "form/formcontext.h"
#include "form/listcollation.h"
#include "form/qstrings.h"
#include "form/tabcontrols.h"
#include "transform/editor/editorpopupmenu.h"

#include "cad/caderror.h"
#include "cad/connection.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QResizeEvent>
#include <QToolButton>

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace {

QLineEdit *makeOffsetBox(QWidget *parent, int x, int y)
{
    auto *e = new QLineEdit(parent);
    e->setGeometry(x, y, 71, 22);
    e->setAlignment(Qt::AlignRight);
    closeInputMethodOnEntry(e);
    e->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    return e;
}

// Restores the main window when a picking command ends, however it ends.
class MainWindowRestorer
{
public:
    explicit MainWindowRestorer(FormContext &form) : m_form(form) {}
    ~MainWindowRestorer() { m_form.restoreMainWindow(); }

private:
    FormContext &m_form;
};

constexpr int EditorTop = 118;

const QStringList DesignTagItems = {
    QStringLiteral("JCMNT1:コメント１"), QStringLiteral("JCMNT2:コメント２"), QStringLiteral("NAME:機器名"),
    QStringLiteral("NAME1:機器名１"), QStringLiteral("SENBAN:線番")};

} // namespace

TTextTab::TTextTab(FormContext &form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
{
    resize(320, 272);
    SpeedButton1 = makeButton(this, QStringLiteral("TEXT"), 6, 2, 49, 22);
    SpeedButton2 = makeButton(this, QStringLiteral("更新(Ctrl+Enter)"), 61, 2, 105, 22);
    SpeedButton6 = makeButton(this, QStringLiteral("整列"), 163, 2, 44, 22);
    Label3 = makeLabel(this, QStringLiteral("dX :"), 213, 5);
    Edit1 = makeOffsetBox(this, 240, 2);
    SpeedButton8 = makeButton(this, QStringLiteral("ATTR"), 6, 23, 49, 22);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setGeometry(58, 22, 126, 22);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(16);
    // The field shows the start of a text the program or a choice from the
    // list puts there; while the user types, the caret stays where it is.
    connect(ComboBox1->lineEdit(), &QLineEdit::textChanged, this, [this] {
        if (!ComboBox1->lineEdit()->hasFocus())
            showFieldStart(ComboBox1);
    });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { showFieldStart(ComboBox1); });
    SpeedButton9 = makeButton(this, QStringLiteral("..."), 184, 23, 23, 22);
    Label4 = makeLabel(this, QStringLiteral("dY :"), 213, 25);
    Edit2 = makeOffsetBox(this, 240, 23);
    Label1 = makeLabel(this, QString(), 9, 51);
    Label1->resize(115, 15);
    Label2 = makeLabel(this, QString(), 128, 50);
    Label2->resize(190, 15);
    CheckBox9 = new QCheckBox(QStringLiteral("PAN (Zoom Center)"), this);
    CheckBox9->setGeometry(184, 67, 133, 17);
    SpeedButton7 = makeButton(this, QStringLiteral("CAD"), 3, 89, 36, 22);
    CheckBox1 = new QCheckBox(QStringLiteral("座標順取得"), this);
    CheckBox1->setGeometry(48, 90, 83, 21);
    CheckBox1->setChecked(true);
    SpeedButton3 = makeButton(this, QStringLiteral("すべて選択"), 137, 89, 74, 22);
    SpeedButton5 = makeButton(this, QStringLiteral("中止"), 213, 90, 52, 22);
    SpeedButton4 = makeButton(this, QStringLiteral("Undo"), 268, 90, 45, 22);
    SynEdit1 = new LineEditor(this);
    SynEdit1->setGeometry(0, EditorTop, 320, 272 - EditorTop);

    SpeedButton2->setEnabled(false);
    SpeedButton6->setEnabled(false);
    SpeedButton5->setEnabled(false);
    SpeedButton4->setEnabled(false);
    setTagItems(DesignTagItems);
    ComboBox1->setCurrentIndex(0);

    connect(SpeedButton1, &QToolButton::clicked, this, &TTextTab::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TTextTab::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TTextTab::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TTextTab::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TTextTab::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TTextTab::SpeedButton6Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TTextTab::targetCadRequested);
    connect(SpeedButton8, &QToolButton::clicked, this, &TTextTab::SpeedButton8Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TTextTab::tagListDialogRequested);
    PopupMenu1 = new EditorPopupMenu(*this, this);
    SynEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SynEdit1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(SynEdit1->mapToGlobal(pos)); });
    connect(SynEdit1, &LineEditor::clicked, this, &TTextTab::SynEdit1Click);
    connect(SynEdit1, &LineEditor::keyPressed, this, &TTextTab::SynEdit1KeyPress, Qt::DirectConnection);
    connect(SynEdit1, &LineEditor::keyReleased, this, &TTextTab::SynEdit1KeyUp, Qt::DirectConnection);
    Edit1->installEventFilter(this);
    Edit2->installEventFilter(this);
}

void TTextTab::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The editor fills the page below the buttons, as the grids do.
    SynEdit1->setGeometry(0, EditorTop, width(), std::max(0, height() - EditorTop));
}

void TTextTab::setTagItems(const QStringList &items)
{
    // A sorted list: the items show, and are written back, in this order.
    QStringList sorted = items;
    ListCollation::sort(sorted);
    const QString text = ComboBox1->currentText();
    ComboBox1->clear();
    ComboBox1->addItems(sorted);
    ComboBox1->setEditText(text);
}

QStringList TTextTab::tagItems() const
{
    QStringList items;
    for (int i = 0; i < ComboBox1->count(); ++i)
        items << ComboBox1->itemText(i);
    return items;
}

MorvFormState &TTextTab::state()
{
    return m_form.state();
}

void TTextTab::setStopEnabled(bool enabled)
{
    SpeedButton5->setEnabled(enabled);
}

MessagePump &TTextTab::pump()
{
    return m_form.pump();
}

MessageBoxes &TTextTab::messages()
{
    return m_form.messages();
}

int TTextTab::execOverTopmost(QDialog &dialog)
{
    return m_form.execOverTopmost(dialog);
}

TMorvTikanForm &TTextTab::MorvTikanForm()
{
    return m_form.MorvTikanForm();
}

TMorvKasanForm &TTextTab::MorvKasanForm()
{
    return m_form.MorvKasanForm();
}

TMorvRenbanForm &TTextTab::MorvRenbanForm()
{
    return m_form.MorvRenbanForm();
}

template <typename Command>
void TTextTab::runTabCommand(Command command)
{
    runExclusive(m_form.state(), m_form.messages(), command);
}

void TTextTab::setProgress(const QString &text)
{
    // The write-back hides the label when it ends; a later command's
    // progress shows again.
    Label2->show();
    Label2->setText(text);
    Label2->repaint();
}

// --- "TEXT" ---

void TTextTab::SpeedButton1Click()
{
    runTabCommand([this] { acquireTexts(); });
}

void TTextTab::acquireTexts()
{
    MainWindowRestorer restorer(m_form);
    const std::optional<cad::Application> app = startPick(false);
    if (!app)
        return;
    const PickedRecords picked = pickTexts(app->activeDocument(), m_form.pump());
    if (picked.picked == 0)
        return;

    const int skipped = picked.picked - int(picked.records.size());
    if (skipped > 0)
        m_form.messages().plain(QStringLiteral("ロック画層のTEXT %1 個を除外しました.").arg(skipped));
    showPickedRecords(picked.records);
    if (!EditTexts.empty()) {
        showOffsets(true);
        SpeedButton2->setEnabled(true);
        SpeedButton6->setEnabled(EditTexts.size() > 1);
    }
}

// The start of "TEXT" and "ATTR": labels, panels and the mode set; the CAD
// attached and brought up for picking, or nothing when it does not run.
std::optional<cad::Application> TTextTab::startPick(bool attributes)
{
    Label1->clear();
    Label2->clear();
    m_form.setStatusPanel(0, QString());
    m_form.setStatusPanel(1, QString());
    m_form.state().ATTmode = attributes;
    if (!m_form.cadIsRunning())
        return std::nullopt;
    const cad::Application app = m_form.attachCad();
    m_form.activateCad(app, {true, true, true});
    return app;
}

// Picked records become the records and lines, sorted by position when
// "座標順取得" is checked; the snapshot undo of the old lines is dropped.
void TTextTab::showPickedRecords(const MorvList &records)
{
    EditTexts = records;
    if (!EditTexts.empty() && CheckBox1->isChecked())
        SortTextsByPosition(EditTexts, 3);
    m_form.state().undoFlag = false;
    SpeedButton4->setEnabled(false);
    QStringList lines;
    for (const Morv &r : EditTexts)
        lines << r.text;
    SynEdit1->setLines(lines);
    SynEdit1->setCaret(1, 1);
}

// dX/dY from the last two records, in red when both read 0.
void TTextTab::showOffsets(bool warnWhenZero)
{
    double dX = 0, dY = 0;
    if (EditTexts.size() >= 2) {
        const cad::Point &last = EditTexts[EditTexts.size() - 1].insPt;
        const cad::Point &before = EditTexts[EditTexts.size() - 2].insPt;
        dX = last.x - before.x;
        dY = last.y - before.y;
    }
    setFieldText(Edit1, formatOffset(dX));
    setFieldText(Edit2, formatOffset(dY));
    const bool zero = readNumberOrZero(Edit1->text()) == 0 && readNumberOrZero(Edit2->text()) == 0;
    setTextColour(Edit1, zero ? Qt::red : Qt::black);
    setTextColour(Edit2, zero ? Qt::red : Qt::black);
    if (zero && warnWhenZero) {
        m_form.messages().plain(QStringLiteral("dX, dY が 0 です．\ndX, dY の値を設定するか、[取得]で複数の TEXT "
                                               "を選択してください．"));
    }
}

// --- "更新(Ctrl+Enter)" ---

void TTextTab::SpeedButton2Click()
{
    runTabCommand([this] { writeBack(); });
}

void TTextTab::writeBack()
{
    MorvFormState &state = m_form.state();
    if (SynEdit1->lineCount() == 0 || !m_form.cadIsRunning())
        return;
    const cad::Application app = m_form.attachCad();
    m_form.activateCad(app, {false, true, false});
    const cad::Document doc = app.activeDocument();
    state.AcadRunFlag = true;

    const QStringList lines = SynEdit1->lines();
    try {
        state.runFlag = true;
        SpeedButton5->setEnabled(true);
        Label2->show();
        SpeedButton3->hide();
        if (!EditTexts.empty()) {
            cad::UndoGroup group(doc);
            WriteBackRun run{doc,
                             EditTexts,
                             lines,
                             state.ATTmode,
                             readNumberOrZero(Edit1->text()),
                             readNumberOrZero(Edit2->text()),
                             [&](int s) { setProgress(QStringLiteral("%1 / %2").arg(s + 1).arg(lines.size())); },
                             [this] { return m_form.keepRunning(); },
                             m_form.messages()};
            writeLinesBack(run);
            if (run.unwrittenLines > 0)
                m_form.messages().plain(unwrittenLinesMessage(run.unwrittenLines));
        }
    } catch (const std::exception &) {
        m_form.messages().plain(QStringLiteral("エラーのため、更新を中止しました．"));
    }
    state.runFlag = false;
    SpeedButton5->setEnabled(false);
    if (!state.ATTmode)
        fitRecordsToLines(EditTexts, LastTextLine(lines));
    Label2->hide();
    SpeedButton3->show();
    doc.regen();
}

// --- Editor, caret, keys ---

void TTextTab::SpeedButton3Click()
{
    SynEdit1->selectAll();
}

void TTextTab::SpeedButton4Click()
{
    // The lines belong to the command under way, if any.
    if (m_form.commandRunning())
        return;
    if (SynEdit1->canUndo())
        SynEdit1->undo();
    else
        UndoMark(false);
}

void TTextTab::SpeedButton5Click()
{
    m_form.state().runFlag = false;
    m_form.pump().processNow();
    SpeedButton5->setEnabled(false);
}

void TTextTab::UndoMark(bool flag)
{
    MorvFormState &state = m_form.state();
    if (flag) {
        state.undoText = SynEdit1->text();
        state.undoFlag = true;
        SpeedButton4->setEnabled(true);
    } else {
        SynEdit1->setText(state.undoText);
        state.undoFlag = false;
        SpeedButton4->setEnabled(false);
    }
}

void TTextTab::SynEdit1Click()
{
    CaretYChanged(SynEdit1->caretLine());
}

void TTextTab::SynEdit1KeyUp(QKeyEvent *)
{
    CaretYChanged(SynEdit1->caretLine());
}

void TTextTab::SynEdit1KeyPress(QKeyEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        if (m_form.commandRunning())
            break; // the lines are being changed: nothing is written now
        SpeedButton2Click();
        m_form.activateMainWindow();
        break;
    case Qt::Key_C:
        event->accept();
        N11Click();
        break;
    case Qt::Key_X:
        event->accept();
        if (!m_form.commandRunning()) // a running command would write over the cut
            N10Click();
        break;
    default:
        break;
    }
}

void TTextTab::CaretYChanged(int caretY)
{
    runCommand(m_form.messages(), [&] {
        MorvFormState &state = m_form.state();
        if (caretY == state.CaretY_Old)
            return;
        const int n = int(EditTexts.size());
        if (CheckBox9->isChecked() && n > 0) {
            // Where the write-back puts the text of this line; attribute
            // lines beyond the records have no place.
            std::optional<cad::Point> point;
            const bool beyond = caretY > n;
            if (!beyond || !state.ATTmode) {
                double dX = 0, dY = 0;
                if (beyond || !EditTexts[size_t(caretY - 1)].hasPoint) {
                    const auto x = readNumber(Edit1->text());
                    const auto y = readNumber(Edit2->text());
                    if (!x || !y) {
                        throw std::invalid_argument(
                            QStringLiteral("'%1' は数値ではありません．").arg(x ? Edit2->text() : Edit1->text()).toStdString());
                    }
                    dX = *x;
                    dY = *y;
                }
                point = placeOfLine(EditTexts, caretY, dX, dY);
            }
            if (point && m_form.cadIsRunning()) {
                try {
                    const cad::Application app = m_form.attachCad();
                    cad::PanToPoint(app, m_form.windowSystem(), *point, 3, false, 0.05);
                } catch (const cad::CadError &) {
                }
            }
        }
        state.CaretY_Old = caretY;
    });
}

void TTextTab::N10Click()
{
    QApplication::clipboard()->setText(SynEdit1->selectedText());
    SynEdit1->replaceSelection(QString());
}

void TTextTab::N11Click()
{
    QApplication::clipboard()->setText(SynEdit1->selectedText());
}

void TTextTab::N12Click()
{
    UndoMark(true);
    SynEdit1->paste();
}

void TTextTab::N20Click()
{
    UndoMark(true);
    SynEdit1->clear();
}

bool TTextTab::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == Edit1) {
                Edit2->setFocus();
                return true;
            }
            if (watched == Edit2) {
                if (SpeedButton6->isEnabled()) {
                    SpeedButton6Click();
                    Edit2->setFocus();
                    m_form.activateMainWindow();
                }
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- "整列" ---

void TTextTab::SpeedButton6Click()
{
    runTabCommand([this] { alignTexts(); });
}

void TTextTab::alignTexts()
{
    MorvFormState &state = m_form.state();
    if (!m_form.cadIsRunning())
        return;
    const cad::Application app = m_form.attachCad();
    m_form.activateCad(app, {false, true, true});
    const cad::Document doc = app.activeDocument();
    state.AcadRunFlag = true;
    state.runFlag = true;
    const QStringList lines = SynEdit1->lines();
    try {
        SpeedButton5->setEnabled(true);
        Label2->show();
        SpeedButton3->hide();
        cad::UndoGroup group(doc);
        AlignmentRun run{doc, EditTexts, lines, readNumberOrZero(Edit1->text()), readNumberOrZero(Edit2->text()),
                         [&](int i) { setProgress(QStringLiteral("%1 / %2").arg(i + 1).arg(lines.size())); }};
        ::alignTexts(run);
        if (run.unplacedTexts > 0)
            m_form.messages().plain(QStringLiteral("%1 個の TEXT は整列できませんでした．").arg(run.unplacedTexts));
    } catch (const std::exception &) {
        m_form.messages().plain(QStringLiteral("エラーのため、更新処理を中止しました．"));
    }
    state.runFlag = false;
    SpeedButton5->setEnabled(false);
    Label2->hide();
    SpeedButton3->show();
}

// --- "ATTR" ---

void TTextTab::SpeedButton8Click()
{
    runTabCommand([this] { acquireAttributes(); });
}

void TTextTab::acquireAttributes()
{
    MainWindowRestorer restorer(m_form);
    const std::optional<cad::Application> app = startPick(true);
    if (!app)
        return;
    const QString item = ComboBox1->currentText();
    const PickedRecords picked =
        pickAttributes(app->activeDocument(), item, [this](const QString &text) { setProgress(text); });
    if (picked.picked == 0)
        return;

    showPickedRecords(picked.records);
    setProgress(QStringLiteral("%1 = %2 / %3").arg(tagOfItem(item)).arg(SynEdit1->lineCount()).arg(picked.picked));
    showOffsets(false);
    SpeedButton2->setEnabled(!EditTexts.empty());
    SpeedButton6->setEnabled(false);
}
