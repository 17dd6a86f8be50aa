#include "tsearchtab.h"

#include "searchpattern.h"
#include "searchtexts.h"
#include "searchwriteback.h"
#include "sortsearchtexts.h"
#include "uppercasevalidator.h"
#include "widthinsensitivepattern.h"

#include "form/commandmark.h"
#include "form/formcontext.h"
#include "form/qstrings.h"
#include "form/tabcontrols.h"
#include "grid/gridclipboardkey.h"
#include "grid/gridundokey.h"
#include "grid/stringgrid.h"
#include "grid/tundocells.h"

#include "cad/caderror.h"
#include "cad/connection.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStackedWidget>
#include <QToolButton>

namespace {

const QString SearchCaption = QStringLiteral("検索");
const QString StopCaption = QStringLiteral("中止");
const QString IdlePatternCaption = QStringLiteral("検索 (部分一致)");
const QColor LockedRowColour(192, 192, 192);
const QColor ChangedTextColour(255, 0, 0);
constexpr int GridTop = 96;

QFont tahoma(int pixelSize)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    return font;
}

// Brings the main window back in front when a search ends, however it ends.
class MainWindowToFront
{
public:
    explicit MainWindowToFront(FormContext &form) : m_form(form) {}
    ~MainWindowToFront() { cad::ForceForeground(m_form.windowSystem(), m_form.mainWindowHandle()); }

private:
    FormContext &m_form;
};

} // namespace

TSearchTab::TSearchTab(FormContext &form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
{
    resize(320, 272);
    Label7 = makeLabel(this, IdlePatternCaption, 3, 2, 120, 14);
    Edit3 = new QLineEdit(this);
    Edit3->setGeometry(3, 22, 121, 24);
    Edit3->setFont(tahoma(13));
    Edit3->setToolTip(QStringLiteral("[Enter]で検索（ワイルドカード * ? が使えます)"));
    CheckBox3 = makeCheckBox(this, QStringLiteral("先頭一致"), 3, 48, 66, 17, false);
    CheckBox4 = makeCheckBox(this, QStringLiteral("a->A"), 78, 48, 46, 17, true);
    Label8 = makeLabel(this, QStringLiteral("Enter=検索"), 130, 20, 58, 13);
    Label8->setFont(tahoma(11));
    Label6 = makeLabel(this, QString(), 130, 32, 88, 14);
    SpeedButton14 = makeButton(this, SearchCaption, 219, 24, 54, 41);
    SpeedButton15 = makeButton(this, QStringLiteral("更新"), 279, 24, 34, 41);
    SpeedButton15->setEnabled(false);
    CheckBox8 = makeCheckBox(this, QStringLiteral("Enter=[↓]"), 3, 71, 86, 17, true);
    CheckBox5 = makeCheckBox(this, QStringLiteral("Enter=更新"), 95, 71, 93, 17, true);
    CheckBox10 = makeCheckBox(this, QStringLiteral("全半角同一"), 130, 48, 86, 17, false);
    CheckBox11 = makeCheckBox(this, QStringLiteral("属性"), 192, 71, 120, 17, false);

    StringGrid2 = new StringGrid(this);
    StringGrid2->setGeometry(0, GridTop, 320, 176);
    StringGrid2->setFixedCols(0);
    StringGrid2->setFixedRows(0);
    StringGrid2->setColCount(1);
    StringGrid2->setRowCount(1);
    StringGrid2->setFont(tahoma(13));
    StringGrid2->setDefaultRowHeight(20);
    StringGrid2->setColWidth(0, 300);
    StringGrid2->setDrawCellHook([this](QPainter *painter, const QStyleOptionViewItem &option, int col, int row) {
        StringGrid2DrawCell(painter, option, col, row);
    });
    StringGrid2->setKeyDownHook(
        [this](int key, Qt::KeyboardModifiers shift) { return StringGrid2KeyDown(key, shift); });

    m_upperCase = new UpperCaseValidator(this);
    setUpperCaseMode(CheckBox4->isChecked());

    connect(SpeedButton14, &QToolButton::clicked, this, &TSearchTab::SpeedButton14Click);
    connect(SpeedButton15, &QToolButton::clicked, this, &TSearchTab::SpeedButton15Click);
    // Like a click, setting a box from the settings runs its handler; at
    // start the first page is active, so that only sets the case mode.
    connect(CheckBox3, &QCheckBox::toggled, this, &TSearchTab::CheckBox3Click);
    connect(CheckBox4, &QCheckBox::toggled, this, &TSearchTab::CheckBox4Click);
    connect(CheckBox10, &QCheckBox::toggled, this, &TSearchTab::CheckBox10Click);
    connect(CheckBox11, &QCheckBox::toggled, this, &TSearchTab::CheckBox11Click);
    connect(StringGrid2, &StringGrid::cellClicked, this, &TSearchTab::StringGrid2Click);
    connect(StringGrid2, &StringGrid::getEditText, this, &TSearchTab::StringGrid2GetEditText);
    Edit3->installEventFilter(this);
    StringGrid2->viewport()->installEventFilter(this);
}

void TSearchTab::applySettings(const SearchTabSettings &settings)
{
    CheckBox3->setChecked(settings.sentou);
    CheckBox4->setChecked(settings.upperCase);
    CheckBox5->setChecked(settings.enter);
    CheckBox8->setChecked(settings.attEnterDown);
    CheckBox10->setChecked(settings.zenHanSame);
    CheckBox11->setChecked(settings.searchAttributes);
    setUpperCaseMode(settings.upperCase);
    Label6->clear();
}

SearchTabSettings TSearchTab::settings() const
{
    return {CheckBox3->isChecked(), CheckBox4->isChecked(), CheckBox5->isChecked(), CheckBox8->isChecked(),
            CheckBox10->isChecked(), CheckBox11->isChecked()};
}

void TSearchTab::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    StringGrid2->setGeometry(0, GridTop, width(), std::max(0, height() - GridTop));
    // The pattern label grows with what it shows ("[*ﾓｰﾀｰ*] (部分一致・全半角・属性)")
    // over the free top line of the tab instead of cutting it off.
    Label7->resize(std::max(120, width() - 6), Label7->height());
}

void TSearchTab::setProgress(const QString &text)
{
    Label6->setText(text);
    Label6->repaint();
}

bool TSearchTab::isActivePage() const
{
    // A page of the main window's tabs sits in the tabs' stacked widget.
    if (const auto *pages = qobject_cast<const QStackedWidget *>(parentWidget()))
        return pages->currentWidget() == this;
    return isVisible();
}

void TSearchTab::setUpperCaseMode(bool on)
{
    Edit3->setValidator(on ? m_upperCase : nullptr);
}

// --- The search field and its options ---

bool TSearchTab::eventFilter(QObject *watched, QEvent *event)
{
    // The single column always spans the grid: the viewport's width changes
    // with the tab and when the vertical scroll bar comes or goes.
    if (watched == StringGrid2->viewport() && event->type() == QEvent::Resize)
        StringGrid2->setColWidth(0, StringGrid2->viewport()->width());
    if (watched == Edit3 && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        Edit3KeyPress(key);
        if (key->isAccepted())
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TSearchTab::Edit3KeyPress(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        SpeedButton14Click();
        return;
    }
    event->ignore();
}

void TSearchTab::CheckBox3Click()
{
    searchAgainForOption();
}

void TSearchTab::CheckBox10Click()
{
    searchAgainForOption();
}

void TSearchTab::CheckBox11Click()
{
    searchAgainForOption();
}

// An option of the pattern changed: on this page, with a pattern typed,
// the search runs again.
void TSearchTab::searchAgainForOption()
{
    if (isActivePage() && !Edit3->text().isEmpty())
        SpeedButton14Click();
}

void TSearchTab::CheckBox4Click()
{
    setUpperCaseMode(CheckBox4->isChecked());
    if (isActivePage() && !Edit3->text().isEmpty())
        SpeedButton14Click();
}

// --- "検索" / "中止" ---

void TSearchTab::SpeedButton14Click()
{
    // The button stops its own search; while another command runs it
    // starts nothing.
    const bool stopRequest = m_searching || SpeedButton14->text().contains(StopCaption);
    const CommandMark mark(m_form.state());
    if (!stopRequest && !mark.held())
        return;
    m_form.setStatusPanel(0, QString());
    m_form.setStatusPanel(1, QString());
    Edit3->setEnabled(false);
    if (stopRequest) {
        stopSearch();
    } else {
        SpeedButton14->setText(StopCaption);
        m_searching = true;
        runCommand(m_form.messages(), [this] { searchTexts(); });
        m_searching = false;
    }
    SpeedButton14->setText(SearchCaption);
    Edit3->setEnabled(true);
}

// The running search leaves its loop at its next test of runFlag.
void TSearchTab::stopSearch()
{
    m_form.state().runFlag = false;
    m_form.pump().processNow();
    SpeedButton14->setText(SearchCaption);
    Label7->setText(IdlePatternCaption);
}

void TSearchTab::searchTexts()
{
    MorvFormState &state = m_form.state();
    if (!m_form.cadIsRunning()) {
        // Nothing to ask: the last results stay as they are, edits included.
        cad::ForceForeground(m_form.windowSystem(), m_form.mainWindowHandle());
        return;
    }
    state.runFlag = true;
    cad::WindowSystem &windows = m_form.windowSystem();
    const cad::Application app = m_form.attachCad();
    cad::ActivateCad(app, windows, m_form.mainWindowHandle(), {false, true, true});

    std::u16string lockedLayers;
    FoundTexts found;
    {
        MainWindowToFront toFront(m_form);
        const cad::Document doc = app.activeDocument();
        lockedLayers = cad::LockedLayerList(doc);
        const bool widthInsensitive = CheckBox10->isChecked();
        const bool attributes = CheckBox11->isChecked();
        const QString pattern = SearchPattern(Edit3->text(), CheckBox3->isChecked());
        // With "全半角同一" the CAD selects a superset, the tool keeps the
        // texts that match.
        const SearchMatcher matcher(us(pattern), widthInsensitive);
        Label7->setText(SearchPatternCaption(pattern, widthInsensitive, attributes));
        const auto progress = [this](int i, int count) { setProgress(QStringLiteral("%1 / %2").arg(i + 1).arg(count)); };
        const auto keepRunning = [this] { return m_form.keepRunning(); };
        {
            const cad::TempSelectionSet temp(doc);
            temp->clear();
            try {
                temp->selectAll(SearchFilter(qs(matcher.filterPattern())));
            } catch (const cad::CadError &) {
                // The search goes on with whatever the set holds.
            }
            const int n = temp->count();
            setProgress(QStringLiteral("TEXT = %1").arg(n));
            // Read into a list of its own: until the search has finished, the
            // grid's rows keep referring to the records they show.
            found = readSearchTexts(temp.set(), n, progress, keepRunning);
            if (widthInsensitive)
                keepMatchingTexts(found.records, matcher);
            if (attributes && found.completed) {
                // The block references, read one by one in the same loop.
                temp->clear();
                try {
                    temp->selectAll(SearchBlockFilter());
                } catch (const cad::CadError &) {
                }
                const int blocks = temp->count();
                setProgress(QStringLiteral("INSERT = %1").arg(blocks));
                FoundTexts values = readSearchAttributes(temp.set(), blocks, lockedLayers, matcher, progress, keepRunning);
                found.completed = values.completed;
                for (Morv2 &rec : values.records)
                    found.records.push_back(std::move(rec));
            }
        }
        // Escape once more ends whatever the selection started in the CAD.
        const cad::WindowHandle cadWindow = app.hwnd();
        windows.setForegroundWindow(cadWindow);
        if (windows.foregroundWindow() == cadWindow) {
            windows.pressEscape();
            windows.sleep(5);
        }
    }

    if (found.completed && state.runFlag) {
        SortSearchTexts(found.records, Label6, m_form.pump());
        markLockedTexts(found.records, lockedLayers);
        showSearchResults(std::move(found.records));
    } else {
        showNoResults();
    }
}

void TSearchTab::showSearchResults(Morv2List found)
{
    // An edit under way belongs to the rows that are being replaced.
    if (StringGrid2->isEditorShowing())
        StringGrid2->reset();
    SearchTexts = std::move(found);
    const int n = int(SearchTexts.size());
    m_fillingGrid = true;
    if (n < 1) {
        StringGrid2->setRowCount(1);
        StringGrid2->setCellText(0, 0, QString());
        StringGrid2->setCellObject(0, 0, 0);
        m_form.setStatusPanel(0, QString());
    } else {
        StringGrid2->setRowCount(n);
        for (int r = 0; r < n; ++r) {
            StringGrid2->setCellText(0, r, SearchTexts[size_t(r)].text);
            StringGrid2->setCellObject(0, r, r + 1);
        }
    }
    StringGrid2->setGridSelection(0, 0, 0, 0);
    StringGrid2->scrollToTop();
    m_fillingGrid = false;
    StringGrid2Click();
    m_form.undoCells2().Clear();
    m_form.state().sgUndoCnt2 = 0;
}

void TSearchTab::showNoResults()
{
    if (StringGrid2->isEditorShowing())
        StringGrid2->reset();
    SearchTexts.clear();
    m_fillingGrid = true;
    StringGrid2->setRowCount(1);
    StringGrid2->setCellText(0, 0, QString());
    StringGrid2->setCellObject(0, 0, 0);
    m_fillingGrid = false;
}

// --- The grid ---

Morv2 *TSearchTab::recordOfRow(int row)
{
    if (row < 0 || row >= StringGrid2->rowCount())
        return nullptr;
    const int ref = StringGrid2->cellObject(0, row);
    if (ref < 1 || ref > int(SearchTexts.size()))
        return nullptr;
    return &SearchTexts[size_t(ref - 1)];
}

bool TSearchTab::isRowChanged(int row)
{
    const Morv2 *rec = recordOfRow(row);
    return rec && StringGrid2->cellText(0, row) != rec->text;
}

void TSearchTab::panTo(const cad::Point &point)
{
    try {
        const cad::Application app = m_form.attachCad();
        cad::PanToPoint(app, m_form.windowSystem(), point, 3, false, 0.05);
    } catch (const cad::CadError &) {
        // The view stays where it was.
    }
}

void TSearchTab::StringGrid2Click()
{
    if (m_fillingGrid)
        return;
    runCommand(m_form.messages(), [this] {
        const int r = StringGrid2->currentRow();
        setProgress(QStringLiteral("%1 / %2").arg(r + 1).arg(StringGrid2->rowCount()));
        const Morv2 *rec = recordOfRow(r);
        if (!rec || StringGrid2->cellText(0, r).isEmpty()) {
            m_form.setStatusPanel(0, QString());
            setProgress(QString());
            return;
        }
        const cad::Point point = rec->insPt;
        // An attribute's row names its tag beside the handle: "1A2F NAME".
        m_form.setStatusPanel(0, rec->attribute ? rec->sHnd + u' ' + rec->tag : rec->sHnd);
        m_form.setStatusPanel(1, QString::asprintf("%.3f, %.3f", point.x, point.y));
        if (m_form.cadIsRunning())
            panTo(point);
    });
}

void TSearchTab::StringGrid2DrawCell(QPainter *painter, const QStyleOptionViewItem &option, int, int ARow)
{
    const Morv2 *rec = recordOfRow(ARow);
    if (!rec)
        return;
    const QRect rect = option.rect;
    const QRect textRect = rect.adjusted(2, 0, 0, 0);
    const int textFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter->setClipRect(rect);
    painter->setFont(option.font);
    if (rec->locked) {
        painter->fillRect(rect, LockedRowColour);
        painter->setPen(option.palette.color(QPalette::Text));
        painter->drawText(textRect, textFlags, StringGrid2->cellText(0, ARow));
    }
    // An emptied row shows its record's text again, once its edit is over.
    const bool editing = StringGrid2->isEditorShowing() && StringGrid2->currentRow() == ARow;
    if (StringGrid2->cellText(0, ARow).isEmpty() && !rec->text.isEmpty() && !editing)
        StringGrid2->setCellText(0, ARow, rec->text);
    const QString text = StringGrid2->cellText(0, ARow);
    if (text != rec->text) {
        if (!rec->locked) {
            const bool selected = option.state & QStyle::State_Selected;
            painter->fillRect(rect, selected ? option.palette.color(QPalette::Highlight)
                                             : option.palette.color(QPalette::Base));
        }
        painter->setPen(ChangedTextColour);
        painter->drawText(textRect, textFlags, text);
        if (!SpeedButton15->isEnabled())
            SpeedButton15->setEnabled(true);
    }
}

void TSearchTab::StringGrid2GetEditText(int ACol, int ARow)
{
    m_form.state().sgUndoCnt2 = 1;
    m_form.undoCells2().Add(StringGrid2, ACol, ARow);
}

bool TSearchTab::StringGrid2KeyDown(int Key, Qt::KeyboardModifiers Shift)
{
    // While a command runs, Enter writes nothing and the undo and clipboard
    // keys do nothing; the grid's own keys (arrows, typing) still work.
    const bool commandRunning = m_form.commandRunning();
    if (commandRunning && IsGridCommandKey(StringGrid2, Key, Shift))
        return true;
    if ((Shift & Qt::ControlModifier) && Key == Qt::Key_Z) {
        GridUndoKey(StringGrid2, m_form.undoCells2(), m_form.state().sgUndoCnt2);
        return true;
    }
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        if (CheckBox5->isChecked() && !commandRunning) {
            bool reached = false;
            runCommand(m_form.messages(), [&] {
                writeCurrentRow();
                reached = true;
            });
            // The CAD could not be reached: its message is shown, and the key
            // ends there (neither the in-place editor nor the grid sees it).
            if (!reached)
                return true;
        }
        // Moving on closes the editor with its text, as the grid's own Enter
        // would; the key has then done its work. In a grid of one row the
        // grid's Enter closes the editor.
        if (CheckBox8->isChecked() && StringGrid2->isEditorShowing() && StringGrid2->rowCount() > 1) {
            moveToNextRow();
            return true;
        }
        return false;
    }
    return GridClipboardKey(StringGrid2, Key, Shift, m_form.undoCells2(), m_form.state().sgUndoCnt2);
}

// Enter with "Enter=更新": the current row into its entity, without an undo
// group of its own and without bringing the CAD up.
void TSearchTab::writeCurrentRow()
{
    const int r = StringGrid2->currentRow();
    Morv2 *rec = recordOfRow(r);
    if (!rec)
        return;
    const QString text = StringGrid2->cellText(0, r);
    if (text.isEmpty() || text == rec->text)
        return;
    if (m_form.cadIsRunning()) {
        const cad::Application app = m_form.attachCad();
        const cad::Document doc = app.activeDocument();
        if (rec->locked) {
            StringGrid2->setCellText(0, r, rec->text);
        } else {
            try {
                writeSearchText(doc, *rec, text, RecordTextAfterWrite::ReadBack);
            } catch (const cad::CadError &) {
                // Not written: the row keeps what the user typed and stays
                // changed, for "更新" to write.
                SpeedButton15->setEnabled(true);
            }
        }
    }
    StringGrid2Click();
}

void TSearchTab::moveToNextRow()
{
    const int next = StringGrid2->currentRow() + 1;
    StringGrid2->setCurrentCell(0, next < StringGrid2->rowCount() ? next : 0);
}

// --- "更新" ---

void TSearchTab::SpeedButton15Click()
{
    runExclusive(m_form.state(), m_form.messages(), [this] { updateChangedRows(); });
}

void TSearchTab::updateChangedRows()
{
    SearchUpdateCounts counts;
    const int n = int(SearchTexts.size());
    if (n > 0 && m_form.cadIsRunning()) {
        const cad::Application app = m_form.attachCad();
        // Only a minimised CAD window is restored: no foreground, no Escape.
        cad::ActivateCad(app, m_form.windowSystem(), m_form.mainWindowHandle(), {});
        const cad::Document doc = app.activeDocument();
        {
            const cad::UndoGroup group(doc);
            for (int row = 0; row < StringGrid2->rowCount(); ++row) {
                Morv2 *rec = recordOfRow(row);
                if (!rec)
                    continue;
                // An emptied row stands for its record's text (it shows it
                // again when drawn): an empty string is never written.
                if (StringGrid2->cellText(0, row).isEmpty() && !rec->text.isEmpty())
                    StringGrid2->setCellText(0, row, rec->text);
                if (!isRowChanged(row))
                    continue;
                if (rec->locked) {
                    ++counts.lockedRows;
                    continue;
                }
                ++counts.targets;
                try {
                    writeSearchText(doc, *rec, StringGrid2->cellText(0, row), RecordTextAfterWrite::Sent);
                } catch (const cad::CadError &) {
                    // The row stays changed, unless its string got in before the failure.
                }
                if (!isRowChanged(row))
                    ++counts.written;
            }
        }
        // Rows left unwritten can be written by another click.
        SpeedButton15->setEnabled(counts.written < counts.targets);
    }
    m_form.messages().information(searchUpdateMessage(counts));
}
