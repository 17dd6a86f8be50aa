// Large input: a drawing of 100,000 TEXTs, an editor of 100,000 lines and a
// line of a megabyte, a paste of 100,000 cells. Every command finishes, or
// stops on "中止" with the drawing and the window sound; nothing is cut
// short without saying so. (How long they take is for the benchmarks.)
#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "attrtab/tattrtab.h"
#include "editor/lineeditor.h"
#include "grid/stringgrid.h"
#include "searchtab/tsearchtab.h"
#include "texttab/ttexttab.h"
#include "transform/editor/editorpopupmenu.h"

#include "cad/memory/memorydrawing.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using cad::Handle;

constexpr int ManyTexts = 100000;
constexpr int MegabyteLine = 1 << 20;

QString textNumber(int i) { return QStringLiteral("盤-%1").arg(i, 6, 10, QLatin1Char('0')); }

class LargeInput : public ::testing::Test
{
protected:
    LargeInput() { ui.start(); }

    cad::MemoryDrawing &drawing() { return *ui.drawing; }
    TTextTab &text() { return *ui.form().TabSheet1; }
    TAttrTab &attr() { return *ui.form().TabSheet2; }
    TSearchTab &search() { return *ui.form().TEST; }

    // 100,000 TEXTs in a column, every tenth on a locked layer.
    std::vector<Handle> addManyTexts()
    {
        drawing().addLayer(u"LOCKED", true);
        std::vector<Handle> handles;
        handles.reserve(ManyTexts);
        for (int i = 0; i < ManyTexts; ++i)
            handles.push_back(drawing().addText(textNumber(i).toStdU16String(), {0, -double(i), 0},
                                                i % 10 == 9 ? u"LOCKED" : u"0"));
        drawing().clearCallLog();
        return handles;
    }
    void searchAll()
    {
        ui.form().PageControl1->setCurrentIndex(2);
        search().Edit3->setText("盤");
        search().SpeedButton14->click();
    }
    int rowCount() { return search().StringGrid2->rowCount(); }

    HeadlessForm ui;
};

TEST_F(LargeInput, AHundredThousandTextsAreFoundPastedOverAndWrittenBackInOneStep)
{
    const std::vector<Handle> handles = addManyTexts();
    searchAll();
    ASSERT_EQ(rowCount(), ManyTexts);
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));

    // 100,000 lines from another program, pasted from the first row down.
    QStringList pasted;
    pasted.reserve(ManyTexts);
    for (int i = 0; i < ManyTexts; ++i)
        pasted << QStringLiteral("新-%1").arg(i);
    QApplication::clipboard()->setText(pasted.join("\r\n") + "\r\n");
    StringGrid &grid = *search().StringGrid2;
    grid.setCurrentCell(0, 0);
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.cellText(0, 0), "新-0");
    EXPECT_EQ(grid.cellText(0, ManyTexts - 1), QStringLiteral("新-%1").arg(ManyTexts - 1));
    // One Ctrl+Z takes the whole paste back; the user pastes again.
    QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid.cellText(0, 0), textNumber(0));
    EXPECT_EQ(grid.cellText(0, ManyTexts - 1), textNumber(ManyTexts - 1));
    grid.setCurrentCell(0, 0);
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);

    const int steps = drawing().undoStepCount();
    ui.messages.clear();
    search().SpeedButton15->setEnabled(true);
    search().SpeedButton15->click();
    const int locked = ManyTexts / 10;
    EXPECT_EQ(ui.messages.texts(),
              QStringList{QStringLiteral("%1 / %1 個の TEXT を更新しました．\nロック画層の TEXT %2 個は更新されません．")
                              .arg(ManyTexts - locked)
                              .arg(locked)});
    EXPECT_EQ(drawing().undoStepCount(), steps + 1);
    EXPECT_EQ(drawing().undoDepth(), 0);
    // Each row went into its own text: the rows are sorted by string, as the
    // texts were numbered.
    for (int i : {0, 1, 4711, ManyTexts - 2}) {
        const std::u16string expected = QStringLiteral("新-%1").arg(i).toStdU16String();
        EXPECT_EQ(drawing().entity(handles[size_t(i)])->text, expected) << i;
    }
    EXPECT_EQ(drawing().entity(handles[9])->text, textNumber(9).toStdU16String()); // locked
}

TEST_F(LargeInput, ASearchOfAHundredThousandTextsStopsOnAbort)
{
    addManyTexts();
    ui.pump.onCall = [this](int call) {
        if (call == 20000)
            search().SpeedButton14->click(); // "中止"
    };
    searchAll();
    ui.pump.onCall = nullptr;
    EXPECT_GE(ui.pump.calls, 20000);
    EXPECT_LT(ui.pump.calls, ManyTexts);
    EXPECT_EQ(rowCount(), 1);
    EXPECT_TRUE(search().SearchTexts.empty());
    EXPECT_EQ(search().SpeedButton14->text(), "検索");
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));
    EXPECT_FALSE(ui.form().state().commandUnderWay);
}

TEST_F(LargeInput, AWriteBackOfAHundredThousandLinesStopsOnAbortInOneClosedStep)
{
    drawing().addAttributeDefinition(u"EQ", u"NAME", u"機器名");
    std::vector<Handle> handles;
    for (int i = 0; i < ManyTexts; ++i)
        handles.push_back(drawing().addText(textNumber(i).toStdU16String(), {0, -double(i), 0}));
    drawing().scriptPick(handles);
    text().SpeedButton1->click();
    ASSERT_EQ(text().SynEdit1->lineCount(), ManyTexts);

    QStringList lines = ui.editorLines();
    for (QString &line : lines)
        line += "*";
    ui.setEditorLines(lines);
    const int steps = drawing().undoStepCount();
    ui.pump.calls = 0;
    ui.pump.onCall = [this](int call) {
        if (call == 1000)
            text().SpeedButton5->click(); // "中止"
    };
    text().SpeedButton2->click();
    ui.pump.onCall = nullptr;

    EXPECT_EQ(drawing().undoStepCount(), steps + 1);
    EXPECT_EQ(drawing().undoDepth(), 0);
    EXPECT_FALSE(ui.form().state().runFlag);
    EXPECT_FALSE(text().SpeedButton5->isEnabled());
    int written = 0;
    while (written < ManyTexts && drawing().entity(handles[size_t(written)])->text.back() == u'*')
        ++written;
    EXPECT_GE(written, 1000);
    EXPECT_LT(written, ManyTexts);
    for (int i = written; i < ManyTexts; i += 997)
        EXPECT_EQ(drawing().entity(handles[size_t(i)])->text, textNumber(i).toStdU16String()) << i;
    EXPECT_EQ(ui.editorLines(), lines); // the lines stay as typed, for another run
}

TEST_F(LargeInput, TheEditorToolsTakeAHundredThousandLinesAndAMegabyteLine)
{
    QStringList lines;
    lines.reserve(ManyTexts + 1);
    for (int i = 0; i < ManyTexts; ++i)
        lines << QStringLiteral("ABC-%1 ｱｲｳ").arg(i);
    lines << QString(MegabyteLine, QLatin1Char('7'));
    ui.setEditorLines(lines);

    text().PopupMenu1->N1->trigger(); // "すべて全角に"
    QStringList converted = ui.editorLines();
    ASSERT_EQ(converted.size(), ManyTexts + 1);
    EXPECT_EQ(converted[0], "ＡＢＣ－０　アイウ");
    EXPECT_EQ(converted.last(), QString(MegabyteLine, QChar(0xFF17))); // "７"

    text().PopupMenu1->N4->trigger(); // "すべて半角に"
    converted = ui.editorLines();
    ASSERT_EQ(converted.size(), ManyTexts + 1);
    EXPECT_EQ(converted[ManyTexts - 1], QStringLiteral("ABC-%1 ｱｲｳ").arg(ManyTexts - 1));
    EXPECT_EQ(converted.last(), lines.last());
}

TEST_F(LargeInput, AMegabyteTextIsPickedEditedAndWrittenBack)
{
    const std::u16string huge(size_t(MegabyteLine), u'字');
    const Handle h = drawing().addText(huge, {0, 0, 0});
    drawing().scriptPick({h});
    text().SpeedButton1->click();
    ASSERT_EQ(text().SynEdit1->lineCount(), 1);
    EXPECT_EQ(ui.editorLines()[0].size(), MegabyteLine);
    ui.messages.clear(); // one text: the offsets cannot be measured, which the pick says

    ui.setEditorLines({QString::fromStdU16String(huge) + "X"});
    text().SpeedButton2->click();
    EXPECT_EQ(drawing().entity(h)->text, huge + u"X");
    EXPECT_TRUE(ui.messages.shown.empty()) << ui.messages.texts().join('|').left(200).toStdString();
}

TEST_F(LargeInput, APasteOfAHundredThousandCellsFillsTheGridAndDropsTheRest)
{
    drawing().addAttributeDefinition(u"EQ", u"NAME", u"機器名");
    drawing().addAttributeDefinition(u"EQ", u"SPEC", u"仕様");
    std::vector<Handle> refs;
    for (int i = 0; i < 1000; ++i)
        refs.push_back(drawing().addBlockReference(u"EQ", {0, -double(i), 0}, {{u"NAME", u"N"}, {u"SPEC", u"S"}}));
    ui.form().PageControl1->setCurrentIndex(1);
    attr().ComboBox2->clear();
    attr().ComboBox2->addItem("機器,NAME,SPEC");
    attr().ComboBox2->setCurrentIndex(0);
    drawing().scriptPick(refs);
    attr().SpeedButton10->click();
    StringGrid &grid = *attr().StringGrid1;
    ASSERT_EQ(grid.rowCount(), 1001);

    // 50,000 rows of two cells each.
    QStringList rows;
    rows.reserve(ManyTexts / 2);
    for (int i = 0; i < ManyTexts / 2; ++i)
        rows << QStringLiteral("n%1\ts%1").arg(i);
    QApplication::clipboard()->setText(rows.join("\r\n") + "\r\n");
    grid.setCurrentCell(1, 1);
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.rowCount(), 1001);
    EXPECT_EQ(grid.cellText(1, 1), "n0");
    EXPECT_EQ(grid.cellText(2, 1000), "s999");

    attr().SpeedButton11->click();
    EXPECT_EQ(drawing().entity(drawing().entity(refs[999])->attributes[1])->text, u"s999");
    EXPECT_EQ(drawing().undoDepth(), 0);
}

} // namespace
