// The search's two options: "全半角同一" (widths do not count) and "属性"
// (attribute values of block references are searched and written too).

#include "searchtabfixture.h"

#include "searchtab/searchpattern.h"
#include "searchtab/widthinsensitivepattern.h"

#include <random>

namespace {

using SearchTabOptions = SearchTabTest;

QStringList sorted(QStringList list)
{
    std::sort(list.begin(), list.end(), [](const QString &a, const QString &b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](QChar x, QChar y) { return x.unicode() < y.unicode(); });
    });
    return list;
}

TEST_F(SearchTabOptions, BoxesSitInTheFreeSpaceOfTheTabAndStartOff)
{
    EXPECT_EQ(tab().CheckBox10->text(), "全半角同一");
    EXPECT_EQ(tab().CheckBox10->geometry(), QRect(130, 48, 86, 17));
    EXPECT_FALSE(tab().CheckBox10->isChecked());
    EXPECT_EQ(tab().CheckBox11->text(), "属性");
    EXPECT_EQ(tab().CheckBox11->geometry(), QRect(192, 71, 120, 17));
    EXPECT_FALSE(tab().CheckBox11->isChecked());
}

TEST_F(SearchTabOptions, WidthInsensitiveSearchFindsEveryWidthAndReadsOnlyWhatTheFilterSelected)
{
    for (const char16_t *text : {u"ﾓｰﾀｰ1", u"モーター１", u"ﾓｰﾀ", u"ﾎﾟﾝﾌﾟ", u"モ-ター"})
        drawing().addText(text, {0, 0, 0});
    search("モーター");
    EXPECT_EQ(rows(), QStringList{"モーター１"});
    EXPECT_EQ(tab().Label7->text(), "[*モーター*] (部分一致)");

    // Ticking the box on this page with a pattern typed searches again.
    drawing().clearCallLog();
    tab().CheckBox10->click();
    EXPECT_EQ(rows(), (QStringList{"モーター１", "ﾓｰﾀｰ1"}));
    EXPECT_EQ(tab().Label7->text(), "[*モーター*] (部分一致・全半角)");
    // The CAD's filter selected the two; nothing else was read.
    EXPECT_EQ(drawing().callCount(u"TextString"), 2);

    tab().Edit3->setText("ﾎﾟﾝﾌﾟ");
    tab().CheckBox3->click(); // "先頭一致"
    EXPECT_EQ(rows(), QStringList{"ﾎﾟﾝﾌﾟ"});
    EXPECT_EQ(tab().Label7->text(), "[ﾎﾟﾝﾌﾟ*] (部分一致・全半角)");
}

// A generated drawing of mixed widths: what the search lists is exactly the
// texts that the folded pattern takes, each text matched in the tool.
TEST_F(SearchTabOptions, WidthInsensitiveSearchListsExactlyTheTextsThatMatch)
{
    const std::u16string alphabet = u"AＡ1１ -－ｰーｶガﾞﾊﾟパﾎポ　*＊?？機";
    std::mt19937 random(4);
    std::uniform_int_distribution<size_t> at(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(1, 5);
    QStringList texts;
    for (int i = 0; i < 200; ++i) {
        std::u16string text;
        for (int n = length(random); n > 0; --n)
            text += alphabet[at(random)];
        drawing().addText(text, {0, 0, 0});
        texts << QString::fromStdU16String(text);
    }
    tab().CheckBox10->setChecked(true);
    for (const QString field : {"ガ", "ﾎﾟ?", "ー*1", "A#", "パ", "＊", "`*"}) {
        for (const bool prefix : {false, true}) {
            tab().CheckBox3->setChecked(prefix);
            search(field);
            const WidthInsensitivePattern pattern(SearchPattern(field, prefix).toStdU16String());
            QStringList expected;
            for (const QString &text : texts) {
                if (pattern.matches(text.toStdU16String()))
                    expected << text;
            }
            QStringList found;
            for (const Morv2 &rec : tab().SearchTexts)
                found << rec.text;
            EXPECT_EQ(found, sorted(expected)) << field.toStdString() << (prefix ? " prefix" : "");
        }
    }
}

class SearchTabAttributes : public SearchTabTest
{
protected:
    SearchTabAttributes()
    {
        drawing().addLayer(u"LOCKED", true);
        drawing().addLayer(u"機器");
        text = drawing().addText(u"M-TEXT", {1, 1, 0});
        drawing().addText(u"OTHER", {2, 2, 0});
        motor1 = drawing().addBlockReference(u"電動機", {10, 20, 0}, {{u"NAME", u"M-1"}, {u"SPEC", u"3.7kW"}}, u"機器");
        motor2 = drawing().addBlockReference(u"電動機", {40, 20, 0}, {{u"NAME", u"Ｍ－２"}, {u"SPEC", u"M-SPEC"}}, u"機器");
        // On a locked layer: the block reference is not read at all.
        drawing().addBlockReference(u"電動機", {70, 20, 0}, {{u"NAME", u"M-9"}}, u"LOCKED");
        // An attribute of its own on a locked layer: listed, grey, never written.
        motor3 = drawing().addBlockReference(u"電動機", {100, 20, 0}, {{u"NAME", u"M-3"}}, u"機器");
        drawing().entity(attributeOf(motor3, 0))->layer = u"LOCKED";
        drawing().entity(attributeOf(motor1, 0))->insertionPoint = {12.5, 18.25, 0};
    }

    cad::Handle attributeOf(cad::Handle ref, int i) { return drawing().entity(ref)->attributes[size_t(i)]; }
    int rowOf(const QString &text) { return int(rows().indexOf(text)); }

    cad::Handle text = 0, motor1 = 0, motor2 = 0, motor3 = 0;
};

TEST_F(SearchTabAttributes, AttributeValuesAreListedWithTheTextsInOneSortedGrid)
{
    tab().CheckBox3->setChecked(true);
    search("M-");
    EXPECT_EQ(rows(), QStringList{"M-TEXT"});

    tab().CheckBox11->click();
    EXPECT_EQ(rows(), (QStringList{"M-1", "M-3", "M-SPEC", "M-TEXT"}));
    EXPECT_EQ(tab().Label7->text(), "[M-*] (部分一致・属性)");
    EXPECT_GE(tab().Label7->width(), tab().Label7->sizeHint().width()) << "the label is cut off";
    const Morv2 &name = tab().SearchTexts[size_t(grid().cellObject(0, rowOf("M-1")) - 1)];
    EXPECT_TRUE(name.attribute);
    EXPECT_EQ(name.tag, "NAME");
    EXPECT_EQ(name.sHnd, handleText(attributeOf(motor1, 0)));
    EXPECT_FALSE(tab().SearchTexts[size_t(grid().cellObject(0, rowOf("M-TEXT")) - 1)].attribute);
    EXPECT_TRUE(tab().SearchTexts[size_t(grid().cellObject(0, rowOf("M-3")) - 1)].locked);

    // With widths not counting, "Ｍ－２" is found too.
    tab().CheckBox10->click();
    EXPECT_EQ(rows(), (QStringList{"M-1", "M-3", "M-SPEC", "M-TEXT", "Ｍ－２"}));
    EXPECT_EQ(tab().Label7->text(), "[M-*] (部分一致・全半角・属性)");
}

TEST_F(SearchTabAttributes, RowClickShowsHandleAndTagAndCentresTheViewOnTheAttribute)
{
    tab().CheckBox11->setChecked(true);
    search("M-1");
    ASSERT_EQ(rows(), QStringList{"M-1"});
    EXPECT_EQ(panel(0), handleText(attributeOf(motor1, 0)) + " NAME");
    EXPECT_EQ(panel(1), "12.500, 18.250");
    EXPECT_EQ(drawing().lastZoomCenter, (cad::Point{12.5, 18.25, 0}));
}

TEST_F(SearchTabAttributes, EnterWritesTheAttributeThroughItsHandleAsOneUndoStep)
{
    tab().CheckBox11->setChecked(true);
    search("M-");
    typeIntoRow(rowOf("M-1"), "M-10");
    const int steps = drawing().undoStepCount();
    pressEnter();
    EXPECT_EQ(drawing().entity(attributeOf(motor1, 0))->text, u"M-10");
    EXPECT_EQ(drawing().undoStepCount() - steps, 1);
    ASSERT_TRUE(drawing().undo());
    EXPECT_EQ(drawing().entity(attributeOf(motor1, 0))->text, u"M-1");
}

TEST_F(SearchTabAttributes, UpdateWritesTextsAndAttributesInOneUndoStepAndLeavesLockedRows)
{
    tab().CheckBox11->setChecked(true);
    search("M-");
    grid().setCellText(0, rowOf("M-TEXT"), "M-TEXT2");
    grid().setCellText(0, rowOf("M-SPEC"), "5.5kW");
    grid().setCellText(0, rowOf("M-3"), "M-30");
    const int steps = drawing().undoStepCount();
    tab().SpeedButton15Click();
    EXPECT_EQ(ui.messages.texts(),
              QStringList{"2 / 2 個の TEXT を更新しました．\nロック画層の TEXT 1 個は更新されません．"});
    EXPECT_EQ(textOf(text), u"M-TEXT2");
    EXPECT_EQ(drawing().entity(attributeOf(motor2, 1))->text, u"5.5kW");
    EXPECT_EQ(drawing().entity(attributeOf(motor3, 0))->text, u"M-3");
    EXPECT_EQ(grid().cellText(0, rowOf("M-30")), "M-30"); // the locked row keeps its edit
    const QImage image = gridImage();
    EXPECT_GT(pixelsOfColour(image, rowOf("M-30"), QColor(192, 192, 192)), 0);

    EXPECT_EQ(drawing().undoStepCount() - steps, 1);
    ASSERT_TRUE(drawing().undo());
    EXPECT_EQ(textOf(text), u"M-TEXT");
    EXPECT_EQ(drawing().entity(attributeOf(motor2, 1))->text, u"M-SPEC");
}

TEST_F(SearchTabAttributes, StopWhileReadingTheBlockReferencesLeavesNoResults)
{
    tab().CheckBox11->setChecked(true);
    search("M-");
    ASSERT_FALSE(tab().SearchTexts.empty());
    // The stop request arrives while the second of the four block
    // references is read (the one text was read as "1 / 1").
    bool stopped = false;
    ui.pump.onCall = [&](int) {
        if (!stopped && tab().Label6->text() == "2 / 4") {
            stopped = true;
            tab().SpeedButton14->click();
        }
    };
    search("M-");
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(tab().SearchTexts.empty());
    EXPECT_EQ(rows(), QStringList{""});
    EXPECT_EQ(tab().Label7->text(), "検索 (部分一致)");
}

} // namespace
