// One command at a time: every command that works on the CAD, the lines or
// the cells, started from inside a long command while that command lets the
// GUI process messages, starts nothing; the long command finishes whole.
//
// Each case runs one long command twice over the same session: once alone,
// once with an entry point of another command triggered at its first pass
// through the message pump. What the user and the drawing end up with must
// be the same both times. The session is set up so that every entry point,
// had it run, would leave a trace (a cell changed, a line converted, a pick
// taken, a dialog shown, a message, the clipboard).
#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "attrtab/tattrtab.h"
#include "editor/lineeditor.h"
#include "grid/stringgrid.h"
#include "grid/tundocells.h"
#include "searchtab/tsearchtab.h"
#include "texttab/ttexttab.h"
#include "transform/editor/editorpopupmenu.h"

#include "cad/memory/memorydrawing.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using cad::Handle;

enum Page { TextPage = 0, GridPage = 1, SearchPage = 2 };

// A session with something in every tab: four texts picked into the editor
// and edited, three block references in the grid with one cell edited, the
// search's results with one row edited, an undo point in every place, a
// selection everywhere and text on the clipboard.
class Session
{
public:
    Session()
    {
        cad::MemoryDrawing &d = *ui.drawing;
        for (int i = 0; i < 4; ++i)
            texts.push_back(d.addText(u"T" + QString::number(i + 1).toStdU16String(), {0, 100.0 - 10 * i, 0}));
        d.addAttributeDefinition(u"EQ", u"NAME", u"機器名");
        // Names that sort three ways: by text, by number, by acquisition.
        blocks.push_back(d.addBlockReference(u"EQ", {50, 100, 0}, {{u"NAME", u"20"}}));
        blocks.push_back(d.addBlockReference(u"EQ", {50, 90, 0}, {{u"NAME", u"3"}}));
        blocks.push_back(d.addBlockReference(u"EQ", {50, 80, 0}, {{u"NAME", u"100"}}));
        ui.start();

        TAttrTab &attr = *ui.form().TabSheet2;
        attr.ComboBox2->clear();
        attr.ComboBox2->addItem("機器,NAME");
        attr.ComboBox2->setCurrentIndex(0);
        d.scriptPick(blocks);
        attr.SpeedButton10->click();
        StringGrid *grid1 = attr.StringGrid1;
        grid1->setCurrentCell(1, 1);
        attr.SpeedButton17->click(); // rows 100, 20, 3 (row numbers 3, 1, 2)
        ui.form().undoCells1().Add(grid1, 1, 1);
        grid1->setCellText(1, 1, "5");
        ui.form().state().sgUndoCnt = 1;
        grid1->setGridSelection(1, 2, 1, 1); // rows 1 and 2, row 1 current

        TSearchTab &search = *ui.form().TEST;
        search.SpeedButton14->click();
        search.Edit3->setText("T");
        StringGrid *grid2 = search.StringGrid2;
        ui.form().undoCells2().Add(grid2, 0, 0);
        grid2->setCellText(0, 0, "edited2");
        ui.form().state().sgUndoCnt2 = 1;
        grid2->setGridSelection(0, 1, 0, 0); // rows 0 and 1, row 0 current
        search.SpeedButton15->setEnabled(true);

        TTextTab &text = *ui.form().TabSheet1;
        d.scriptPick(texts);
        text.SpeedButton1->click();
        ui.setEditorLines({"w1", "ｗ２", "w3", "w4", "w5"});
        text.UndoMark(true);
        text.SpeedButton3Click(); // everything selected
        text.ComboBox1->setEditText("NAME");

        QApplication::clipboard()->setText("clip\r\n");
        ui.messages.clear();
        d.clearCallLog();
    }

    TMorvMainForm &form() { return ui.form(); }
    TTextTab &text() { return *ui.form().TabSheet1; }
    TAttrTab &attr() { return *ui.form().TabSheet2; }
    TSearchTab &search() { return *ui.form().TEST; }

    // What the user and the drawing see, one line per fact. Left out: the
    // saved cells of the undo stacks and the view of the CAD; opening a
    // grid's in-place editor (which saves its cell) and moving from cell to
    // cell (which shows the place in the CAD) are no commands and stay open
    // to the user while a command runs.
    QStringList world()
    {
        QStringList w;
        const cad::MemoryDrawing &d = *ui.drawing;
        for (const auto &[handle, entity] : d.entities()) {
            w << QStringLiteral("entity %1 %2 (%3, %4)")
                     .arg(handle)
                     .arg(QString::fromStdU16String(entity.text))
                     .arg(entity.insertionPoint.x)
                     .arg(entity.insertionPoint.y);
        }
        w << QStringLiteral("undo steps %1, picks left %2, selection sets %3")
                 .arg(d.undoStepCount())
                 .arg(d.pendingScriptedPicks())
                 .arg(d.selectionSets().size());
        w << "editor " + ui.editorLines().join('|');
        const MorvFormState &s = form().state();
        w << QStringLiteral("undoFlag %1 ATTmode %2 runFlag %3 mark %4")
                 .arg(s.undoFlag)
                 .arg(s.ATTmode)
                 .arg(s.runFlag)
                 .arg(s.commandUnderWay);
        QStringList records;
        for (const Morv &r : text().EditTexts)
            records << r.sHnd + ":" + r.text;
        w << "EditTexts " + records.join('|');
        w << "grid1 " + cells(attr().StringGrid1);
        w << QStringLiteral("sgUndoCnt %1").arg(s.sgUndoCnt);
        w << "grid2 " + cells(search().StringGrid2);
        w << QStringLiteral("sgUndoCnt2 %1").arg(s.sgUndoCnt2);
        QStringList found;
        for (const Morv2 &r : search().SearchTexts)
            found << r.sHnd + ":" + r.text;
        w << "SearchTexts " + found.join('|') + " " + search().Label7->text();
        w << "messages " + ui.messages.texts().join('|');
        w << "clipboard " + QApplication::clipboard()->text();
        w << "tags " + text().tagItems().join('|');
        return w;
    }

    HeadlessForm ui;
    std::vector<Handle> texts;
    std::vector<Handle> blocks;

private:
    static QString cells(const StringGrid *grid)
    {
        QStringList rows;
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < grid->colCount(); ++c)
                row << grid->cellText(c, r) + "#" + QString::number(grid->cellObject(c, r));
            rows << row.join(',');
        }
        return rows.join('|');
    }
};

// --- The long commands ---

struct LongCommand
{
    const char *name;
    Page page;
    std::function<void(Session &)> run;
    // The pick the command itself takes, if it picks.
    std::function<std::vector<Handle>(Session &)> pick = nullptr;
};

const std::vector<LongCommand> &longCommands()
{
    static const std::vector<LongCommand> commands = {
        {"WriteBack", TextPage, [](Session &s) { s.text().SpeedButton2->click(); }},
        {"TextAcquisition", TextPage, [](Session &s) { s.text().SpeedButton1->click(); },
         [](Session &s) { return std::vector<Handle>{s.texts[3], s.texts[1], s.texts[0]}; }},
        {"EditorFullWidth", TextPage, [](Session &s) { s.text().PopupMenu1->N1->trigger(); }},
        {"GridAcquisition", GridPage, [](Session &s) { s.attr().SpeedButton10->click(); },
         [](Session &s) { return std::vector<Handle>{s.blocks[2], s.blocks[0]}; }},
        {"Search", SearchPage, [](Session &s) { s.search().SpeedButton14->click(); }},
    };
    return commands;
}

// --- The entry points ---

// Starts a command the way the user does; gives false when the control
// cannot be reached (a disabled button), which the test does not accept.
using Trigger = std::function<bool(Session &)>;

bool click(QToolButton *button)
{
    if (!button->isEnabled())
        return false;
    button->click();
    return true;
}

bool key(QWidget *widget, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (!widget->isEnabled())
        return false;
    QTest::keyClick(widget, k, modifiers);
    return true;
}

bool trigger(QAction *action)
{
    action->trigger();
    return true;
}

bool toggle(QCheckBox *box)
{
    box->toggle();
    return true;
}

struct EntryPoint
{
    const char *name;
    Page page;
    Trigger start;
    // The long command this entry point belongs to as its own stop (it stops
    // that command, as it must), or nullptr.
    const char *stops = nullptr;
};

const std::vector<EntryPoint> &entryPoints()
{
    static const std::vector<EntryPoint> entries = {
        {"TEXT", TextPage, [](Session &s) { return click(s.text().SpeedButton1); }},
        {"WriteBack", TextPage, [](Session &s) { return click(s.text().SpeedButton2); }},
        {"CtrlEnter", TextPage, [](Session &s) { return key(s.text().SynEdit1, Qt::Key_Return, Qt::ControlModifier); }},
        {"Align", TextPage, [](Session &s) { return click(s.text().SpeedButton6); }},
        {"EnterInDY", TextPage, [](Session &s) { return key(s.text().Edit2, Qt::Key_Return); }},
        {"ATTR", TextPage, [](Session &s) { return click(s.text().SpeedButton8); }},
        {"Undo", TextPage, [](Session &s) { return click(s.text().SpeedButton4); }},
        {"TagListDialog", TextPage, [](Session &s) { return click(s.text().SpeedButton9); }},
        {"CtrlX", TextPage, [](Session &s) { return key(s.text().SynEdit1, Qt::Key_X, Qt::ControlModifier); }},
        {"MenuClear", TextPage, [](Session &s) { return trigger(s.text().PopupMenu1->N20); }},
        {"MenuPaste", TextPage, [](Session &s) { return trigger(s.text().PopupMenu1->N12); }},
        {"MenuAllFullWidth", TextPage, [](Session &s) { return trigger(s.text().PopupMenu1->N1); }},
        {"MenuSelectionHalfWidth", TextPage, [](Session &s) { return trigger(s.text().PopupMenu1->N5); }},
        {"MenuKanaClass", TextPage, [](Session &s) { return trigger(s.text().PopupMenu1->AZ1); }},
        {"MenuReplace", TextPage, [](Session &s) { return trigger(s.text().PopupMenu1->N7); }},
        {"MenuAdd", TextPage, [](Session &s) { return trigger(s.text().PopupMenu1->N14); }},
        {"MenuSerial", TextPage, [](Session &s) { return trigger(s.text().PopupMenu1->N17); }},
        {"GridAcquire", GridPage, [](Session &s) { return click(s.attr().SpeedButton10); }},
        {"GridUpdate", GridPage, [](Session &s) { return click(s.attr().SpeedButton11); }},
        {"GridUndoButton", GridPage, [](Session &s) { return click(s.attr().SpeedButton13); }},
        {"GridSortByAcquisition", GridPage, [](Session &s) { return click(s.attr().SpeedButton16); }},
        {"GridSortByText", GridPage, [](Session &s) { return click(s.attr().SpeedButton17); }},
        {"GridSortByNumber", GridPage, [](Session &s) { return click(s.attr().SpeedButton18); }},
        {"GridEnter", GridPage, [](Session &s) { return key(s.attr().StringGrid1, Qt::Key_Return); }},
        {"GridCtrlZ", GridPage, [](Session &s) { return key(s.attr().StringGrid1, Qt::Key_Z, Qt::ControlModifier); }},
        {"GridDelete", GridPage, [](Session &s) { return key(s.attr().StringGrid1, Qt::Key_Delete); }},
        {"GridCtrlC", GridPage, [](Session &s) { return key(s.attr().StringGrid1, Qt::Key_C, Qt::ControlModifier); }},
        {"GridCtrlV", GridPage, [](Session &s) { return key(s.attr().StringGrid1, Qt::Key_V, Qt::ControlModifier); }},
        {"GridMenuFullWidth", GridPage, [](Session &s) { return trigger(s.attr().N32); }},
        {"GridMenuHalfWidth", GridPage, [](Session &s) { return trigger(s.attr().N33); }},
        {"GridMenuReplace", GridPage, [](Session &s) { return trigger(s.attr().N35); }},
        {"GridMenuAdd", GridPage, [](Session &s) { return trigger(s.attr().N36); }},
        {"GridMenuSerial", GridPage, [](Session &s) { return trigger(s.attr().N31); }},
        {"Search", SearchPage, [](Session &s) { return click(s.search().SpeedButton14); }, "Search"},
        {"EnterInSearchField", SearchPage, [](Session &s) { return key(s.search().Edit3, Qt::Key_Return); },
         "Search"},
        {"PrefixMatchBox", SearchPage, [](Session &s) { return toggle(s.search().CheckBox3); }, "Search"},
        {"UpperCaseBox", SearchPage, [](Session &s) { return toggle(s.search().CheckBox4); }, "Search"},
        {"SearchUpdate", SearchPage, [](Session &s) { return click(s.search().SpeedButton15); }},
        {"SearchGridEnter", SearchPage, [](Session &s) { return key(s.search().StringGrid2, Qt::Key_Return); }},
        {"SearchGridCtrlZ", SearchPage,
         [](Session &s) { return key(s.search().StringGrid2, Qt::Key_Z, Qt::ControlModifier); }},
        {"SearchGridDelete", SearchPage, [](Session &s) { return key(s.search().StringGrid2, Qt::Key_Delete); }},
        {"SearchGridCtrlX", SearchPage,
         [](Session &s) { return key(s.search().StringGrid2, Qt::Key_X, Qt::ControlModifier); }},
    };
    return entries;
}

// Closes any modal dialog a command would show, and remembers it: none may
// open inside a long command.
class DialogWatch
{
public:
    DialogWatch()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                shown << modal->windowTitle();
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
            }
        });
        m_timer.start();
    }
    QStringList shown;

private:
    QTimer m_timer;
};

struct Case
{
    size_t command;
    size_t entry;

    friend void PrintTo(const Case &c, std::ostream *os)
    {
        *os << longCommands()[c.command].name << "_" << entryPoints()[c.entry].name;
    }
};

std::vector<Case> allCases()
{
    std::vector<Case> cases;
    for (size_t c = 0; c < longCommands().size(); ++c) {
        for (size_t e = 0; e < entryPoints().size(); ++e) {
            const char *stops = entryPoints()[e].stops;
            if (stops && std::string(stops) == longCommands()[c].name)
                continue; // its own stop: tested with the command itself
            cases.push_back({c, e});
        }
    }
    return cases;
}

// The long command's page shown and its pick scripted, then one pick more
// for a picking command started inside it (it would take it).
void prepare(Session &s, const LongCommand &command)
{
    s.form().PageControl1->setCurrentIndex(command.page);
    if (command.pick)
        s.ui.drawing->scriptPick(command.pick(s));
    s.ui.drawing->scriptPick({s.texts[0], s.blocks[0]});
}

// The world after a long command run alone, once per command.
QStringList aloneWorld(size_t command)
{
    static std::map<size_t, QStringList> worlds;
    if (!worlds.count(command)) {
        Session s;
        prepare(s, longCommands()[command]);
        longCommands()[command].run(s);
        worlds[command] = s.world();
    }
    return worlds[command];
}

class OneCommandAtATime : public ::testing::TestWithParam<Case>
{};

TEST_P(OneCommandAtATime, OneCommandAtATimeNothingStartsInsideALongCommand)
{
    const LongCommand &command = longCommands()[GetParam().command];
    const EntryPoint &entry = entryPoints()[GetParam().entry];
    const QStringList expected = aloneWorld(GetParam().command);

    Session s;
    prepare(s, command);
    DialogWatch dialogs;
    bool attempted = false;
    bool reached = false;
    s.ui.pump.onCall = [&](int) {
        if (attempted)
            return;
        attempted = true;
        // The user turns to the page of the other command and starts it.
        s.form().PageControl1->setCurrentIndex(entry.page);
        reached = entry.start(s);
        s.form().PageControl1->setCurrentIndex(command.page);
    };
    command.run(s);
    s.ui.pump.onCall = nullptr;

    EXPECT_TRUE(attempted) << "the long command never let messages through";
    EXPECT_TRUE(reached) << "the entry point could not be reached";
    EXPECT_EQ(dialogs.shown, QStringList());
    EXPECT_EQ(s.world(), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, OneCommandAtATime, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             return std::string(longCommands()[info.param.command].name) + "_"
                                    + entryPoints()[info.param.entry].name;
                         });

// Once the long command has ended, the same entry points start again: the
// mark is given back on every path, a failure included.
TEST(OneCommandAtATime, OneCommandAtATimeTheMarkIsGivenBackAfterAFailure)
{
    Session s;
    s.ui.drawing->failMember(u"StartUndoMark", u"refused");
    s.text().SpeedButton2->click();
    s.ui.drawing->clearFaults();
    EXPECT_FALSE(s.form().state().commandUnderWay);
    s.ui.messages.clear();

    s.form().PageControl1->setCurrentIndex(GridPage);
    s.attr().SpeedButton17->click(); // "文字順" now sorts
    EXPECT_EQ(s.attr().StringGrid1->cellText(1, 1), "20");
}

} // namespace
