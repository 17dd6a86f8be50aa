// The grid's pop-up menu: the width conversions, replace, adding to the
// numbers and serial numbers on the selected cells, each undone as one.

#include "attrtabfixture.h"

#include "transform/dialogs/tmorvkasanform.h"
#include "transform/dialogs/tmorvrenbanform.h"
#include "transform/dialogs/tmorvtikanform.h"

#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

class AttrTabMenu : public AttrTabTest
{
protected:
    // One block per text, one above the other; their NAME cells in column 1.
    void acquireNames(const std::vector<std::u16string> &names)
    {
        std::vector<Handle> refs;
        for (size_t i = 0; i < names.size(); ++i)
            refs.push_back(addEquipment(names[i], u"s" + QString::number(int(i) + 1).toStdU16String(),
                                        {0, 100.0 - double(i), 0}));
        acquire(refs);
    }
    TMorvTikanForm &replaceDialog() { return ui.form().MorvTikanForm(); }
    TMorvKasanForm &addDialog() { return ui.form().MorvKasanForm(); }
    TMorvRenbanForm &serialDialog() { return ui.form().MorvRenbanForm(); }
};

TEST_F(AttrTabMenu, AttrTabMenuHoldsTheItemsInOrder)
{
    QStringList captions;
    for (const QAction *action : tab().PopupMenu2->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, QStringList({"■TAG リスト編集(メモ帳起動)", "■TAG リストを再読み込み", "-",
                                     "選択範囲のスペース以外を全角に", "選択範囲を半角に", "-", "選択範囲を置換",
                                     "選択範囲の半角数字を加算", "-", "連番作成"}));
    for (const QAction *action : tab().PopupMenu2->actions())
        EXPECT_TRUE(action->isEnabled());
}

struct WidthCase
{
    const char *name;
    bool toFull;
    std::u16string text;
    QString expected;

    friend void PrintTo(const WidthCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.name));
    }
};

class AttrTabWidth : public AttrTabMenu, public ::testing::WithParamInterface<WidthCase>
{};

TEST_P(AttrTabWidth, AttrTabWidthConversionOfTheSelection)
{
    acquireNames({GetParam().text});
    select(1, 1, 1, 1);
    (GetParam().toFull ? tab().N32 : tab().N33)->trigger();
    EXPECT_EQ(cell(1, 1), GetParam().expected) << GetParam().name;
    EXPECT_EQ(undoCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, AttrTabWidth,
                         ::testing::Values(WidthCase{"full width, space kept", true, u"ab c", "ａｂ ｃ"},
                                           WidthCase{"ideographic space alone", true, u"\u3000", " "},
                                           WidthCase{"half width", false, u"ＡＢ\u3000ｃ", "AB c"}));

TEST_F(AttrTabMenu, AttrTabHalfWidthSavesEveryCellAndUndoesAsOne)
{
    acquireNames({u"Ａ", u"b", u"Ｃ"});
    select(1, 1, 2, 3);

    tab().N33->trigger();

    EXPECT_EQ(column(1), QStringList({"A", "b", "C"}));
    EXPECT_EQ(undoCount(), 6);
    EXPECT_EQ(undoStack().Count(), 6);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(column(1), QStringList({"Ａ", "b", "Ｃ"}));
    EXPECT_EQ(undoStack().Count(), 0);
}

class AttrTabReplace : public AttrTabMenu, public ::testing::WithParamInterface<bool>
{};

TEST_P(AttrTabReplace, AttrTabReplaceIsCaseSensitiveAndStartsWithTheTopLeftCell)
{
    acquireNames({u"abcABC", u"xabc"});
    replaceDialog().Edit2->setText("x");
    replaceDialog().CheckBox1->setChecked(GetParam());
    select(1, 1, 1, 2);
    QString searchShown;
    bool mainWasTopmost = true;
    answerDialog([&] {
        searchShown = replaceDialog().Edit1->text();
        mainWasTopmost = ui.form().windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        replaceDialog().Edit1->setText("abc");
        replaceDialog().Button1->click();
    });

    tab().N35->trigger();

    EXPECT_EQ(searchShown, "abcABC");
    EXPECT_FALSE(mainWasTopmost);
    EXPECT_TRUE(ui.form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(column(1), QStringList({"xABC", "xx"}));
    EXPECT_EQ(undoCount(), 2);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(column(1), QStringList({"abcABC", "xabc"}));
}

INSTANTIATE_TEST_SUITE_P(IgnoreCase, AttrTabReplace, ::testing::Bool());

TEST_F(AttrTabMenu, AttrTabReplaceCancelledOrEmptyChangesNothing)
{
    acquireNames({u"abc"});
    select(1, 1, 1, 1);
    undoCount() = 7;
    answerDialog([&] { replaceDialog().Button2->click(); });
    tab().N35->trigger();
    EXPECT_EQ(cell(1, 1), "abc");

    answerDialog([&] {
        replaceDialog().Edit1->clear();
        replaceDialog().Button1->click();
    });
    tab().N35->trigger();

    EXPECT_EQ(cell(1, 1), "abc");
    EXPECT_EQ(undoCount(), 7);
    EXPECT_EQ(undoStack().Count(), 0);
}

struct AddCase
{
    const char *name;
    std::vector<std::u16string> texts;
    QString addend;
    QStringList expected;
    int undoCount;
    int stored;

    friend void PrintTo(const AddCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.name));
    }
};

class AttrTabAdd : public AttrTabMenu, public ::testing::WithParamInterface<AddCase>
{};

TEST_P(AttrTabAdd, AttrTabAddSavesOnlyTheChangedCells)
{
    const AddCase &c = GetParam();
    acquireNames(c.texts);
    select(1, 1, 1, int(c.texts.size()));
    undoCount() = 5;
    answerDialog([&] {
        addDialog().SpeedButton1->click(); // decimal
        addDialog().RadioButton2->setChecked(true);
        addDialog().Edit1->setText(c.addend);
        addDialog().Button1->click();
    });

    tab().N36->trigger();

    EXPECT_EQ(column(1), c.expected) << c.name;
    EXPECT_EQ(undoCount(), c.undoCount) << c.name;
    EXPECT_EQ(undoStack().Count(), c.stored) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AttrTabAdd,
    ::testing::Values(AddCase{"numbers from the tail", {u"P5", u"", u"Q09"}, "1", {"P6", "", "Q10"}, 2, 2},
                      AddCase{"no number anywhere", {u"A", u"B"}, "1", {"A", "B"}, 1, 0},
                      AddCase{"amount 0: nothing", {u"P5"}, "0", {"P5"}, 5, 0}));

TEST_F(AttrTabMenu, AttrTabAddUndoesBothChangedCellsAtOnce)
{
    acquireNames({u"P5", u"", u"Q09"});
    select(1, 1, 1, 3);
    answerDialog([&] {
        addDialog().SpeedButton1->click();
        addDialog().RadioButton2->setChecked(true);
        addDialog().Edit1->setText("1");
        addDialog().Button1->click();
    });
    tab().N36->trigger();

    key(Qt::Key_Z, Qt::ControlModifier);

    EXPECT_EQ(column(1), QStringList({"P5", "", "Q09"}));
}

struct SerialCase
{
    const char *name;
    int top, bottom; // selected rows of column 1
    QStringList expected;
    int written;

    friend void PrintTo(const SerialCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.name));
    }
};

class AttrTabSerial : public AttrTabMenu, public ::testing::WithParamInterface<SerialCase>
{};

TEST_P(AttrTabSerial, AttrTabSerialNumbersOverwriteTheCurrentColumn)
{
    const SerialCase &c = GetParam();
    acquireColumn(9); // rows 0 to 9
    select(1, c.top, 1, c.bottom);
    bool overwriteForm = false;
    answerDialog([&] {
        overwriteForm = serialDialog().Button1->text() == "上書き" && !serialDialog().Button3->isEnabled();
        serialDialog().Edit1->setText("a-");
        serialDialog().Edit2->setText("01");
        serialDialog().Edit3->clear();
        serialDialog().Edit4->setText("16");
        serialDialog().Edit5->setText("1");
        serialDialog().Button1->click();
    });

    tab().N31->trigger();

    EXPECT_TRUE(overwriteForm);
    EXPECT_EQ(serialDialog().Button1->text(), "追加");
    EXPECT_TRUE(serialDialog().Button3->isEnabled());
    EXPECT_EQ(column(1), c.expected) << c.name;
    EXPECT_EQ(undoCount(), c.written) << c.name;
    EXPECT_EQ(column(2), QStringList({"S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9"}));

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(column(1), QStringList({"N1", "N2", "N3", "N4", "N5", "N6", "N7", "N8", "N9"})) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AttrTabSerial,
    ::testing::Values(SerialCase{"one cell in row 2: down to the last row", 2, 2,
                                 {"N1", "A-01", "A-02", "A-03", "A-04", "A-05", "A-06", "A-07", "A-08"}, 8},
                      SerialCase{"rows 3 to 5", 3, 5,
                                 {"N1", "N2", "A-01", "A-02", "A-03", "N6", "N7", "N8", "N9"}, 3}));

TEST_F(AttrTabMenu, AttrTabSerialCancelledChangesNothing)
{
    acquireColumn(3);
    select(1, 1, 1, 1);
    undoCount() = 4;
    answerDialog([&] { serialDialog().Button2->click(); });

    tab().N31->trigger();

    EXPECT_EQ(column(1), QStringList({"N1", "N2", "N3"}));
    EXPECT_EQ(undoCount(), 4);
    EXPECT_EQ(serialDialog().Button1->text(), "追加");
}

} // namespace
