// The connection operations on Windows: the probe and the attachment
// through COM's class lookup and running object table, the "nanoCAD 5"
// probe by window title, the CAD window brought up and the marker drawn
// with the Win32 window operations on real windows.
#include "support/comtestrunningobjecttable.h"
#include "support/sessiondrawing.h"

#include "cad/caderror.h"
#include "cad/com/comapartment.h"
#include "cad/com/win32windowsystem.h"
#include "cad/connection.h"
#include "cad/ustring.h"

#include <gtest/gtest.h>

using namespace cad;
using namespace cad::com;
using namespace cad::com::test;

namespace {

// A top-level window of this test, shown or not.
class TestWindow
{
public:
    explicit TestWindow(const wchar_t *title, int width = 320, int height = 200)
    {
        WNDCLASSW c{};
        c.lpfnWndProc = DefWindowProcW;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"MorvexTestWindow";
        c.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassW(&c);
        hwnd = CreateWindowExW(0, L"MorvexTestWindow", title, WS_OVERLAPPEDWINDOW, 0, 0, width, height, nullptr,
                               nullptr, c.hInstance, nullptr);
    }
    ~TestWindow() { DestroyWindow(hwnd); }
    TestWindow(const TestWindow &) = delete;
    TestWindow &operator=(const TestWindow &) = delete;

    WindowHandle handle() const { return fromHwnd(hwnd); }
    HWND hwnd;
};

class ComConnection : public ::testing::Test
{
protected:
    ComConnection() { session.drawing->applicationWindow = 0; }

    ComApartment apartment;
    SessionDrawing session = makeSessionDrawing();
    ComTestRunningObjectTable rot;
    Win32WindowSystem windows;
};

TEST_F(ComConnection, ProbeAndAttachThroughTheRunningObjectTable)
{
    // No class for the ProgID: the class lookup fails, with the system's words.
    try {
        CadIsRunning(rot, windows, u"No.Such.Class");
        FAIL() << "a ProgID without class must fail the lookup";
    } catch (const CadError &e) {
        EXPECT_NE(e.message().find(u"0x800401F3"), std::u16string::npos) << toUtf8(e.message());
    }
    // A class that is installed but not running.
    rot.registerClass(u"Installed.Application");
    EXPECT_FALSE(CadIsRunning(rot, windows, u"Installed.Application"));
    EXPECT_THROW(AttachCad(rot, u"Installed.Application"), CadError);

    rot.registerRunning(u"Running.Application", session.drawing);
    EXPECT_TRUE(CadIsRunning(rot, windows, u"Running.Application"));
    session.drawing->applicationWindow = 0x1234;
    EXPECT_EQ(AttachCad(rot, u"Running.Application").hwnd(), 0x1234);

    rot.revoke(u"Running.Application");
    EXPECT_FALSE(CadIsRunning(rot, windows, u"Running.Application"));
}

TEST_F(ComConnection, NanoCadIsFoundByItsWindowTitle)
{
    rot.registerRunning(u"nanoCAD.Application", session.drawing);
    EXPECT_FALSE(CadIsRunning(rot, windows, u"nanoCAD.Application")) << "its running object is not asked";
    {
        TestWindow other(L"nanoCAD 5 - drawing.dwg");
        EXPECT_FALSE(CadIsRunning(rot, windows, u"nanoCAD.Application"));
        TestWindow nano(L"nanoCAD 5");
        EXPECT_TRUE(CadIsRunning(rot, windows, u"nanoCAD.Application"));
    }
    EXPECT_FALSE(CadIsRunning(rot, windows, u"nanoCAD.Application"));
}

TEST_F(ComConnection, AMinimisedCadWindowIsRestored)
{
    TestWindow cadWindow(L"Morvex test CAD");
    ShowWindow(cadWindow.hwnd, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(cadWindow.hwnd));
    session.drawing->applicationWindow = cadWindow.handle();
    rot.registerRunning(u"Running.Application", session.drawing);
    const Application app = AttachCad(rot, u"Running.Application");
    TestWindow mainWindow(L"Morvex");
    ShowWindow(mainWindow.hwnd, SW_SHOWNORMAL);
    ActivateCad(app, windows, mainWindow.handle(), {true, true, false});
    EXPECT_FALSE(IsIconic(cadWindow.hwnd));
    EXPECT_TRUE(IsIconic(mainWindow.hwnd)) << "the main window is minimised while the user picks";
    windows.showNormal(mainWindow.handle());
    ForceForeground(windows, mainWindow.handle());
    EXPECT_FALSE(IsIconic(mainWindow.hwnd));
}

TEST_F(ComConnection, TempSelectionSetThroughComFindsALowerCaseSstempAndLeavesNone)
{
    rot.registerRunning(u"Running.Application", session.drawing);
    const Document doc = AttachCad(rot, u"Running.Application").activeDocument();
    doc.selectionSets().add(u"sstemp");
    {
        TempSelectionSet set(doc);
        ASSERT_TRUE(set.isValid());
        EXPECT_EQ(set->name(), u"sstemp");
        EXPECT_EQ(session.drawing->selectionSets().size(), 1u);
    }
    EXPECT_TRUE(session.drawing->selectionSets().empty());
}

TEST_F(ComConnection, PanToPointCentresTheViewAndDrawsTheMarkerOnTheCadWindow)
{
    TestWindow drawingWindow(L"Morvex test drawing", 400, 300);
    ShowWindow(drawingWindow.hwnd, SW_SHOWNORMAL);
    UpdateWindow(drawingWindow.hwnd);
    session.drawing->documentWindow = drawingWindow.handle();
    session.drawing->setVariable(u"SCREENSIZE", std::vector<double>{200, 100});
    rot.registerRunning(u"Running.Application", session.drawing);
    const Application app = AttachCad(rot, u"Running.Application");

    PanToPoint(app, windows, {12, 34, 0});
    EXPECT_EQ(session.drawing->zoomCenterCount, 2);
    EXPECT_EQ(session.drawing->lastZoomCenter.x, 12);

    // The triangle's tip is the centre of a 200 × 100 view, (100, 50); its
    // base lies 10 pixels to the left, from (90, 45) to (90, 55).
    HDC dc = GetDC(drawingWindow.hwnd);
    const COLORREF onEdge = GetPixel(dc, 90, 50);
    const COLORREF inside = GetPixel(dc, 96, 50);
    ReleaseDC(drawingWindow.hwnd, dc);
    if (onEdge == CLR_INVALID)
        GTEST_SKIP() << "this window system cannot read back the window's pixels";
    EXPECT_EQ(onEdge, RGB(255, 100, 100)) << "the marker's base line";
    EXPECT_NE(inside, RGB(255, 100, 100)) << "the triangle is outlined, not filled";
}

TEST_F(ComConnection, NoMarkerWithoutWindowOrScreenSize)
{
    session.drawing->documentWindow = 0;
    rot.registerRunning(u"Running.Application", session.drawing);
    const Application app = AttachCad(rot, u"Running.Application");
    PanToPoint(app, windows, {1, 2, 0}); // draws on no window: nothing happens, nothing fails
    EXPECT_EQ(session.drawing->zoomCenterCount, 2);
    session.drawing->failMember(u"ZoomCenter");
    PanToPoint(app, windows, {1, 2, 0}); // a failing CAD call is not reported
    EXPECT_EQ(session.drawing->zoomCenterCount, 2);
}

} // namespace
