// "ATTR": the values of one tag's attributes into the editor.
#include "texttabfixture.h"

#include "texttab/tagitem.h"

#include <QComboBox>
#include <QLabel>

using cad::Handle;
using cad::Point;

namespace {

class AttrTest : public TextTabTest
{
protected:
    Handle device(const std::u16string &block, Point at,
                  const std::vector<std::pair<std::u16string, std::u16string>> &attributes)
    {
        return drawing().addBlockReference(block, at, attributes);
    }
    void pickAttributes(const QString &item, const std::vector<Handle> &refs)
    {
        tab().ComboBox1->setEditText(item);
        drawing().scriptPick(refs);
        tab().SpeedButton8->click();
    }
};

TEST_F(AttrTest, TagsMatchExactly)
{
    const Handle r1 = device(u"MOTOR", {0, 0}, {{u"JCMNT1", u"one"}, {u"jcmnt1", u"lower"}, {u"JCMNT10", u"ten"}});
    pickAttributes("JCMNT1:コメント１", {r1});
    EXPECT_EQ(ui.editorLines(), QStringList{"one"});
    EXPECT_TRUE(ui.form().state().ATTmode);
    const Morv &rec = tab().EditTexts[0];
    EXPECT_EQ(rec.parentType, "INSERT");
    EXPECT_EQ(rec.parentHnd.toStdU16String(), cad::handleToString(r1));
    EXPECT_EQ(rec.sHnd.toStdU16String(), cad::handleToString(entity(r1).attributes[0]));
    EXPECT_EQ(tab().Label2->text(), "JCMNT1 = 1 / 1");
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));
}

TEST_F(AttrTest, TheBlockNameFilterLimitsThePick)
{
    const Handle motor = device(u"MOTOR1", {0, 0}, {{u"NAME", u"M1"}});
    const Handle pump = device(u"PUMP", {10, 0}, {{u"NAME", u"P1"}});
    struct Case
    {
        QString item;
        QStringList lines;
    };
    const Case cases[] = {
        {"NAME:機器名[MOTOR*]", {"M1"}},
        {"NAME:機器名[]", {"M1", "P1"}},
        {"NAME:機器名]x[", {"M1", "P1"}},
        {"NAME", {"M1", "P1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item.toStdString());
        pickAttributes(c.item, {motor, pump});
        EXPECT_EQ(ui.editorLines(), c.lines);
    }
    EXPECT_EQ(blockFilterOfItem("NAME:機器名[MOTOR*]"), "MOTOR*");
    EXPECT_EQ(tagOfItem("SENBAN"), "SENBAN");
}

TEST_F(AttrTest, TwoAttributesOfTheTagGiveTwoLinesInArrayOrder)
{
    const Handle r = device(u"TB", {0, 0}, {{u"SENBAN", u"101"}, {u"X", u"-"}, {u"SENBAN", u"102"}});
    pickAttributes("SENBAN:線番", {r});
    EXPECT_EQ(ui.editorLines(), (QStringList{"101", "102"}));
}

TEST_F(AttrTest, OffsetsFromTheLastTwoBlockReferences)
{
    const Handle a = device(u"B", {0, 0}, {{u"NAME", u"a"}});
    const Handle b = device(u"B", {10, 0}, {{u"NAME", u"b"}});
    const Handle c = device(u"B", {25, 0}, {{u"NAME", u"c"}});
    pickAttributes("NAME:機器名", {a, b, c});
    EXPECT_EQ(tab().Edit1->text(), "15.00");
    EXPECT_EQ(tab().Edit2->text(), "0.00");
    EXPECT_EQ(tab().Edit1->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_TRUE(ui.messages.shown.empty());

    pickAttributes("NAME:機器名", {a});
    EXPECT_EQ(tab().Edit1->text(), "0.00");
    EXPECT_EQ(tab().Edit1->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_TRUE(ui.messages.shown.empty()); // no message here, unlike "TEXT"
    EXPECT_TRUE(tab().SpeedButton2->isEnabled());
    EXPECT_FALSE(tab().SpeedButton6->isEnabled());
}

TEST_F(AttrTest, BlockReferencesWithoutTheTagEmptyTheEditor)
{
    const Handle a = drawing().addText(u"keep", {0, 0});
    pickTexts({a});
    const Handle r = device(u"B", {0, 0}, {{u"OTHER", u"x"}});
    pickAttributes("NAME:機器名", {r});
    EXPECT_TRUE(ui.editorLines().isEmpty());
    EXPECT_EQ(tab().Label2->text(), "NAME = 0 / 1");
    EXPECT_FALSE(tab().SpeedButton2->isEnabled());
}

TEST_F(AttrTest, NothingPickedKeepsTheEditorButSwitchesTheMode)
{
    const Handle r = device(u"B", {0, 0}, {{u"NAME", u"x"}});
    pickAttributes("NAME", {r});
    drawing().scriptCancelledPick();
    tab().SpeedButton8->click();
    EXPECT_EQ(ui.editorLines(), QStringList{"x"});
    EXPECT_EQ(tab().Label2->text(), "INSERT=0");

    // Picking nothing with "TEXT" leaves the attribute lines but ends the mode.
    drawing().scriptCancelledPick();
    tab().SpeedButton1->click();
    EXPECT_EQ(ui.editorLines(), QStringList{"x"});
    EXPECT_FALSE(ui.form().state().ATTmode);
}

} // namespace
