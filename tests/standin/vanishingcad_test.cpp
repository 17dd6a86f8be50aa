// The CAD vanishing under the tool: the stand-in killed in the middle of a
// write-back, a search and an acquisition, and a stand-in that stops
// answering. The user is told, the window comes to rest, nothing is left
// open in the drawing, and the next command finds the CAD as it is.
#include "endtoend.h"

#include "cad/remote/remoteprotocol.h"

#include <QLabel>

namespace {

using cad::Variant;
using namespace std::chrono_literals;

const QString ConnectionLost = QString::fromStdU16String(cad::remote::ConnectionLostMessage);
const QString NoAnswer = QString::fromStdU16String(cad::remote::NoAnswerMessage);
const QString WriteBackStopped = QStringLiteral("エラーのため、更新を中止しました．");

// The commands of the cases, each driven through the window as a user does.
enum class Command { WriteBack, Search, Acquisition };

class VanishingCad : public EndToEnd
{
protected:
    TTextTab &textTab() { return *form->TabSheet1; }
    TAttrTab &attrTab() { return *form->TabSheet2; }
    TSearchTab &searchTab() { return *form->TEST; }

    QString textOf(const std::u16string &handle)
    {
        return QString::fromStdU16String(cad().activeDocument().handleToObject(handle).textString());
    }
    std::vector<std::u16string> selectionSetNames()
    {
        const cad::SelectionSets sets = cad().activeDocument().selectionSets();
        std::vector<std::u16string> names;
        for (int i = 0; i < sets.count(); ++i)
            names.push_back(sets.item(i).name());
        return names;
    }
    // The tool's connection ends in the stand-in a moment after the tool gave it up.
    bool standInLetGoOfTheTool()
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 10000) {
            if (selectionSetNames().empty())
                return true;
            QThread::msleep(20);
        }
        return false;
    }

    // The texts of the first tab: `count` unlocked ones picked with "TEXT",
    // every line edited in the editor; their handles in the order of the lines.
    std::vector<std::u16string> pickedTexts;
    QStringList editedLines;
    void prepareWriteBack(int count)
    {
        form->PageControl1->setCurrentIndex(0);
        cad::SelectionFilter texts;
        texts.add(0, u"TEXT");
        texts.add(1, u"[~検]*");
        const auto all = select(texts);
        ASSERT_GE(int(all.size()), count);
        pickedTexts.assign(all.begin(), all.begin() + count);
        scriptPick(pickedTexts);
        textTab().SpeedButton1->click();
        editedLines = textTab().SynEdit1->lines();
        ASSERT_EQ(editedLines.size(), count) << messages.texts().join("|").toStdString();
        // The records in the order of the lines (the acquisition sorts them).
        pickedTexts.clear();
        for (const auto &record : textTab().EditTexts)
            pickedTexts.push_back(record.sHnd.toStdU16String());
        for (QString &line : editedLines)
            line += "（改）";
        textTab().SynEdit1->setLines(editedLines);
        messages.clear();
    }

    // The block references "取得" takes: the motors.
    std::vector<std::u16string> motors;
    void prepareAcquisition()
    {
        form->PageControl1->setCurrentIndex(1);
        cad::SelectionFilter filter;
        filter.add(0, u"INSERT");
        filter.add(2, u"電動機");
        motors = select(filter);
        ASSERT_GE(motors.size(), 2u);
        scriptPick(motors);
    }

    void prepare(Command command)
    {
        switch (command) {
        case Command::WriteBack:
            prepareWriteBack(6);
            break;
        case Command::Search:
            form->PageControl1->setCurrentIndex(2);
            searchTab().Edit3->clear();
            break;
        case Command::Acquisition:
            prepareAcquisition();
            break;
        }
    }
    void run(Command command)
    {
        switch (command) {
        case Command::WriteBack:
            textTab().SpeedButton2->click(); // "更新(Ctrl+Enter)"
            break;
        case Command::Search:
            searchTab().SpeedButton14->click(); // "検索"
            break;
        case Command::Acquisition:
            attrTab().SpeedButton10->click(); // "取得"
            break;
        }
    }

    // The window idle: no command holds it, nothing can be stopped, the
    // command's labels and buttons as before it started.
    void expectWindowAtRest(Command command)
    {
        EXPECT_FALSE(form->commandRunning());
        EXPECT_FALSE(form->isMinimized());
        switch (command) {
        case Command::WriteBack:
            EXPECT_FALSE(form->state().runFlag);
            EXPECT_FALSE(textTab().SpeedButton5->isEnabled()) << "中止";
            EXPECT_TRUE(textTab().Label2->isHidden());
            EXPECT_FALSE(textTab().SpeedButton3->isHidden()) << "すべて選択";
            // The user's edit is not lost: the lines stay as typed.
            EXPECT_EQ(textTab().SynEdit1->lines(), editedLines);
            break;
        case Command::Search:
            // A search leaves runFlag as it ends; its button is its "中止".
            EXPECT_EQ(searchTab().SpeedButton14->text(), "検索");
            EXPECT_TRUE(searchTab().Edit3->isEnabled());
            break;
        case Command::Acquisition:
            EXPECT_FALSE(form->state().runFlag);
            EXPECT_FALSE(attrTab().SpeedButton12->isEnabled()) << "中止";
            break;
        }
    }
};

struct KillCase
{
    const char *name;
    Command command;
    int killAtPump; // the pump's turn (after that many items) at which the CAD dies
    QStringList told;
    // "取得": counted from the start of the second pass (the rows).
    bool inSecondPass = false;
};

void PrintTo(const KillCase &c, std::ostream *os)
{
    *os << c.name;
}

class CadKilledMidCommand : public VanishingCad, public ::testing::WithParamInterface<KillCase>
{
};

TEST_P(CadKilledMidCommand, TellsTheUserAndComesToRestAndTheNextCommandFindsNoCad)
{
    const KillCase &c = GetParam();
    prepare(c.command);
    ASSERT_FALSE(HasFatalFailure());
    bool killed = false;
    pump.calls = 0;
    // The first pass turns the pump once for each block reference picked.
    const int killAt = c.inSecondPass ? int(motors.size()) + c.killAtPump : c.killAtPump;
    pump.onCall = [&](int call) {
        if (call == killAt) {
            killCad();
            killed = true;
        }
    };
    run(c.command);
    pump.onCall = nullptr;
    ASSERT_TRUE(killed) << "the command ended before the CAD died";
    EXPECT_EQ(messages.texts(), c.told);
    for (const auto &shown : messages.shown) {
        if (shown.text == ConnectionLost) {
            EXPECT_EQ(shown.kind, CapturingMessageBoxes::Error);
        }
    }
    expectWindowAtRest(c.command);
    if (c.command == Command::Acquisition && !c.inSecondPass) {
        // Lost in the first pass: like "中止" there, no block is taken.
        EXPECT_TRUE(attrTab().GridBlocks.empty());
        EXPECT_TRUE(attrTab().GridAttributes.empty());
        EXPECT_EQ(attrTab().StringGrid1->rowCount(), 2);
    }
    if (c.command == Command::Acquisition && c.inSecondPass) {
        // Lost in the second pass: like "中止" there, the rows filled so far
        // stay, each cell with its attribute; the rest stay empty.
        EXPECT_EQ(attrTab().GridBlocks.size(), motors.size());
        const StringGrid &grid = *attrTab().StringGrid1;
        ASSERT_EQ(grid.rowCount(), int(motors.size()) + 1);
        ASSERT_FALSE(attrTab().GridAttributes.empty());
        int filled = 0;
        for (int col = 1; col < grid.colCount(); ++col) {
            const int ref = grid.cellObject(col, 1);
            if (ref > 0) {
                ++filled;
                EXPECT_EQ(grid.cellText(col, 1), attrTab().GridAttributes[size_t(ref - 1)].text);
            }
        }
        EXPECT_GT(filled, 0) << "the first row was filled before the CAD died";
        for (int row = 2; row < grid.rowCount(); ++row) {
            for (int col = 1; col < grid.colCount(); ++col)
                EXPECT_EQ(grid.cellObject(col, row), 0) << "row " << row << " col " << col;
        }
    }

    // The next command finds the CAD not running and asks nothing of it.
    messages.clear();
    EXPECT_FALSE(form->cadIsRunning());
    run(c.command);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join("|").toStdString();
    expectWindowAtRest(c.command);
}

INSTANTIATE_TEST_SUITE_P(
    VanishingCad, CadKilledMidCommand,
    ::testing::Values(
        // Three of six records written, then the write-back stops and says why.
        KillCase{"WriteBack", Command::WriteBack, 3, {WriteBackStopped, ConnectionLost}},
        KillCase{"Search", Command::Search, 5, {ConnectionLost}},
        KillCase{"Acquisition", Command::Acquisition, 2, {ConnectionLost}},
        // The first row filled, then the CAD dies.
        KillCase{"AcquisitionRows", Command::Acquisition, 2, {ConnectionLost}, true}),
    [](const ::testing::TestParamInfo<KillCase> &info) { return std::string(info.param.name); });

// The stand-in stops answering one call. A call has a short limit here; the
// stand-in answers every other call at once.
class StalledCad : public VanishingCad
{
protected:
    StalledCad() { callTimeout = 2000ms; }

    void stallNextCall(const std::u16string &member)
    {
        cad().object()->callWith(cad::remote::member::TestStallNextCall, {Variant(member)});
    }
};

struct StallCase
{
    const char *name;
    Command command;
    int stallAtPump;        // the pump's turn after which the stand-in stalls
    const char16_t *member; // the member of the call it leaves unanswered
    QStringList told;
};

void PrintTo(const StallCase &c, std::ostream *os)
{
    *os << c.name;
}

class StalledCallFails : public StalledCad, public ::testing::WithParamInterface<StallCase>
{
};

TEST_P(StalledCallFails, WithTheMessageAndNothingLeftOpen)
{
    const StallCase &c = GetParam();
    prepare(c.command);
    ASSERT_FALSE(HasFatalFailure());
    const QStringList textsBefore = [&] {
        QStringList texts;
        for (const auto &h : pickedTexts)
            texts << textOf(h);
        return texts;
    }();
    bool stalled = false;
    pump.calls = 0;
    pump.onCall = [&](int call) {
        if (call == c.stallAtPump) {
            stallNextCall(c.member);
            stalled = true;
        }
    };
    QElapsedTimer took;
    took.start();
    run(c.command);
    pump.onCall = nullptr;
    ASSERT_TRUE(stalled) << "the command ended before the stand-in stalled";
    EXPECT_GE(took.elapsed(), callTimeout.count());
    EXPECT_EQ(messages.texts(), c.told);
    expectWindowAtRest(c.command);

    // The stand-in closed what the tool had open: its selection set is gone,
    // and its undo group is ended, so the CAD's undo works.
    EXPECT_TRUE(standInLetGoOfTheTool()) << "selection sets left: " << selectionSetNames().size();
    EXPECT_TRUE(testLine.isRunning(progId.toStdU16String()));
    if (c.command == Command::WriteBack) {
        // The records written before the stall are one step of the CAD's undo.
        EXPECT_EQ(textOf(pickedTexts[0]), editedLines[0]);
        EXPECT_EQ(textOf(pickedTexts[1]), editedLines[1]);
        ASSERT_TRUE(undoInCad());
        for (size_t i = 0; i < pickedTexts.size(); ++i)
            EXPECT_EQ(textOf(pickedTexts[i]), textsBefore[int(i)]);
    }

    // The CAD still runs: the next command works.
    messages.clear();
    if (c.command == Command::Acquisition)
        scriptPick(motors);
    run(c.command);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join("|").toStdString();
    expectWindowAtRest(c.command);
    switch (c.command) {
    case Command::WriteBack:
        for (size_t i = 0; i < pickedTexts.size(); ++i)
            EXPECT_EQ(textOf(pickedTexts[i]), editedLines[int(i)]);
        break;
    case Command::Search:
        EXPECT_FALSE(searchTab().SearchTexts.empty());
        break;
    case Command::Acquisition:
        EXPECT_EQ(attrTab().GridBlocks.size(), motors.size());
        break;
    }
    EXPECT_TRUE(selectionSetNames().empty());
}

INSTANTIATE_TEST_SUITE_P(
    VanishingCad, StalledCallFails,
    ::testing::Values(
        // The third record's text is not answered.
        StallCase{"WriteBack", Command::WriteBack, 2, u"TextString", {WriteBackStopped, NoAnswer}},
        StallCase{"Search", Command::Search, 3, u"TextString", {NoAnswer}},
        StallCase{"Acquisition", Command::Acquisition, 2, u"Handle", {NoAnswer}}),
    [](const ::testing::TestParamInfo<StallCase> &info) { return std::string(info.param.name); });

TEST_F(StalledCad, APickWaitsForTheUserBeyondTheCallLimit)
{
    form->PageControl1->setCurrentIndex(0);
    // The user ends the pick in the CAD's viewer with Escape, long after a
    // call would have been given up.
    QElapsedTimer took;
    took.start();
    bool userEndedThePick = false;
    QTimer::singleShot(callTimeout * 3, Qt::PreciseTimer, [&] {
        cad().object()->call(cad::remote::member::WindowPressEscape);
        userEndedThePick = true;
    });
    textTab().SpeedButton1->click(); // "TEXT"
    EXPECT_TRUE(userEndedThePick) << "the pick ended before the user ended it";
    EXPECT_GE(took.elapsed(), 2 * callTimeout.count());
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join("|").toStdString();
    EXPECT_TRUE(textTab().EditTexts.empty());
    EXPECT_FALSE(form->commandRunning());

    // The link was kept: the next command is served on it.
    const std::vector<std::u16string> texts = textsMatching(u"[~検]*");
    ASSERT_GE(texts.size(), 2u);
    scriptPick({texts[0], texts[1]});
    textTab().SpeedButton1->click();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join("|").toStdString();
    EXPECT_EQ(textTab().EditTexts.size(), 2u);
}

} // namespace
