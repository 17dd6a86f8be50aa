// Every CAD call of every command, failing: each command that talks to the
// CAD runs once cleanly to count its calls (N), then once per call k = 1 … N
// with the k-th call failing, and once with the CAD not running at all
// (k = 0). After each run the drawing and the window must be sound:
//   - no temporary selection set left, no undo group open;
//   - every entity holds its own old string or the string meant for it;
//   - the window at rest: no command marked, every "中止" disabled, the
//     main window not left minimised;
//   - what the tool shows belongs to what it names (an editor line or a
//     cell shows the string of the entity its record points at);
//   - a change that did not reach the drawing is told (a message) and not
//     shown as written: the user runs the command again, without the
//     failure, and gets exactly what the clean run gave.
#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "attrtab/tattrtab.h"
#include "attrtab/tmorvattform.h"
#include "editor/lineeditor.h"
#include "grid/stringgrid.h"
#include "searchtab/tsearchtab.h"
#include "texttab/ttexttab.h"

#include "cad/memory/memorydrawing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <set>

namespace {

using cad::Handle;

// A session built for one command: a drawing with texts (one on a locked
// layer) and equipment blocks, and the tab of the command prepared.
class Sweep
{
public:
    Sweep()
    {
        cad::MemoryDrawing &d = *ui.drawing;
        d.addLayer(u"LOCKED", true);
        for (int i = 0; i < 4; ++i)
            texts.push_back(d.addText(u"T" + num(i + 1), {0, 100.0 - 10 * i, 0}));
        lockedText = d.addText(u"T9", {0, 50, 0}, u"LOCKED");
        d.addAttributeDefinition(u"EQ", u"NAME", u"機器名");
        d.addAttributeDefinition(u"EQ", u"SPEC", u"仕様");
        for (int i = 0; i < 3; ++i) {
            blocks.push_back(d.addBlockReference(u"EQ", {50, 100.0 - 10 * i, 0},
                                                 {{u"NAME", u"N" + num(i + 1)}, {u"SPEC", u"S" + num(i + 1)}}));
        }
        ui.start();
        TAttrTab &attr = *ui.form().TabSheet2;
        attr.ComboBox2->clear();
        attr.ComboBox2->addItem("機器,NAME,SPEC");
        attr.ComboBox2->setCurrentIndex(0);
    }

    static std::u16string num(int n) { return QString::number(n).toStdU16String(); }

    cad::MemoryDrawing &drawing() { return *ui.drawing; }
    TMorvMainForm &form() { return ui.form(); }
    TTextTab &text() { return *ui.form().TabSheet1; }
    TAttrTab &attr() { return *ui.form().TabSheet2; }
    TSearchTab &search() { return *ui.form().TEST; }
    TMorvAttForm &tagDialog() { return *attr().MorvAttForm; }
    StringGrid &grid1() { return *attr().StringGrid1; }
    StringGrid &grid2() { return *search().StringGrid2; }

    Handle attributeOf(Handle ref, const std::u16string &tag)
    {
        for (Handle h : drawing().entity(ref)->attributes) {
            if (drawing().entity(h)->tag == tag)
                return h;
        }
        return 0;
    }

    void pickTexts()
    {
        drawing().scriptPick(texts);
        text().SpeedButton1->click();
    }
    void pickAttributes()
    {
        text().ComboBox1->setEditText("NAME:機器名");
        drawing().scriptPick(blocks);
        text().SpeedButton8->click();
    }
    void acquireGrid()
    {
        form().PageControl1->setCurrentIndex(1);
        drawing().scriptPick(blocks);
        attr().SpeedButton10->click();
    }
    void runSearch(const QString &pattern = "T")
    {
        form().PageControl1->setCurrentIndex(2);
        search().Edit3->setText(pattern);
        search().SpeedButton14->click();
    }
    // Every row of the search grid changed, as the user types.
    void editEveryRow()
    {
        for (int r = 0; r < grid2().rowCount(); ++r)
            grid2().setCellText(0, r, grid2().cellText(0, r) + "x");
        search().SpeedButton15->setEnabled(true); // as an edit in the grid enables it
    }
    // "全半角同一" and "属性" on, without the search their toggling starts.
    void searchWidthsAlikeAndAttributes()
    {
        for (QCheckBox *box : {search().CheckBox10, search().CheckBox11}) {
            const QSignalBlocker quiet(box);
            box->setChecked(true);
        }
    }
    void pressReturn(StringGrid &grid)
    {
        QTest::keyClick(&grid, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    HeadlessForm ui;
    std::vector<Handle> texts;
    Handle lockedText = 0;
    std::vector<Handle> blocks;
};

QString textOfHandle(cad::MemoryDrawing &d, const QString &handle)
{
    const cad::MemoryEntity *e = d.entity(cad::handleFromString(handle.toStdU16String()));
    return e ? QString::fromStdU16String(e->text) : QStringLiteral("<no entity>");
}

QString cellsOf(const StringGrid &grid)
{
    QStringList rows;
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < grid.colCount(); ++c)
            row << grid.cellText(c, r);
        rows << row.join(',');
    }
    return rows.join('|');
}

// --- What each tab shows must belong to the entities it names ---

QStringList editorBelongs(Sweep &s)
{
    QStringList wrong;
    const QStringList lines = s.ui.editorLines();
    const MorvList &records = s.text().EditTexts;
    for (size_t i = 0; i < records.size(); ++i) {
        const Morv &rec = records[i];
        if (rec.sHnd.isEmpty())
            continue;
        const QString inDrawing = textOfHandle(s.drawing(), rec.sHnd);
        if (rec.text != inDrawing)
            wrong << QStringLiteral("record %1 holds '%2', its entity '%3'").arg(i).arg(rec.text, inDrawing);
        if (int(i) < lines.size() && lines[int(i)] != inDrawing)
            wrong << QStringLiteral("line %1 shows '%2', its entity holds '%3'").arg(i + 1).arg(lines[int(i)], inDrawing);
    }
    return wrong;
}

QStringList gridBelongs(Sweep &s)
{
    QStringList wrong;
    const StringGrid &grid = s.grid1();
    const GridAttributeList &records = s.attr().GridAttributes;
    for (int r = 1; r < grid.rowCount(); ++r) {
        for (int c = 1; c < grid.colCount(); ++c) {
            const int ref = grid.cellObject(c, r);
            if (ref < 1)
                continue;
            if (ref > int(records.size())) {
                wrong << QStringLiteral("cell %1,%2 names record %3 of %4").arg(c).arg(r).arg(ref).arg(records.size());
                continue;
            }
            const nAtt &rec = records[size_t(ref - 1)];
            const QString inDrawing = textOfHandle(s.drawing(), rec.sHnd);
            if (rec.text != inDrawing)
                wrong << QStringLiteral("cell %1,%2: record '%3', attribute '%4'").arg(c).arg(r).arg(rec.text, inDrawing);
        }
    }
    return wrong;
}

QStringList searchBelongs(Sweep &s)
{
    QStringList wrong;
    const StringGrid &grid = s.grid2();
    const Morv2List &records = s.search().SearchTexts;
    for (int r = 0; r < grid.rowCount(); ++r) {
        const int ref = grid.cellObject(0, r);
        if (ref < 1)
            continue;
        if (ref > int(records.size())) {
            wrong << QStringLiteral("row %1 names record %2 of %3").arg(r).arg(ref).arg(records.size());
            continue;
        }
        const Morv2 &rec = records[size_t(ref - 1)];
        const QString inDrawing = textOfHandle(s.drawing(), rec.sHnd);
        if (rec.text != inDrawing)
            wrong << QStringLiteral("row %1: record '%2', text '%3'").arg(r).arg(rec.text, inDrawing);
    }
    return wrong;
}

QStringList nothingShown(Sweep &) { return {}; }

// Whether a grid shows a cell or row as not written (drawn red).
bool showsUnwrittenCells(Sweep &s)
{
    const StringGrid &grid1 = s.grid1();
    const GridAttributeList &attributes = s.attr().GridAttributes;
    for (int r = 1; r < grid1.rowCount(); ++r) {
        for (int c = 1; c < grid1.colCount(); ++c) {
            const int ref = grid1.cellObject(c, r);
            if (ref >= 1 && ref <= int(attributes.size()) && attributes[size_t(ref - 1)].text != grid1.cellText(c, r))
                return true;
        }
    }
    const StringGrid &grid2 = s.grid2();
    const Morv2List &found = s.search().SearchTexts;
    for (int r = 0; r < grid2.rowCount(); ++r) {
        const int ref = grid2.cellObject(0, r);
        if (ref >= 1 && ref <= int(found.size()) && found[size_t(ref - 1)].text != grid2.cellText(0, r))
            return true;
    }
    return false;
}

// --- The commands ---

struct SweptCommand
{
    const char *name;
    // The session just before the user starts the command.
    std::function<void(Sweep &)> prepare;
    // The command, started as the user starts it (its picks scripted).
    std::function<void(Sweep &)> run;
    // What the command produced, for comparing a run with the clean one.
    std::function<QStringList(Sweep &)> outcome;
    // Places where the window shows a string that is not its entity's.
    std::function<QStringList(Sweep &)> belongs = nothingShown;
    // The same command started again; by default as `run` starts it.
    std::function<void(Sweep &)> again = nullptr;

    // Whether the command writes into the drawing (its outcome is the drawing).
    bool writes() const;
    // Whether it is a search, which leaves runFlag on when it finishes.
    bool searches() const;
};

// The drawing's strings and places: what a writing command produces.
QStringList drawingOutcome(Sweep &s)
{
    QStringList out;
    for (const auto &[handle, e] : s.drawing().entities()) {
        out << QStringLiteral("%1 (%2, %3)")
                   .arg(QString::fromStdU16String(e.text))
                   .arg(e.insertionPoint.x)
                   .arg(e.insertionPoint.y);
    }
    out.sort();
    return out;
}

bool SweptCommand::writes() const
{
    const auto f = outcome.target<QStringList (*)(Sweep &)>();
    return f && *f == &drawingOutcome;
}

QStringList searchOutcome(Sweep &s);

bool SweptCommand::searches() const
{
    const auto f = outcome.target<QStringList (*)(Sweep &)>();
    return f && *f == &searchOutcome;
}

QStringList editorOutcome(Sweep &s)
{
    QStringList out = s.ui.editorLines();
    for (const Morv &rec : s.text().EditTexts)
        out << rec.sHnd + ":" + rec.text;
    return out;
}

QStringList viewOutcome(Sweep &s)
{
    const cad::MemoryDrawing &d = s.drawing();
    return {QStringLiteral("centre %1, %2").arg(d.lastZoomCenter.x).arg(d.lastZoomCenter.y),
            "panel " + s.form().statusPanelText(0) + " / " + s.form().statusPanelText(1)};
}

QStringList gridOutcome(Sweep &s) { return {cellsOf(s.grid1())}; }

QStringList searchOutcome(Sweep &s)
{
    QStringList out{cellsOf(s.grid2())};
    for (const Morv2 &rec : s.search().SearchTexts)
        out << rec.sHnd + ":" + rec.text;
    return out;
}

const std::vector<SweptCommand> &sweptCommands()
{
    static const std::vector<SweptCommand> commands = {
        {"TEXT", [](Sweep &) {}, [](Sweep &s) { s.pickTexts(); }, editorOutcome, editorBelongs},
        {"ATTR", [](Sweep &) {}, [](Sweep &s) { s.pickAttributes(); }, editorOutcome, editorBelongs},
        {"WriteBackTexts",
         [](Sweep &s) {
             s.pickTexts();
             // Three lines changed, one kept, one added below the last text.
             s.ui.setEditorLines({"W1", "T2", "W3", "W4", "W5"});
         },
         [](Sweep &s) { s.text().SpeedButton2->click(); }, drawingOutcome},
        {"WriteBackAttributes",
         [](Sweep &s) {
             s.pickAttributes();
             s.ui.setEditorLines({"A1", "N2", "A3"});
         },
         [](Sweep &s) { s.text().SpeedButton2->click(); }, drawingOutcome},
        {"Align",
         [](Sweep &s) {
             s.drawing().entity(s.texts[1])->insertionPoint.x = 7;
             s.drawing().entity(s.texts[3])->insertionPoint.x = -4;
             s.pickTexts();
         },
         [](Sweep &s) { s.text().SpeedButton6->click(); }, drawingOutcome},
        {"CaretZoom",
         [](Sweep &s) {
             s.pickTexts();
             s.text().CheckBox9->setChecked(true);
         },
         [](Sweep &s) {
             s.text().SynEdit1->setCaret(3, 1);
             s.text().SynEdit1Click();
         },
         viewOutcome, nothingShown,
         // The view follows a line once: the user goes to another line and back.
         [](Sweep &s) {
             s.text().SynEdit1->setCaret(1, 1);
             s.text().SynEdit1Click();
             s.text().SynEdit1->setCaret(3, 1);
             s.text().SynEdit1Click();
         }},
        {"GridAcquisition", [](Sweep &) {}, [](Sweep &s) { s.acquireGrid(); }, gridOutcome, gridBelongs},
        {"GridUpdate",
         [](Sweep &s) {
             s.acquireGrid();
             s.grid1().setCellText(1, 1, "E1");
             s.grid1().setCellText(2, 2, "E2");
             s.grid1().setCellText(1, 3, "E3");
         },
         [](Sweep &s) { s.attr().SpeedButton11->click(); }, drawingOutcome, gridBelongs},
        {"GridEnter",
         [](Sweep &s) {
             s.acquireGrid();
             s.attr().CheckBox7->setChecked(true);
             s.grid1().setCurrentCell(1, 2);
             s.grid1().setCellText(1, 2, "E2");
         },
         [](Sweep &s) {
             s.grid1().setCurrentCell(1, 2);
             s.pressReturn(s.grid1());
         },
         drawingOutcome, gridBelongs},
        {"GridCellZoom",
         [](Sweep &s) {
             s.acquireGrid();
             s.attr().CheckBox6->setChecked(true);
             s.grid1().setCurrentCell(1, 1);
         },
         [](Sweep &s) { s.grid1().setCurrentCell(2, 3); }, viewOutcome, nothingShown,
         // The cell is current already: a click on it.
         [](Sweep &s) { s.attr().StringGrid1Click(); }},
        {"Search", [](Sweep &) {}, [](Sweep &s) { s.runSearch(); }, searchOutcome, searchBelongs},
        {"SearchUpdate",
         [](Sweep &s) {
             s.runSearch();
             s.editEveryRow();
         },
         [](Sweep &s) { s.search().SpeedButton15->click(); }, drawingOutcome, searchBelongs},
        {"SearchEnter",
         [](Sweep &s) {
             s.runSearch();
             s.search().CheckBox5->setChecked(true);
             s.grid2().setCurrentCell(0, 1);
             s.grid2().setCellText(0, 1, "E");
         },
         [](Sweep &s) {
             s.grid2().setCurrentCell(0, 1);
             s.pressReturn(s.grid2());
         },
         drawingOutcome, searchBelongs},
        {"SearchWidthsAlikeAndAttributes", [](Sweep &s) { s.searchWidthsAlikeAndAttributes(); },
         [](Sweep &s) { s.runSearch("Ｎ"); }, searchOutcome, searchBelongs},
        {"SearchUpdateAttributes",
         [](Sweep &s) {
             s.searchWidthsAlikeAndAttributes();
             s.runSearch("Ｎ");
             s.editEveryRow();
         },
         [](Sweep &s) { s.search().SpeedButton15->click(); }, drawingOutcome, searchBelongs},
        {"SearchRowZoom",
         [](Sweep &s) {
             s.runSearch();
             s.grid2().setCurrentCell(0, 0);
         },
         [](Sweep &s) { s.grid2().setCurrentCell(0, 2); }, viewOutcome, nothingShown,
         [](Sweep &s) { s.search().StringGrid2Click(); }},
        {"TagPick",
         [](Sweep &s) {
             s.tagDialog().Edit1->setText("OLD");
             s.tagDialog().Edit2->setText("old");
         },
         [](Sweep &s) {
             s.drawing().scriptSubEntityPick(s.attributeOf(s.blocks[1], u"SPEC"));
             s.tagDialog().SpeedButton1->click();
         },
         [](Sweep &s) { return QStringList{s.tagDialog().Edit1->text(), s.tagDialog().Edit2->text()}; }},
    };
    return commands;
}

// The entities' strings before the command and after its clean run.
struct Expectation
{
    std::map<Handle, std::u16string> before;
    std::map<Handle, std::u16string> cleanAfter;
    std::multiset<std::u16string> cleanNew; // strings of entities the clean run added
    QStringList outcome;
    QStringList messages; // what the clean run tells (a count of the rows written …)
    QStringList calls;    // "Object.Member" of each CAD call, in order
};

Expectation cleanRun(const SweptCommand &command)
{
    Sweep s;
    command.prepare(s);
    Expectation e;
    for (const auto &[h, entity] : s.drawing().entities())
        e.before[h] = entity.text;
    s.ui.messages.clear();
    s.drawing().clearCallLog();
    command.run(s);
    for (const cad::CallRecord &call : s.drawing().callLog())
        e.calls << QString::fromStdU16String(call.object + u"." + call.member);
    for (const auto &[h, entity] : s.drawing().entities()) {
        if (e.before.count(h))
            e.cleanAfter[h] = entity.text;
        else
            e.cleanNew.insert(entity.text);
    }
    e.outcome = command.outcome(s);
    e.messages = s.ui.messages.texts();
    for (const CapturingMessageBoxes::Shown &shown : s.ui.messages.shown)
        EXPECT_NE(shown.kind, CapturingMessageBoxes::Error) << command.name << ": the clean run fails: " << shown.text.toStdString();
    return e;
}

// What is wrong after the command ran with call k failing (0: the CAD not running).
QStringList faultedRun(const SweptCommand &command, const Expectation &clean, int k)
{
    Sweep s;
    command.prepare(s);
    const size_t setsBefore = s.drawing().selectionSets().size();
    s.ui.messages.clear();
    const bool runFlagBefore = s.form().state().runFlag; // a finished search leaves it on
    if (k == 0)
        s.ui.rot.revoke(HeadlessForm::ProgId);
    else
        s.drawing().failNthCall(k);
    command.run(s);
    s.drawing().clearFaults();

    QStringList wrong;
    cad::MemoryDrawing &d = s.drawing();
    if (d.hasSelectionSet(u"SSTEMP") || d.selectionSets().size() != setsBefore)
        wrong << "a selection set is left";
    if (d.undoDepth() != 0)
        wrong << QStringLiteral("an undo group is open (depth %1)").arg(d.undoDepth());
    std::multiset<std::u16string> newStrings = clean.cleanNew;
    for (const auto &[h, entity] : d.entities()) {
        const auto before = clean.before.find(h);
        if (before == clean.before.end()) {
            const auto it = newStrings.find(entity.text);
            if (it == newStrings.end())
                wrong << "an added entity holds '" + QString::fromStdU16String(entity.text) + "'";
            else
                newStrings.erase(it);
            continue;
        }
        const auto meant = clean.cleanAfter.find(h);
        if (entity.text != before->second && (meant == clean.cleanAfter.end() || entity.text != meant->second)) {
            wrong << QStringLiteral("entity %1 holds '%2', neither its own '%3' nor its line")
                         .arg(h)
                         .arg(QString::fromStdU16String(entity.text), QString::fromStdU16String(before->second));
        }
    }
    const MorvFormState &state = s.form().state();
    if (state.commandUnderWay)
        wrong << "a command is still marked";
    if (state.runFlag && !runFlagBefore && !command.searches())
        wrong << "runFlag is left on";
    if (s.text().SpeedButton5->isEnabled() || s.attr().SpeedButton12->isEnabled())
        wrong << "a \"中止\" is left enabled";
    if (s.search().SpeedButton14->text() != "検索")
        wrong << "the search button still reads " + s.search().SpeedButton14->text();
    if (s.ui.windows.minimized.count(s.form().mainWindowHandle()))
        wrong << "the main window is left minimised";
    wrong << command.belongs(s);

    // With no CAD running no command starts, quietly; the lines and cells
    // keep the edits (running again below shows it).
    const bool told = k == 0 || s.ui.messages.texts() != clean.messages || showsUnwrittenCells(s);
    if (command.writes() && drawingOutcome(s) != clean.outcome && !told)
        wrong << "the drawing differs from what was meant and nothing was told";

    // The user runs the command again, the CAD well: the result is the clean one.
    s.ui.rot.registerRunning(HeadlessForm::ProgId, s.ui.drawing);
    s.ui.messages.clear();
    (command.again ? command.again : command.run)(s);
    if (command.outcome(s) != clean.outcome) {
        wrong << "run again, it gives " + command.outcome(s).join("; ") + " instead of " + clean.outcome.join("; ");
    }
    for (const CapturingMessageBoxes::Shown &shown : s.ui.messages.shown) {
        if (shown.kind == CapturingMessageBoxes::Error)
            wrong << "run again, it fails: " + shown.text;
    }
    return wrong;
}

TEST(FaultSweep, EveryCadCallOfEveryCommandMayFail)
{
    int runs = 0;
    QStringList figures;
    for (const SweptCommand &command : sweptCommands()) {
        const Expectation clean = cleanRun(command);
        const int calls = int(clean.calls.size());
        EXPECT_GT(calls, 0) << command.name << " makes no CAD call";
        for (int k = 0; k <= calls; ++k) {
            const QStringList wrong = faultedRun(command, clean, k);
            EXPECT_TRUE(wrong.isEmpty()) << command.name << ", call " << k << " of " << calls
                                         << (k == 0 ? QStringLiteral(" (the CAD not running)")
                                                    : " (" + clean.calls[k - 1] + ") failing")
                                                .toStdString()
                                         << ":\n  " << wrong.join("\n  ").toStdString();
            ++runs;
        }
        figures << QStringLiteral("%1 %2").arg(command.name).arg(calls);
    }
    std::cout << "[ sweep    ] " << sweptCommands().size() << " commands, " << runs
              << " runs with one failure point each (calls per command: " << figures.join(", ").toStdString()
              << ")\n";
}

} // namespace
