// The operations every command shares to reach the CAD.
#include "cad/caderror.h"
#include "cad/connection.h"
#include "cad/memory/memorydrawing.h"
#include "cad/memory/memoryrunningobjecttable.h"
#include "support/recordingwindowsystem.h"

#include <gtest/gtest.h>

using namespace cad;

namespace {

const std::u16string ProgId = u"BricscadApp.AcadApplication";
constexpr WindowHandle MainWindow = 0x77;

class CadConnection : public ::testing::Test
{
protected:
    CadConnection() { rot.registerRunning(ProgId, drawing); }

    std::shared_ptr<MemoryDrawing> drawing = MemoryDrawing::create();
    MemoryRunningObjectTable rot;
    RecordingWindowSystem windows;
};

TEST_F(CadConnection, ProbeAndAttach)
{
    EXPECT_TRUE(CadIsRunning(rot, windows, ProgId));
    rot.registerClass(u"Other.Application");
    EXPECT_FALSE(CadIsRunning(rot, windows, u"Other.Application"));
    // A ProgID without a registered class fails the class lookup.
    EXPECT_THROW(CadIsRunning(rot, windows, u"No.Such.Class"), CadError);
    EXPECT_EQ(AttachCad(rot, ProgId).hwnd(), drawing->applicationWindow);
}

TEST_F(CadConnection, NanoCadIsFoundByItsWindowTitleOnly)
{
    rot.registerRunning(u"nanoCAD.Application", drawing);
    EXPECT_FALSE(CadIsRunning(rot, windows, u"nanoCAD.Application"));
    windows.topLevelTitles.insert(u"nanoCAD 5 - drawing.dwg");
    EXPECT_FALSE(CadIsRunning(rot, windows, u"nanoCAD.Application"));
    windows.topLevelTitles.insert(u"nanoCAD 5");
    EXPECT_TRUE(CadIsRunning(rot, windows, u"nanoCAD.Application"));
}

TEST_F(CadConnection, ActivateRestoresAMinimisedCadAndSendsEscapeOnlyWhenItIsInFront)
{
    const WindowHandle cad = drawing->applicationWindow;
    windows.iconic.insert(cad);
    const Application app = AttachCad(rot, ProgId);
    ActivateCad(app, windows, MainWindow, {true, true, true});
    const std::vector<std::string> expected{
        "OpenIcon " + std::to_string(cad), "Sleep 500", "Minimize " + std::to_string(MainWindow),
        "SetForeground " + std::to_string(cad), "Escape", "Sleep 5"};
    EXPECT_EQ(windows.log, expected);

    windows.log.clear();
    windows.foregroundFollowsRequests = false;
    windows.foreground = MainWindow;
    ActivateCad(app, windows, MainWindow, {false, true, true});
    EXPECT_EQ(windows.log, std::vector<std::string>{"SetForeground " + std::to_string(cad)});
}

TEST_F(CadConnection, ForceForegroundAttachesInputOnlyAcrossThreads)
{
    windows.threads = {{MainWindow, 1}, {0x99, 2}};
    windows.foreground = 0x99;
    ForceForeground(windows, MainWindow);
    EXPECT_EQ(windows.log, (std::vector<std::string>{"SetForeground 119", "Attach 1 2", "BringToTop 119",
                                                     "Detach 1 2"}));
    windows.log.clear();
    ForceForeground(windows, MainWindow);
    EXPECT_EQ(windows.log, (std::vector<std::string>{"SetForeground 119", "BringToTop 119"}));
}

TEST_F(CadConnection, TempSelectionSetReusesALowerCaseSstempAndLeavesNone)
{
    const Document doc = AttachCad(rot, ProgId).activeDocument();
    const Handle t = drawing->addText(u"A", {0, 0});
    SelectionSet old = doc.selectionSets().add(u"sstemp");
    drawing->scriptPick({t});
    old.selectOnScreen({});
    ASSERT_EQ(old.count(), 1);
    {
        TempSelectionSet temp(doc);
        ASSERT_TRUE(temp.isValid());
        EXPECT_EQ(temp->name(), u"sstemp");
        EXPECT_EQ(temp->count(), 0); // emptied
        EXPECT_EQ(doc.selectionSets().count(), 1);
    }
    EXPECT_FALSE(drawing->hasSelectionSet(u"SSTEMP"));

    {
        TempSelectionSet temp(doc);
        EXPECT_EQ(temp->name(), u"SSTEMP");
        try {
            drawing->failMember(u"SelectOnScreen");
            temp->selectOnScreen({});
        } catch (const CadError &) {
        }
        drawing->clearFaults();
    }
    EXPECT_TRUE(drawing->selectionSets().empty());
}

TEST_F(CadConnection, GetTempSelectionSetFailsSilently)
{
    const Document doc = AttachCad(rot, ProgId).activeDocument();
    SelectionSet out;
    drawing->failMember(u"SelectionSets");
    EXPECT_NO_THROW(GetTempSelectionSet(doc, out));
    EXPECT_TRUE(out.isNull());
}

TEST_F(CadConnection, PanToPointCentresTwiceAndDrawsTheMarker)
{
    const Application app = AttachCad(rot, ProgId);
    drawing->setVariable(u"SCREENSIZE", std::vector<double>{1280, 800});
    drawing->setVariable(u"VIEWSIZE", 42.0);
    PanToPoint(app, windows, {10, 20, 0});
    EXPECT_EQ(drawing->zoomCenterCount, 2);
    EXPECT_EQ(drawing->lastZoomCenter, (Point{10, 20, 0}));
    EXPECT_DOUBLE_EQ(drawing->lastZoomMagnification, 42.0);
    ASSERT_EQ(windows.markers.size(), 1u);
    const auto &marker = windows.markers[0];
    EXPECT_EQ(marker.window, drawing->documentWindow);
    EXPECT_EQ(marker.pen, (MarkerPen{3, 255, 100, 100, false}));
    // W = 1280: L = 64, h = 32, tip at the centre (640, 400).
    EXPECT_EQ(marker.points, (std::vector<ScreenPoint>{{640, 400}, {576, 368}, {576, 432}, {640, 400}}));
}

TEST_F(CadConnection, PanToPointWithoutScreenSizeOrWindowDrawsNoMarker)
{
    const Application app = AttachCad(rot, ProgId);
    drawing->setVariable(u"SCREENSIZE", std::vector<double>{0, 0});
    PanToPoint(app, windows, {1, 1, 0});
    EXPECT_EQ(drawing->zoomCenterCount, 2);
    EXPECT_TRUE(windows.markers.empty());

    drawing->setVariable(u"SCREENSIZE", std::vector<double>{1280, 800});
    drawing->documentWindow = 0;
    PanToPoint(app, windows, {1, 1, 0});
    EXPECT_TRUE(windows.markers.empty());

    drawing->failMember(u"ZoomCenter");
    EXPECT_NO_THROW(PanToPoint(app, windows, {1, 1, 0}));
}

TEST_F(CadConnection, MarkerTriangleTruncatesTowardZero)
{
    EXPECT_EQ(markerTriangle(1001, 601, 0.05),
              (std::vector<ScreenPoint>{{500, 300}, {450, 275}, {450, 325}, {500, 300}}));
}

TEST_F(CadConnection, LockedLayerList)
{
    const Document doc = AttachCad(rot, ProgId).activeDocument();
    EXPECT_EQ(LockedLayerList(doc), u"\t");
    EXPECT_FALSE(isOnLockedLayer(LockedLayerList(doc), u"0"));

    drawing->addLayer(u"機器");
    drawing->addLayer(u"図枠", true);
    drawing->addLayer(u"Title", true);
    const std::u16string list = LockedLayerList(doc);
    EXPECT_EQ(list, u"\t図枠\tTitle\t");
    EXPECT_TRUE(isOnLockedLayer(list, u"図枠"));
    EXPECT_TRUE(isOnLockedLayer(list, u"Title"));
    EXPECT_FALSE(isOnLockedLayer(list, u"TITLE")); // case-sensitive
    EXPECT_FALSE(isOnLockedLayer(list, u"機器"));
}

TEST_F(CadConnection, UndoGroupClosesHoweverTheCommandEnds)
{
    const Document doc = AttachCad(rot, ProgId).activeDocument();
    const Handle t = drawing->addText(u"A", {0, 0});
    try {
        UndoGroup group(doc);
        doc.handleToObject(handleToString(t)).setTextString(u"B");
        EXPECT_EQ(drawing->undoDepth(), 1);
        doc.handleToObject(u"FFFFF");
    } catch (const CadError &) {
    }
    EXPECT_EQ(drawing->undoDepth(), 0);
    ASSERT_TRUE(drawing->undo());
    EXPECT_EQ(drawing->entity(t)->text, u"A");
}

} // namespace
