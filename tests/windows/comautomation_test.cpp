// The automation model through COM, in this process and across two, gives
// exactly what the in-memory drawing gives when called directly: every
// member the tool uses, and the CAD-facing sequence of each command (the
// TEXT pick, the write-back in its undo group, the search with Select mode
// 5, the attribute acquisition, the pick of one attribute).
#include "support/sessionroutes.h"

#include "cad/caderror.h"
#include "cad/com/comapartment.h"
#include "cad/connection.h"
#include "cad/memory/memoryentity.h"
#include "cad/ustring.h"
#include "cad/utility.h"

#include <cstdio>
#include <functional>
#include <map>

#include <gtest/gtest.h>

using namespace cad;
using namespace cad::com;
using namespace cad::com::test;

namespace {

// What a sequence saw, one line per call, errors included.
class Transcript
{
public:
    void line(const std::string &what, const std::u16string &value) { m_text += what + " = " + toUtf8(value) + "\n"; }
    void line(const std::string &what, int64_t value) { line(what, fromUtf8(std::to_string(value))); }
    void line(const std::string &what, const Point &p)
    {
        char text[96];
        std::snprintf(text, sizeof text, "(%.6g, %.6g, %.6g)", p.x, p.y, p.z);
        line(what, fromUtf8(text));
    }
    template <typename Step>
    void attempt(const std::string &what, Step step)
    {
        try {
            step();
        } catch (const CadError &e) {
            line(what + " failed", e.message());
        }
    }
    const std::string &text() const { return m_text; }

private:
    std::string m_text;
};

void describeEntity(Transcript &t, const std::string &prefix, const Entity &e)
{
    t.line(prefix + ".Handle", e.handle());
    t.line(prefix + ".EntityName", e.entityName());
    t.line(prefix + ".Layer", e.layer());
    t.line(prefix + ".ObjectId", e.objectId());
    t.line(prefix + ".OwnerId", e.ownerId());
}

void describeText(Transcript &t, const std::string &prefix, const Entity &e)
{
    describeEntity(t, prefix, e);
    t.line(prefix + ".TextString", e.textString());
    t.line(prefix + ".Alignment", e.alignment());
    t.line(prefix + ".InsertionPoint", e.insertionPoint());
    t.line(prefix + ".TextAlignmentPoint", e.textAlignmentPoint());
}

std::u16string handleOf(Handle h)
{
    return handleToString(h);
}

// Every member of the automation model the tool calls, at least once.
void everyMember(SessionCad &cad, Transcript &t)
{
    const Application app = cad.application();
    t.line("Application.HWND", app.hwnd());
    const Document doc = app.activeDocument();
    t.line("Document.HWND", doc.hwnd());
    t.line("GetVariable(VIEWSIZE)", int64_t(doc.getVariable(u"VIEWSIZE").toDouble()));
    const std::vector<double> screen = doc.getVariable(u"SCREENSIZE").toDoubleArray();
    t.line("GetVariable(SCREENSIZE)", Point{screen.at(0), screen.at(1), 0});
    t.attempt("GetVariable(NOSUCH)", [&] { doc.getVariable(u"NOSUCHVARIABLE"); });
    app.zoomCenter({12.5, 30, 0}, 80);

    const Layers layers = doc.layers();
    t.line("Layers.Count", layers.count());
    for (int i = 0; i < layers.count(); ++i) {
        t.line("Layer.Name", layers.item(i).name());
        t.line("Layer.Lock", layers.item(i).isLocked());
    }
    t.line("LockedLayerList", LockedLayerList(doc));

    const Blocks blocks = doc.blocks();
    t.line("Blocks.Count", blocks.count());
    const Block motor = blocks.item(u"MOTOR");
    t.line("Block.Name", motor.name());
    t.line("Block.Count", motor.count());
    for (int i = 0; i < motor.count(); ++i) {
        const Attribute definition(motor.item(i).object());
        t.line("ATTDEF.TagString", definition.tagString());
        t.line("ATTDEF.PromptString", definition.promptString());
    }
    t.attempt("Blocks.Item(NOSUCH)", [&] { blocks.item(u"NOSUCH"); });

    const Entity text = doc.handleToObject(handleOf(cad.ids().motorText));
    describeText(t, "TEXT", text);
    t.line("ObjectIdToObject", doc.objectIdToObject(text.objectId()).handle());
    t.attempt("HandleToObject(FFFFF)", [&] { doc.handleToObject(u"FFFFF"); });

    const BlockReference insert(doc.handleToObject(handleOf(cad.ids().motorBlock)));
    describeEntity(t, "INSERT", insert);
    t.line("INSERT.Name", insert.name());
    t.line("INSERT.HasAttributes", insert.hasAttributes());
    t.line("INSERT.InsertionPoint", insert.insertionPoint());
    for (const Attribute &a : insert.getAttributes()) {
        describeText(t, "ATTRIB", a);
        t.line("ATTRIB.TagString", a.tagString());
    }

    const SelectionSets sets = doc.selectionSets();
    t.line("SelectionSets.Count", sets.count());
    const SelectionSet set = sets.add(u"PROBE");
    t.line("SelectionSet.Name", set.name());
    SelectionFilter texts;
    texts.add(0, u"TEXT");
    set.selectAll(texts);
    t.line("Select(5) TEXT count", set.count());
    t.line("SelectionSet.Item(0)", set.item(0).handle());
    set.clear();
    t.line("after Clear", set.count());
    set.erase();
    t.line("after Delete, sets", doc.selectionSets().count());

    {
        UndoGroup group(doc);
        text.setTextString(u"モーター１");
        text.setAlignment(1);
        text.setTextAlignmentPoint({20, 50, 0});
        text.setInsertionPoint({21, 51, 0});
        describeText(t, "changed", text);
        const Entity copy = text.copy();
        describeText(t, "copy", copy);
        copy.update();
        copy.erase();
        t.attempt("erased copy", [&] { copy.textString(); });
    }
    doc.regen();
    t.attempt("locked layer", [&] { doc.handleToObject(handleOf(cad.ids().titleText)).setTextString(u"x"); });
    t.attempt("unknown member", [&] { text.object()->get(u"NoSuchMember"); });
}

// The TEXT command: pick on screen with a TEXT filter, read each text, the
// set cleared and deleted.
void textPick(SessionCad &cad, Transcript &t)
{
    const Document doc = cad.application().activeDocument();
    cad.scriptPick({cad.ids().numberText, cad.ids().motorText, cad.ids().titleText});
    const std::u16string locked = LockedLayerList(doc);
    {
        TempSelectionSet set(doc);
        SelectionFilter filter;
        filter.add(0, u"TEXT");
        set->selectOnScreen(filter);
        t.line("picked", set->count());
        for (int i = 0; i < set->count(); ++i) {
            const Entity e = set->item(i);
            describeText(t, "picked", e);
            t.line("on a locked layer", isOnLockedLayer(locked, e.layer()));
        }
    }
    t.line("sets left", doc.selectionSets().count());
}

// The write-back: strings into their texts, a copy for an added line, an
// emptied line's text deleted, all in one undo group, then Regen.
void writeBack(SessionCad &cad, Transcript &t)
{
    const Document doc = cad.application().activeDocument();
    {
        UndoGroup group(doc);
        const Entity first = doc.handleToObject(handleOf(cad.ids().motorText));
        first.setTextString(u"ﾓｰﾀｰ2");
        const Entity added = first.copy();
        added.setInsertionPoint({10, 20, 0});
        added.setTextString(u"ﾓｰﾀｰ3");
        t.line("added", added.handle());
        doc.handleToObject(handleOf(cad.ids().pumpText)).erase();
    }
    doc.regen();
    t.line("dump", cad.dump());
}

// The search: every TEXT whose string matches the pattern, by Select mode 5.
void search(SessionCad &cad, Transcript &t)
{
    const Document doc = cad.application().activeDocument();
    for (const std::u16string pattern : {u"*ﾓｰﾀｰ*", u"*-0#", u"No.?", u"*ﾎﾟﾝﾌﾟ*,*ポンプ*"}) {
        TempSelectionSet set(doc);
        SelectionFilter filter;
        filter.add(0, u"TEXT");
        filter.add(1, pattern);
        set->selectAll(filter);
        t.line("found for " + toUtf8(pattern), set->count());
        for (int i = 0; i < set->count(); ++i)
            t.line("found", set->item(i).textString());
    }
    t.line("sets left", doc.selectionSets().count());
}

// The grid's acquisition: block references picked with an INSERT filter,
// their attributes, the prompts of the block definition.
void attributeAcquisition(SessionCad &cad, Transcript &t)
{
    const Document doc = cad.application().activeDocument();
    cad.scriptPick({cad.ids().motorBlock, cad.ids().pumpBlock, cad.ids().motorText});
    TempSelectionSet set(doc);
    SelectionFilter filter;
    filter.add(0, u"INSERT");
    set->selectOnScreen(filter);
    t.line("blocks", set->count());
    for (int i = 0; i < set->count(); ++i) {
        const BlockReference insert(set->item(i));
        t.line("block", insert.name());
        for (const Attribute &a : insert.getAttributes()) {
            t.line("tag " + toUtf8(a.tagString()), a.textString());
            t.line("handle", a.handle());
        }
    }
}

// The ATTR command's pick of one attribute (GetSubEntity with its four out
// parameters), and a cancelled pick.
void subEntityPick(SessionCad &cad, Transcript &t)
{
    const Document doc = cad.application().activeDocument();
    const BlockReference insert(doc.handleToObject(handleOf(cad.ids().motorBlock)));
    const Handle attribute = handleFromString(insert.getAttributes().at(1).handle());
    cad.scriptSubEntityPick(attribute);
    const SubEntityPick pick = doc.utility().getSubEntity(u"属性を選択");
    t.line("picked", pick.entity.handle());
    t.line("tag", Attribute(pick.entity.object()).tagString());
    t.attempt("nothing scripted", [&] { doc.utility().getSubEntity(u"属性を選択"); });
}

const std::vector<std::pair<const char *, std::function<void(SessionCad &, Transcript &)>>> sequences = {
    {"every member", everyMember},
    {"TEXT pick", textPick},
    {"write-back", writeBack},
    {"search", search},
    {"attribute acquisition", attributeAcquisition},
    {"attribute pick", subEntityPick},
};

std::map<std::string, std::string> runAll(SessionCad &cad)
{
    std::map<std::string, std::string> transcripts;
    for (const auto &[name, sequence] : sequences) {
        Transcript t;
        t.attempt("the sequence", [&] { sequence(cad, t); });
        transcripts[name] = t.text();
    }
    Transcript final;
    final.line("drawing", cad.dump());
    transcripts["final drawing"] = final.text();
    return transcripts;
}

class ComAutomation : public ::testing::TestWithParam<Route>
{
protected:
    ComApartment apartment;
};

TEST_P(ComAutomation, GivesWhatTheDrawingItselfGives)
{
    std::unique_ptr<SessionCad> direct = SessionCad::open(Route::Direct);
    const std::map<std::string, std::string> expected = runAll(*direct);

    std::unique_ptr<SessionCad> cad = SessionCad::open(GetParam());
    ASSERT_TRUE(cad->isReady()) << "the test CAD did not start";
    const std::map<std::string, std::string> seen = runAll(*cad);
    for (const auto &[name, transcript] : expected) {
        EXPECT_EQ(seen.at(name), transcript) << name;
        // A transcript that failed at its start would compare equal too.
        EXPECT_EQ(transcript.find("the sequence failed"), std::string::npos) << name << "\n" << transcript;
    }
    if (cad->membersCalled() >= 0) {
        std::printf("through COM: %d members of the automation model, %ld calls, %zu sequences\n",
                    cad->membersCalled(), cad->callsMade(), sequences.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Routes, ComAutomation, ::testing::Values(Route::ComInProcess, Route::ComCrossProcess),
                         [](const auto &info) { return std::string(routeName(info.param)); });

} // namespace
