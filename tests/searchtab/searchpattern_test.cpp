// The pattern the search hands to the CAD's filter, and the field and
// option boxes that start a search.

#include "searchtabfixture.h"

#include "searchtab/searchpattern.h"


namespace {

struct PatternCase
{
    const char *name;
    QString field;
    bool prefixMatch;
    QString pattern;
    QStringList found; // sorted
};

class SearchTabPattern : public SearchTabTest, public ::testing::WithParamInterface<PatternCase>
{
};

TEST_P(SearchTabPattern, FieldAndPrefixOptionGiveThePatternTheFilterMatches)
{
    const PatternCase &c = GetParam();
    for (const char16_t *text : {u"AB1", u"XAB", u"ab", u"A?B", u"AxB", u"B*", u"CAB"})
        drawing().addText(text, {0, 0, 0});
    cad::MemoryEntity mtext;
    mtext.dxfType = u"MTEXT";
    mtext.text = u"AB in MTEXT";
    drawing().addEntity(mtext);

    EXPECT_EQ(SearchPattern(c.field, c.prefixMatch), c.pattern);
    tab().CheckBox4->setChecked(false); // the field as typed
    tab().CheckBox3->setChecked(c.prefixMatch);
    search(c.field);

    EXPECT_EQ(tab().Label7->text(), QStringLiteral("[%1] (部分一致)").arg(c.pattern));
    EXPECT_EQ(rows(), c.found);
    EXPECT_EQ(tab().SpeedButton14->text(), "検索");
    EXPECT_TRUE(tab().Edit3->isEnabled());
}

const PatternCase PatternCases[] = {
    {"EmptyFieldFindsEveryText", "", false, "*", {"A?B", "AB1", "AxB", "B*", "CAB", "XAB", "ab"}},
    {"EmptyFieldWithPrefixMatch", "", true, "*", {"A?B", "AB1", "AxB", "B*", "CAB", "XAB", "ab"}},
    {"PartialMatch", "AB", false, "*AB*", {"AB1", "CAB", "XAB"}},
    {"PrefixMatch", "AB", true, "AB*", {"AB1"}},
    {"QuestionMarkReachesTheCadAsWildcard", "A?B", false, "*A?B*", {"A?B", "AxB"}},
    {"StarReachesTheCadAsWildcard", "A*B", false, "*A*B*", {"A?B", "AB1", "AxB", "CAB", "XAB"}},
    {"CaseIsTheCadsAffair", "ab", true, "ab*", {"ab"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SearchTabPattern, ::testing::ValuesIn(PatternCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SearchTabFilter, AsksForTextEntitiesWithTheTextValue)
{
    const cad::SelectionFilter filter = SearchFilter(QStringLiteral("*検索*"));
    EXPECT_EQ(filter.codes, (std::vector<int16_t>{0, 1}));
    EXPECT_EQ(filter.values, (std::vector<std::u16string>{u"TEXT", u"*検索*"}));
}

using SearchTabField = SearchTabTest;

TEST_F(SearchTabField, EnterSearchesAndInsertsNothing)
{
    drawing().addText(u"AB", {0, 0, 0});
    drawing().addText(u"CD", {0, 0, 0});
    tab().Edit3->setFocus();
    QTest::keyClicks(tab().Edit3, "a");
    QTest::keyClick(tab().Edit3, Qt::Key_Return);
    EXPECT_EQ(tab().Edit3->text(), "A");
    EXPECT_EQ(rows(), QStringList{"AB"});
}

TEST_F(SearchTabField, UpperCaseModeFollowsA2ABox)
{
    // On at start: letters are turned to upper case as they are typed.
    QTest::keyClicks(tab().Edit3, "ab");
    EXPECT_EQ(tab().Edit3->text(), "AB");

    tab().Edit3->clear();
    tab().CheckBox4->click(); // off
    QTest::keyClicks(tab().Edit3, "ab");
    EXPECT_EQ(tab().Edit3->text(), "ab");
}

TEST_F(SearchTabField, SettingsSetTheBoxesAndTheCaseModeAndAreStoredBack)
{
    const SearchTabSettings settings{.sentou = true, .upperCase = false, .enter = false, .attEnterDown = false};
    tab().Label6->setText("old");
    tab().applySettings(settings);
    EXPECT_TRUE(tab().CheckBox3->isChecked());
    EXPECT_FALSE(tab().CheckBox4->isChecked());
    EXPECT_FALSE(tab().CheckBox5->isChecked());
    EXPECT_FALSE(tab().CheckBox8->isChecked());
    EXPECT_EQ(tab().Label6->text(), "");
    QTest::keyClicks(tab().Edit3, "ab");
    EXPECT_EQ(tab().Edit3->text(), "ab");

    EXPECT_EQ(tab().settings(), settings);
}

struct OptionClickCase
{
    const char *name;
    int page;
    QString field;
    bool searches;
};

class SearchTabOptionClick : public SearchTabTest, public ::testing::WithParamInterface<OptionClickCase>
{
};

TEST_P(SearchTabOptionClick, SearchesAgainOnlyOnTheSearchPageWithAPattern)
{
    const OptionClickCase &c = GetParam();
    drawing().addText(u"AB", {0, 0, 0});
    ui.form().PageControl1->setCurrentIndex(c.page);
    tab().Edit3->setText(c.field);

    for (QCheckBox *box : {tab().CheckBox3, tab().CheckBox4}) {
        drawing().clearCallLog();
        const bool wasChecked = box->isChecked();
        box->click();
        EXPECT_NE(box->isChecked(), wasChecked);
        EXPECT_EQ(drawing().callCount(u"Select") > 0, c.searches) << box->text().toStdString();
    }
    // "a->A" switched the case mode either way.
    tab().Edit3->clear();
    QTest::keyClicks(tab().Edit3, "x");
    EXPECT_EQ(tab().Edit3->text(), "x");
}

const OptionClickCase OptionClickCases[] = {
    {"SearchPageWithPattern", 2, "A", true},
    {"SearchPageWithEmptyField", 2, "", false},
    {"FirstPage", 0, "A", false},
    {"SecondPage", 1, "A", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, SearchTabOptionClick, ::testing::ValuesIn(OptionClickCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
