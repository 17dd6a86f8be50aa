// The CAD-window operations over the socket: the tool's window system asks
// the stand-in for everything about the stand-in's own window and keeps
// what concerns the tool's windows to itself.
#include "remote_standinthread.h"

#include "cad/caderror.h"
#include "cad/connection.h"
#include "cad/remote/remotecadwindowsystem.h"
#include "cad/remote/socketrunningobjecttable.h"
#include "support/recordingwindowsystem.h"

#include <gtest/gtest.h>

using namespace cad;
using namespace cad::remote;

namespace {

constexpr WindowHandle MainWindow = 0x77;

// The stand-in's window as the viewer would be: remembers what it was asked.
class RecordingCadWindow : public standin::CadWindowControl
{
public:
    std::vector<std::string> log;
    bool minimized = false;
    bool active = false;
    bool activationGranted = true; // the desktop lets the window come to the front
    std::vector<std::pair<MarkerPen, std::vector<ScreenPoint>>> markers;

    bool isMinimized() const override { return minimized; }
    void restore() override
    {
        log.push_back("Restore");
        minimized = false;
    }
    void minimize() override
    {
        log.push_back("Minimize");
        minimized = true;
        active = false;
    }
    void activate() override
    {
        log.push_back("Activate");
        active = activationGranted;
    }
    bool isActive() const override { return active; }
    void pressEscape() override { log.push_back("Escape"); }
    void drawMarker(const MarkerPen &pen, const std::vector<ScreenPoint> &points) override
    {
        log.push_back("Marker");
        markers.emplace_back(pen, points);
    }
};

class CadRemoteWindowSystem : public ::testing::Test
{
protected:
    CadRemoteWindowSystem()
    {
        standin = std::make_unique<StandinThread>(drawing, uniqueProgId("windows"));
        EXPECT_TRUE(standin->isListening()) << standin->errorString().toStdString();
        standin->run([this](standin::CadServer *&server) { server->setWindowControl(&cadWindow); });
        app = AttachCad(rot, standin->progId());
        local.threads = {{MainWindow, 1}};
    }
    ~CadRemoteWindowSystem() override { standin->stop(); }

    // What the stand-in's window was asked, read on the server's thread.
    std::vector<std::string> cadLog()
    {
        std::vector<std::string> copy;
        standin->run([&](standin::CadServer *&) { copy = cadWindow.log; });
        return copy;
    }

    std::shared_ptr<MemoryDrawing> drawing = MemoryDrawing::create();
    RecordingCadWindow cadWindow;
    std::unique_ptr<StandinThread> standin;
    SocketRunningObjectTable rot;
    RecordingWindowSystem local;
    RemoteCadWindowSystem windows{rot, &local};
    Application app;
};

TEST_F(CadRemoteWindowSystem, ActivateRestoresTheCadAndSendsItEscape)
{
    cadWindow.minimized = true;
    ActivateCad(app, windows, MainWindow, {true, true, true});
    EXPECT_EQ(cadLog(), (std::vector<std::string>{"Restore", "Activate", "Escape"}));
    EXPECT_EQ(local.log, (std::vector<std::string>{"Sleep 500", "Minimize 119", "Sleep 5"}));
}

TEST_F(CadRemoteWindowSystem, NoEscapeWhenTheCadDidNotComeToTheFront)
{
    standin->run([this](standin::CadServer *&) { cadWindow.activationGranted = false; });
    local.foreground = MainWindow;
    local.foregroundFollowsRequests = false;
    ActivateCad(app, windows, MainWindow, {false, true, true});
    EXPECT_EQ(cadLog(), std::vector<std::string>{"Activate"});
    EXPECT_EQ(local.escapes, 0);
}

TEST_F(CadRemoteWindowSystem, PanToPointDrawsTheMarkerOnTheCadsDrawingWindow)
{
    PanToPoint(app, windows, {120, 80, 0});
    EXPECT_EQ(standin->read<int>([](standin::CadServer &s) { return s.drawing()->zoomCenterCount; }), 2);
    std::vector<std::pair<MarkerPen, std::vector<ScreenPoint>>> markers;
    standin->run([&](standin::CadServer *&) { markers = cadWindow.markers; });
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(markers[0].first, (MarkerPen{3, 255, 100, 100, false}));
    EXPECT_EQ(markers[0].second, markerTriangle(1280, 800, 0.05));
    EXPECT_TRUE(local.markers.empty());
}

TEST_F(CadRemoteWindowSystem, TheToolsOwnWindowStaysLocal)
{
    // With the CAD in front, raising our window attaches no thread input
    // to a thread of another process.
    app.object()->callWith(member::WindowActivate, {drawing->applicationWindow});
    ForceForeground(windows, MainWindow);
    EXPECT_EQ(local.log, (std::vector<std::string>{"SetForeground 119", "BringToTop 119"}));
    EXPECT_EQ(windows.windowThread(drawing->documentWindow), RemoteCadWindowSystem::CadThread);

    windows.showNormal(MainWindow);
    windows.drawPolyline(MainWindow, {}, {{1, 1}});
    EXPECT_EQ(local.log.back(), "Marker 119");
    EXPECT_EQ(cadLog(), std::vector<std::string>{"Activate"});
}

TEST_F(CadRemoteWindowSystem, TheCadRefusesWindowsThatAreNotItsOwn)
{
    try {
        app.object()->callWith(member::WindowRestore, {WindowHandle(0x55)});
        FAIL() << "a foreign window was restored";
    } catch (const CadError &e) {
        EXPECT_EQ(e.message(), u"Not a window of this CAD.");
    }
    EXPECT_THROW(app.object()->callWith(member::WindowDrawPolyline,
                                        {drawing->documentWindow, 1, 0, 0, 0, false, std::vector<Variant>{int32_t(1)}}),
                 CadError);
    EXPECT_TRUE(cadLog().empty());
}

TEST_F(CadRemoteWindowSystem, WithoutAttachedCadEverythingIsLocal)
{
    app = Application();
    EXPECT_EQ(rot.lastAttached(), nullptr);
    local.iconic.insert(drawing->applicationWindow);
    EXPECT_TRUE(windows.isIconic(drawing->applicationWindow));
    windows.pressEscape();
    EXPECT_EQ(local.escapes, 1);
    EXPECT_TRUE(cadLog().empty());
}

} // namespace
