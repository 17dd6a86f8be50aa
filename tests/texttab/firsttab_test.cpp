// Details of the first tab a user notices: the editor grows with the page,
// dX/dY show as "%.2f" writes them, the view never goes where no text
// would be placed, and the fields the program fills show their start.
#include "texttabfixture.h"

#include "texttab/textlines.h"

#include <QCoreApplication>
#include <QLocale>

using cad::Handle;
using cad::Point;

namespace {

TEST_F(TextTabTest, TheEditorGrowsWithThePageAsTheGridsDo)
{
    ui.form().resize(500, 600);
    QCoreApplication::processEvents();
    const QRect page = tab().rect();
    ASSERT_GT(page.width(), 320);
    EXPECT_EQ(tab().SynEdit1->geometry(), QRect(0, 118, page.width(), page.height() - 118));

    ui.form().resize(328, 320);
    QCoreApplication::processEvents();
    EXPECT_EQ(tab().SynEdit1->geometry().bottom(), tab().rect().bottom());
}

// "%.2f": the locale's decimal separator, never a group separator; read
// back, the text gives the number again.
struct OffsetCase
{
    QLocale::Language language;
    QLocale::Territory territory;
    double value;
    QString shown;

    friend void PrintTo(const OffsetCase &c, std::ostream *os) { *os << c.shown.toStdString(); }
};

class TextTabOffsetFormat : public ::testing::TestWithParam<OffsetCase>
{
protected:
    ~TextTabOffsetFormat() override { QLocale::setDefault(QLocale::c()); }
};

TEST_P(TextTabOffsetFormat, OffsetsShowWithoutGroupSeparators)
{
    QLocale::setDefault(QLocale(GetParam().language, GetParam().territory));
    EXPECT_EQ(formatOffset(GetParam().value), GetParam().shown);
    EXPECT_EQ(readNumber(GetParam().shown), std::optional<double>(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, TextTabOffsetFormat,
    ::testing::Values(OffsetCase{QLocale::Japanese, QLocale::Japan, 1500, "1500.00"},
                      OffsetCase{QLocale::Japanese, QLocale::Japan, -1234567.5, "-1234567.50"},
                      OffsetCase{QLocale::German, QLocale::Germany, 1500.25, "1500,25"},
                      OffsetCase{QLocale::C, QLocale::AnyTerritory, 0, "0.00"}));

TEST_F(TextTabTest, AcquiredOffsetsShowWithoutGroupSeparatorsInAJapaneseLocale)
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const Handle a = drawing().addText(u"A", {0, 0});
    const Handle b = drawing().addText(u"B", {1500, 0});
    tab().CheckBox1->setChecked(false);
    pickTexts({a, b});
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(tab().Edit1->text(), "1500.00");
    EXPECT_EQ(tab().Edit2->text(), "0.00");
}

// The view follows the caret to where the write-back puts the line's text.
// After a write-back that could not add texts (dX, dY were 0) the records
// of the extra lines are places without a point: they lie one step after
// the record above, as the next write-back places them.
struct PlaceCase
{
    const char *name;
    int line;
    std::optional<Point> centre; // nullopt: the view does not move

    friend void PrintTo(const PlaceCase &c, std::ostream *os) { *os << c.name; }
};

class TextTabCaretPlace : public TextTabTest, public ::testing::WithParamInterface<PlaceCase>
{};

TEST_P(TextTabCaretPlace, PlacesWithoutAPointAreWhereTheWriteBackPutsTheirText)
{
    pickTexts({drawing().addText(u"A", {0, 100}), drawing().addText(u"B", {0, 90})});
    ui.setEditorLines({"A", "B", "C", "D"});
    setOffsets("0", "0");
    writeBack(); // "dX, dY が 0 のため、追加を中止しました．": two places without a point
    ASSERT_EQ(tab().EditTexts.size(), 4u);
    ui.setEditorLines({"A", "B", "C", "D", "E", "F"});
    setOffsets("0", "-10");
    tab().CheckBox9->setChecked(true);
    drawing().zoomCenterCount = 0;

    tab().SynEdit1->setCaret(GetParam().line, 1);
    tab().SynEdit1Click();

    if (GetParam().centre) {
        EXPECT_GT(drawing().zoomCenterCount, 0) << GetParam().name;
        EXPECT_EQ(drawing().lastZoomCenter, *GetParam().centre) << GetParam().name;
    } else {
        EXPECT_EQ(drawing().zoomCenterCount, 0) << GetParam().name;
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, TextTabCaretPlace,
                         ::testing::Values(PlaceCase{"PlaceRightAfterTheTexts", 3, Point{0, 80, 0}},
                                           PlaceCase{"SecondPlace", 4, Point{0, 70, 0}},
                                           PlaceCase{"FirstLineBeyondThePlaces", 5, Point{0, 60, 0}},
                                           PlaceCase{"SecondLineBeyondThePlaces", 6, Point{0, 50, 0}}),
                         [](const ::testing::TestParamInfo<PlaceCase> &info) { return std::string(info.param.name); });

TEST_F(TextTabTest, WithoutAnyRecordPointTheViewStays)
{
    // Every text of the second pick on a locked layer: no record left; the
    // write-back then keeps one place without a point per data line.
    pickTexts({drawing().addText(u"A", {0, 100})});
    drawing().addLayer(u"L", true);
    pickTexts({drawing().addText(u"D", {0, 0}, u"L")});
    ASSERT_TRUE(tab().EditTexts.empty());
    ui.setEditorLines({"x", "y"});
    writeBack();
    ASSERT_EQ(tab().EditTexts.size(), 2u);
    setOffsets("0", "-10");
    tab().CheckBox9->setChecked(true);
    drawing().zoomCenterCount = 0;
    ui.setEditorLines({"x", "y", "z"});

    for (int line : {2, 3}) {
        tab().SynEdit1->setCaret(line, 1);
        tab().SynEdit1Click();
    }
    EXPECT_EQ(drawing().zoomCenterCount, 0); // never (0, 0), nor a step from it
}

TEST_F(TextTabTest, TheTagListFieldAndTheOffsetsShowTheStartOfTheirText)
{
    // As the window opens, with the items of the design.
    EXPECT_EQ(tab().ComboBox1->currentText(), QStringLiteral("JCMNT1:コメント１"));
    EXPECT_EQ(tab().ComboBox1->lineEdit()->cursorPosition(), 0);

    const QString item = QStringLiteral("JCMNT1:コメント１ の長い説明 [BLOCK*]");
    tab().setTagItems({item, "B:b"});
    tab().ComboBox1->setCurrentIndex(tab().ComboBox1->findText("B:b"));
    tab().ComboBox1->setCurrentIndex(tab().ComboBox1->findText(item));
    EXPECT_EQ(tab().ComboBox1->currentText(), item);
    EXPECT_EQ(tab().ComboBox1->lineEdit()->cursorPosition(), 0);

    const Handle a = drawing().addText(u"A", {0, 0});
    const Handle b = drawing().addText(u"B", {123456789.5, -98765432.25});
    tab().CheckBox1->setChecked(false);
    pickTexts({a, b});
    EXPECT_EQ(tab().Edit1->text(), "123456789.50");
    EXPECT_EQ(tab().Edit1->cursorPosition(), 0);
    EXPECT_EQ(tab().Edit2->cursorPosition(), 0);
}

} // namespace
