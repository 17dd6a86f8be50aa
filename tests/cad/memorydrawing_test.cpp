// The in-memory drawing through the typed layer, as the commands see it.
#include "cad/caderror.h"
#include "cad/document.h"
#include "cad/memory/memorydrawing.h"

#include <gtest/gtest.h>

using namespace cad;

namespace {

class CadMemoryDrawing : public ::testing::Test
{
protected:
    std::shared_ptr<MemoryDrawing> drawing = MemoryDrawing::create();
    Application app{drawing->application()};
    Document doc = app.activeDocument();

    std::u16string textOf(Handle h) const { return drawing->entity(h)->text; }
};

TEST_F(CadMemoryDrawing, EachUndoGroupIsOneStep)
{
    const Handle a = drawing->addText(u"A", {0, 100});
    const Handle b = drawing->addText(u"B", {0, 90});

    doc.startUndoMark();
    doc.handleToObject(handleToString(a)).setTextString(u"A1");
    doc.handleToObject(handleToString(b)).erase();
    doc.endUndoMark();

    doc.startUndoMark();
    const Entity copy = doc.handleToObject(handleToString(a)).copy();
    copy.setTextString(u"C");
    copy.setInsertionPoint({0, 80});
    doc.endUndoMark();
    const Handle copyHandle = handleFromString(copy.handle());

    EXPECT_EQ(drawing->undoStepCount(), 2);
    ASSERT_TRUE(drawing->undo());
    EXPECT_EQ(drawing->entity(copyHandle), nullptr);
    EXPECT_EQ(textOf(a), u"A1");
    EXPECT_EQ(drawing->entity(b), nullptr);

    ASSERT_TRUE(drawing->undo());
    EXPECT_EQ(textOf(a), u"A");
    ASSERT_NE(drawing->entity(b), nullptr);
    EXPECT_EQ(textOf(b), u"B");
    EXPECT_FALSE(drawing->undo());
}

TEST_F(CadMemoryDrawing, ChangeOutsideAGroupIsItsOwnStepAndOpenGroupCannotBeUndone)
{
    const Handle a = drawing->addText(u"A", {0, 0});
    const Entity e = doc.handleToObject(handleToString(a));
    e.setTextString(u"x");
    e.setTextString(u"y");
    doc.startUndoMark();
    EXPECT_EQ(drawing->undoDepth(), 1);
    EXPECT_FALSE(drawing->undo());
    doc.endUndoMark();
    EXPECT_EQ(drawing->undoDepth(), 0);
    ASSERT_TRUE(drawing->undo()); // the empty group
    ASSERT_TRUE(drawing->undo());
    EXPECT_EQ(textOf(a), u"x");
}

TEST_F(CadMemoryDrawing, CopyKeepsEveryPropertyUnderANewHandleAndDeleteForgetsIt)
{
    const Handle a = drawing->addText(u"ポンプ", {5, 6, 0}, u"機器", 2);
    drawing->entity(a)->height = 3.5;
    const Entity original = doc.handleToObject(handleToString(a));
    const Entity copy = original.copy();

    EXPECT_NE(copy.handle(), original.handle());
    EXPECT_NE(copy.objectId(), original.objectId());
    EXPECT_EQ(copy.textString(), u"ポンプ");
    EXPECT_EQ(copy.layer(), u"機器");
    EXPECT_EQ(copy.alignment(), 2);
    EXPECT_EQ(copy.textAlignmentPoint(), (Point{5, 6, 0}));
    EXPECT_DOUBLE_EQ(drawing->entity(handleFromString(copy.handle()))->height, 3.5);

    const std::u16string handle = copy.handle();
    copy.erase();
    EXPECT_THROW(doc.handleToObject(handle), CadError);
    EXPECT_THROW(copy.textString(), CadError);
    EXPECT_EQ(doc.objectIdToObject(original.objectId()).handle(), original.handle());
}

TEST_F(CadMemoryDrawing, CopyOfABlockReferenceCopiesItsAttributes)
{
    drawing->addAttributeDefinition(u"MOTOR", u"NAME", u"機器名");
    const Handle ref = drawing->addBlockReference(u"MOTOR", {10, 10}, {{u"NAME", u"M1"}});
    const BlockReference copy(doc.handleToObject(handleToString(ref)).copy());
    const auto attributes = copy.getAttributes();
    ASSERT_EQ(attributes.size(), 1u);
    EXPECT_EQ(attributes[0].textString(), u"M1");
    EXPECT_EQ(attributes[0].ownerId(), copy.objectId());
    EXPECT_NE(attributes[0].handle(), BlockReference(doc.handleToObject(handleToString(ref))).getAttributes()[0].handle());
}

TEST_F(CadMemoryDrawing, LockedLayerRefusesEveryChange)
{
    drawing->addLayer(u"図枠", true);
    const Handle t = drawing->addText(u"TITLE", {0, 0}, u"図枠");
    const Handle ref = drawing->addBlockReference(u"TTL", {0, 0}, {{u"NO", u"1"}}, u"図枠");
    const Entity text = doc.handleToObject(handleToString(t));

    EXPECT_THROW(text.setTextString(u"X"), CadError);
    EXPECT_THROW(text.setInsertionPoint({1, 1}), CadError);
    EXPECT_THROW(text.erase(), CadError);
    EXPECT_THROW(text.copy(), CadError);
    EXPECT_THROW(BlockReference(doc.handleToObject(handleToString(ref))).getAttributes()[0].setTextString(u"2"),
                 CadError);
    EXPECT_EQ(textOf(t), u"TITLE");
    EXPECT_EQ(drawing->undoStepCount(), 0);
    EXPECT_EQ(text.textString(), u"TITLE"); // reading still works
}

TEST_F(CadMemoryDrawing, AlignedAndFitTextsKeepBothPoints)
{
    const Handle fit = drawing->addText(u"FIT", {0, 0}, u"0", 5);
    drawing->entity(fit)->alignmentPoint = {30, 0, 0};
    const Entity e = doc.handleToObject(handleToString(fit));
    EXPECT_EQ(e.insertionPoint(), (Point{0, 0, 0}));
    EXPECT_EQ(e.textAlignmentPoint(), (Point{30, 0, 0}));
    e.setTextAlignmentPoint({40, 5, 0}); // only that end moves: the text stretches
    EXPECT_EQ(e.insertionPoint(), (Point{0, 0, 0}));

    const Handle right = drawing->addText(u"R", {10, 10}, u"0", 2);
    const Entity r = doc.handleToObject(handleToString(right));
    r.setTextAlignmentPoint({15, 12, 0}); // an anchored text moves whole
    EXPECT_EQ(r.insertionPoint(), (Point{15, 12, 0}));
}

TEST_F(CadMemoryDrawing, SelectAllFiltersByTypeStringAndBlockName)
{
    drawing->addText(u"P-01", {0, 0});
    drawing->addText(u"P-02", {0, 0});
    drawing->addText(u"M-01", {0, 0});
    drawing->addAttributeDefinition(u"MOTOR", u"NAME", u"");
    drawing->addBlockReference(u"MOTOR", {0, 0}, {{u"NAME", u"P-99"}});
    drawing->addBlockReference(u"PUMP", {0, 0}, {});

    const SelectionSet set = doc.selectionSets().add(u"A");
    SelectionFilter texts;
    texts.add(0, u"TEXT");
    texts.add(1, u"P-*");
    set.selectAll(texts);
    ASSERT_EQ(set.count(), 2); // attributes and block definitions are not drawing texts
    EXPECT_EQ(set.item(0).textString(), u"P-01");

    set.clear();
    SelectionFilter motors;
    motors.add(0, u"INSERT");
    motors.add(2, u"mot*");
    set.selectAll(motors);
    ASSERT_EQ(set.count(), 1);
    EXPECT_EQ(BlockReference(set.item(0)).name(), u"MOTOR");
}

TEST_F(CadMemoryDrawing, SelectOnScreenTakesTheScriptedPickThroughTheFilter)
{
    const Handle t1 = drawing->addText(u"A", {0, 0});
    const Handle ref = drawing->addBlockReference(u"B", {0, 0}, {});
    const Handle t2 = drawing->addText(u"C", {0, 0});
    const SelectionSet set = doc.selectionSets().add(u"SSTEMP");
    SelectionFilter filter;
    filter.add(0, u"TEXT");

    drawing->scriptPick({t2, ref, t1});
    set.selectOnScreen(filter);
    ASSERT_EQ(set.count(), 2);
    EXPECT_EQ(set.item(0).handle(), handleToString(t2)); // in pick order

    drawing->scriptCancelledPick();
    EXPECT_THROW(set.selectOnScreen(filter), CadError);
}

TEST_F(CadMemoryDrawing, SelectionSetNamesAreUniqueRegardlessOfCase)
{
    doc.selectionSets().add(u"sstemp");
    EXPECT_THROW(doc.selectionSets().add(u"SSTEMP"), CadError);
    SelectionSet s = doc.selectionSets().item(0);
    s.erase();
    EXPECT_EQ(doc.selectionSets().count(), 0);
    EXPECT_THROW(s.count(), CadError);
}

TEST_F(CadMemoryDrawing, GetSubEntityReturnsThePickedAttributeAndItsOwner)
{
    drawing->addAttributeDefinition(u"MOTOR", u"NAME", u"機器名");
    const Handle ref = drawing->addBlockReference(u"MOTOR", {0, 0}, {{u"NAME", u"M1"}});
    const Handle attr = drawing->entity(ref)->attributes[0];
    drawing->scriptSubEntityPick(attr, {1, 2, 0});

    const SubEntityPick pick = doc.utility().getSubEntity(u"TAG名を参照する属性を選択 : ");
    EXPECT_EQ(pick.entity.entityName(), u"AcDbAttribute");
    EXPECT_EQ(Attribute(pick.entity.object()).tagString(), u"NAME");
    EXPECT_EQ(pick.point, (Point{1, 2, 0}));
    const BlockReference owner(doc.objectIdToObject(pick.entity.ownerId()));
    EXPECT_EQ(owner.name(), u"MOTOR");

    // The attribute definition in the block definition gives the prompt.
    const Block block = doc.blocks().item(u"MOTOR");
    ASSERT_EQ(block.count(), 1);
    EXPECT_EQ(block.item(0).entityName(), u"AcDbAttributeDefinition");
    EXPECT_EQ(Attribute(block.item(0).object()).promptString(), u"機器名");

    EXPECT_THROW(doc.utility().getSubEntity(u"nothing scripted"), CadError);
}

TEST_F(CadMemoryDrawing, CollectionsAnswerItemByIndexOrName)
{
    drawing->addLayer(u"図枠", true);
    drawing->addBlock(u"MOTOR");
    const Layers layers = doc.layers();
    ASSERT_EQ(layers.count(), 2);
    EXPECT_EQ(layers.item(1).name(), u"図枠");
    EXPECT_TRUE(Layer(layers.object()->callWith(u"Item", {Variant(u"図枠")}).toObject()).isLocked());
    EXPECT_EQ(doc.blocks().item(u"motor").name(), u"MOTOR");
    EXPECT_THROW(layers.item(2), CadError);
    EXPECT_THROW(layers.item(-1), CadError);
    EXPECT_THROW(doc.blocks().item(u"PUMP"), CadError);
    EXPECT_THROW(doc.selectionSets().item(0), CadError);
}

TEST_F(CadMemoryDrawing, MembersAreFoundWhateverTheirCase)
{
    const Handle a = drawing->addText(u"A", {0, 0});
    const ObjectRef e = doc.handleToObject(handleToString(a)).object();
    e->put(u"textstring", Variant(u"B"));
    EXPECT_EQ(e->get(u"TEXTSTRING").toString(), u"B");
    EXPECT_THROW(e->get(u"NoSuchMember"), CadError);
}

TEST_F(CadMemoryDrawing, InjectedFaultsReachTheCallerAsCadError)
{
    const Handle a = drawing->addText(u"A", {0, 0});
    drawing->failMember(u"HandleToObject", u"Unknown handle");
    try {
        doc.handleToObject(handleToString(a));
        FAIL() << "HandleToObject should have failed";
    } catch (const CadError &e) {
        EXPECT_EQ(e.message(), u"Unknown handle");
    }
    drawing->clearFaults();
    EXPECT_NO_THROW(doc.handleToObject(handleToString(a)));

    drawing->failNthCall(2);
    const Entity e = doc.handleToObject(handleToString(a)); // call 1
    EXPECT_THROW(e.textString(), CadError);                 // call 2
    EXPECT_EQ(e.textString(), u"A");                         // call 3
}

TEST_F(CadMemoryDrawing, CallLogNamesObjectAndMember)
{
    drawing->clearCallLog();
    doc.startUndoMark();
    doc.endUndoMark();
    ASSERT_EQ(drawing->callLog().size(), 2u);
    EXPECT_EQ(drawing->callLog()[0].object, u"Document");
    EXPECT_EQ(drawing->callLog()[0].member, u"StartUndoMark");
    EXPECT_EQ(drawing->callCount(u"endundomark"), 1);

    // A drawing that keeps no log drops what it had and logs nothing more;
    // injected faults still count its calls.
    drawing->setCallLogKept(false);
    EXPECT_TRUE(drawing->callLog().empty());
    drawing->failNthCall(2);
    doc.startUndoMark();
    EXPECT_THROW(doc.endUndoMark(), CadError);
    EXPECT_TRUE(drawing->callLog().empty());
    drawing->setCallLogKept(true);
    doc.startUndoMark();
    EXPECT_EQ(drawing->callLog().size(), 1u);
}

TEST_F(CadMemoryDrawing, ViewAndVariables)
{
    EXPECT_DOUBLE_EQ(doc.getVariable(u"VIEWSIZE").toDouble(), 100.0);
    drawing->setVariable(u"SCREENSIZE", std::vector<double>{0, 0});
    EXPECT_EQ(doc.getVariable(u"screensize").toDoubleArray(), (std::vector<double>{0, 0}));
    EXPECT_THROW(doc.getVariable(u"NOSUCHVAR"), CadError);
    app.zoomCenter({3, 4, 0}, 55.0);
    EXPECT_EQ(drawing->lastZoomCenter, (Point{3, 4, 0}));
    EXPECT_DOUBLE_EQ(drawing->lastZoomMagnification, 55.0);
    EXPECT_EQ(app.hwnd(), drawing->applicationWindow);
    EXPECT_EQ(doc.hwnd(), drawing->documentWindow);
}

} // namespace
