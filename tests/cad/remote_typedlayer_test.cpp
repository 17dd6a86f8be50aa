// The typed object model and the connection operations, unchanged, over the
// socket link to a stand-in server: what works on the in-memory drawing
// directly works the same through the remote backend.
#include "remote_standinthread.h"

#include "cad/caderror.h"
#include "cad/connection.h"
#include "cad/ustring.h"
#include "cad/remote/remoteprotocol.h"
#include "cad/remote/socketrunningobjecttable.h"

#include <gtest/gtest.h>

using namespace cad;
using namespace cad::remote;

namespace {

class CadRemoteTypedLayer : public ::testing::Test
{
protected:
    CadRemoteTypedLayer()
    {
        drawing->addLayer(u"LOCKED", true);
        first = drawing->addText(u"盤名称 ABC", {10, 20, 0});
        second = drawing->addText(u"ＡＢＣ全角", {10, 10, 0}, u"0", 1);
        lockedText = drawing->addText(u"表題", {0, 0, 0}, u"LOCKED");
        drawing->addAttributeDefinition(u"DEVICE", u"NAME", u"機器名称");
        device = drawing->addBlockReference(u"DEVICE", {50, 50, 0}, {{u"NAME", u"MC1"}, {u"SPEC", u"3.7kW"}});
        standin = std::make_unique<StandinThread>(drawing, uniqueProgId("typed"));
        EXPECT_TRUE(standin->isListening()) << standin->errorString().toStdString();
        app = AttachCad(rot, standin->progId());
        doc = app.activeDocument();
    }

    // Reads the drawing on the server's thread.
    template <typename T>
    T onServer(const std::function<T(MemoryDrawing &)> &query)
    {
        return standin->read<T>([&](standin::CadServer &server) { return query(*server.drawing()); });
    }

    std::shared_ptr<MemoryDrawing> drawing = MemoryDrawing::create();
    Handle first = 0, second = 0, lockedText = 0, device = 0;
    std::unique_ptr<StandinThread> standin;
    SocketRunningObjectTable rot;
    Application app;
    Document doc;
};

TEST_F(CadRemoteTypedLayer, PropertiesReadAndWriteThroughTheSocket)
{
    EXPECT_EQ(app.hwnd(), drawing->applicationWindow);
    EXPECT_EQ(doc.hwnd(), drawing->documentWindow);

    const Entity text = doc.handleToObject(handleToString(second));
    EXPECT_EQ(text.textString(), u"ＡＢＣ全角");
    EXPECT_EQ(text.alignment(), 1);
    EXPECT_EQ(text.insertionPoint(), (Point{10, 10, 0}));
    EXPECT_EQ(text.entityName(), u"AcDbText");
    EXPECT_EQ(doc.objectIdToObject(text.objectId()).handle(), handleToString(second));

    // A surrogate pair and a half-width kana pass as UTF-16, unchanged.
    const std::u16string written = u"𠮷野家ｶﾞ\t改行なし";
    text.setTextString(written);
    text.setTextAlignmentPoint({30, 40, 0});
    EXPECT_EQ(text.textString(), written);
    EXPECT_EQ(onServer<std::u16string>([&](MemoryDrawing &d) { return d.entity(second)->text; }), written);
    EXPECT_EQ(onServer<Point>([&](MemoryDrawing &d) { return d.entity(second)->alignmentPoint; }),
              (Point{30, 40, 0}));

    const BlockReference ref(doc.handleToObject(handleToString(device)));
    EXPECT_EQ(ref.name(), u"DEVICE");
    ASSERT_TRUE(ref.hasAttributes());
    const std::vector<Attribute> attributes = ref.getAttributes();
    ASSERT_EQ(attributes.size(), 2u);
    EXPECT_EQ(attributes[1].tagString(), u"SPEC");
    EXPECT_EQ(attributes[1].textString(), u"3.7kW");
    EXPECT_EQ(doc.blocks().item(u"DEVICE").item(0).object()->get(u"PromptString").toString(), u"機器名称");
    EXPECT_EQ(LockedLayerList(doc), u"\tLOCKED\t");
}

TEST_F(CadRemoteTypedLayer, CopyAndDeleteChangeTheServedDrawing)
{
    const Entity original = doc.handleToObject(handleToString(first));
    const Entity copy = original.copy();
    EXPECT_NE(copy.handle(), original.handle());
    EXPECT_EQ(copy.textString(), u"盤名称 ABC");
    const Handle copied = handleFromString(copy.handle());
    EXPECT_TRUE(onServer<bool>([&](MemoryDrawing &d) { return d.entity(copied) != nullptr; }));

    copy.erase();
    EXPECT_FALSE(onServer<bool>([&](MemoryDrawing &d) { return d.entity(copied) != nullptr; }));
    try {
        doc.handleToObject(handleToString(copied));
        FAIL() << "a deleted entity was found";
    } catch (const CadError &e) {
        EXPECT_EQ(e.message(), u"Unknown handle: " + handleToString(copied));
    }
    // The proxy of the deleted entity answers with the CAD's error, too.
    EXPECT_THROW(copy.textString(), CadError);
}

TEST_F(CadRemoteTypedLayer, SelectAllWithFiltersFindsWhatTheDrawingHolds)
{
    const TempSelectionSet temp(doc);
    ASSERT_TRUE(temp.isValid());
    EXPECT_EQ(temp->name(), u"SSTEMP");

    struct Case
    {
        std::vector<std::pair<int16_t, std::u16string>> filter;
        std::vector<Handle> expected;
    };
    const std::vector<Case> cases{
        {{{0, u"TEXT"}}, {first, second, lockedText}},
        {{{0, u"TEXT"}, {1, u"*ABC*"}}, {first}},
        {{{0, u"TEXT"}, {1, u"*全角"}}, {second}},
        {{{0, u"INSERT"}, {2, u"DEV*"}}, {device}},
        {{{0, u"LINE"}}, {}},
    };
    for (const Case &c : cases) {
        SelectionFilter filter;
        for (const auto &[code, value] : c.filter)
            filter.add(code, value);
        temp->clear();
        temp->selectAll(filter);
        std::vector<Handle> found;
        for (int i = 0; i < temp->count(); ++i)
            found.push_back(handleFromString(temp->item(i).handle()));
        EXPECT_EQ(found, c.expected) << toUtf8(c.filter.back().second);
    }
}

TEST_F(CadRemoteTypedLayer, TheTemporarySelectionSetIsGoneAfterTheCommand)
{
    {
        const TempSelectionSet temp(doc);
        temp->selectAll({});
        EXPECT_TRUE(onServer<bool>([](MemoryDrawing &d) { return d.hasSelectionSet(u"SSTEMP"); }));
    }
    EXPECT_FALSE(onServer<bool>([](MemoryDrawing &d) { return d.hasSelectionSet(u"SSTEMP"); }));
}

TEST_F(CadRemoteTypedLayer, SelectOnScreenTakesTheScriptedPickOrFailsWhenCancelled)
{
    const TempSelectionSet temp(doc);
    SelectionFilter texts;
    texts.add(0, u"TEXT");
    // The pick names the block reference too; the filter keeps it out.
    app.object()->callWith(member::TestScriptPick,
                           {std::vector<Variant>{handleToString(second), handleToString(device)}});
    temp->selectOnScreen(texts);
    ASSERT_EQ(temp->count(), 1);
    EXPECT_EQ(temp->item(0).handle(), handleToString(second));

    app.object()->call(member::TestScriptCancelledPick);
    try {
        temp->selectOnScreen(texts);
        FAIL() << "a cancelled pick succeeded";
    } catch (const CadError &e) {
        EXPECT_EQ(e.message(), u"The selection was cancelled.");
    }
    EXPECT_EQ(temp->count(), 1);
    EXPECT_FALSE(app.object()->call(member::TestIsPickPending).toBool());
}

TEST_F(CadRemoteTypedLayer, GetSubEntityWritesItsOutParameters)
{
    const Handle spec = onServer<Handle>([&](MemoryDrawing &d) { return d.entity(device)->attributes[1]; });
    app.object()->callWith(member::TestScriptSubEntityPick,
                           {handleToString(spec), std::vector<double>{51.5, 47.25, 0}});
    const SubEntityPick pick = doc.utility().getSubEntity(u"属性を選択");
    EXPECT_EQ(pick.entity.handle(), handleToString(spec));
    EXPECT_EQ(Attribute(pick.entity.object()).tagString(), u"SPEC");
    EXPECT_EQ(pick.point, (Point{51.5, 47.25, 0}));

    // Every out parameter comes back, the transformation matrix included.
    std::vector<Variant> args{Variant(), Variant(), Variant(), Variant(), u"もう一度"};
    app.object()->callWith(member::TestScriptSubEntityPick, {handleToString(first)});
    doc.utility().object()->call(u"GetSubEntity", args);
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(args[2].toVariantArray().size(), 4u);
    EXPECT_EQ(args[2].toVariantArray()[0].toDoubleArray(), (std::vector<double>{1, 0, 0, 0}));
    EXPECT_EQ(args[3].type(), Variant::Type::VariantArray);
    EXPECT_EQ(args[4].toString(), u"もう一度");
}

TEST_F(CadRemoteTypedLayer, AnUndoGroupIsOneStepOfTheCad)
{
    const Entity a = doc.handleToObject(handleToString(first));
    const Entity b = doc.handleToObject(handleToString(second));
    {
        const UndoGroup group(doc);
        a.setTextString(u"一");
        b.setTextString(u"二");
        EXPECT_EQ(onServer<int>([](MemoryDrawing &d) { return d.undoDepth(); }), 1);
    }
    EXPECT_EQ(onServer<int>([](MemoryDrawing &d) { return d.undoDepth(); }), 0);
    EXPECT_TRUE(app.object()->call(member::TestUndo).toBool());
    EXPECT_EQ(a.textString(), u"盤名称 ABC");
    EXPECT_EQ(b.textString(), u"ＡＢＣ全角");
    EXPECT_FALSE(app.object()->call(member::TestUndo).toBool());
}

TEST_F(CadRemoteTypedLayer, TheCadsErrorMessagesArriveUnchanged)
{
    const Entity locked = doc.handleToObject(handleToString(lockedText));
    try {
        locked.setTextString(u"変更");
        FAIL() << "a text on a locked layer changed";
    } catch (const CadError &e) {
        EXPECT_EQ(e.message(), u"The entity is on a locked layer.");
    }

    struct Case
    {
        std::function<void()> action;
        std::u16string message;
    };
    standin->run([](standin::CadServer *&server) { server->drawing()->failMember(u"Regen", u"再生成できません"); });
    const std::vector<Case> cases{
        {[&] { locked.object()->get(u"NoSuchMember"); }, u"Unknown name: Entity.NoSuchMember"},
        {[&] { doc.regen(); }, u"再生成できません"},
        {[&] { doc.layers().item(7); }, u"Index out of range."},
        {[&] { app.object()->call(u"MorvexTest.NoSuchHook"); }, u"Unknown name: Application.MorvexTest.NoSuchHook"},
    };
    for (const Case &c : cases) {
        try {
            c.action();
            ADD_FAILURE() << "no error for " << toUtf8(c.message);
        } catch (const CadError &e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }
    // The link itself still works after the errors.
    EXPECT_EQ(locked.textString(), u"表題");
}

TEST_F(CadRemoteTypedLayer, HandlesLiveAsLongAsTheirProxies)
{
    auto heldHandles = [&] { return standin->read<int>([](standin::CadServer &s) { return s.objectHandleCount(); }); };
    const int before = heldHandles();
    {
        const Entity text = doc.handleToObject(handleToString(first));
        const Layers layers = doc.layers();
        EXPECT_EQ(heldHandles(), before + 2);
        EXPECT_EQ(layers.count(), 2);
        EXPECT_EQ(text.layer(), u"0");
    }
    // Releases need no answer: the server takes them in its own time.
    EXPECT_TRUE(eventually([&] { return heldHandles() == before; }));

    // A closed connection takes its handles with it: the last proxy of the
    // connection going away closes it.
    {
        const Entity kept = doc.handleToObject(handleToString(first));
        app = Application();
        doc = Document();
        EXPECT_EQ(kept.textString(), u"盤名称 ABC");
    }
    EXPECT_TRUE(eventually([&] {
        return standin->read<int>([](standin::CadServer &s) { return s.connectionCount(); }) == 0;
    }));
    EXPECT_EQ(heldHandles(), 0);
}

} // namespace
