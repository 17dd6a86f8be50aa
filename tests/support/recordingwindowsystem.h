#pragma once
// A window system for tests: remembers every operation, and lets a test say
// which window is minimised, which is in front and which thread owns which.

#include "cad/ustring.h"
#include "cad/windowsystem.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace cad {

class RecordingWindowSystem : public WindowSystem
{
public:
    struct Marker
    {
        WindowHandle window;
        MarkerPen pen;
        std::vector<ScreenPoint> points;
    };

    std::vector<std::string> log;
    std::set<std::u16string> topLevelTitles;
    std::set<WindowHandle> iconic;
    std::set<WindowHandle> minimized;
    WindowHandle foreground = 0;
    bool foregroundFollowsRequests = true; // SetForegroundWindow succeeds
    std::map<WindowHandle, ThreadId> threads;
    std::vector<Marker> markers;
    int escapes = 0;
    int sleptMilliseconds = 0;

    bool topLevelWindowTitled(const std::u16string &title) override
    {
        log.push_back("FindWindow " + toUtf8(title));
        return topLevelTitles.count(title) > 0;
    }
    bool isIconic(WindowHandle w) override { return iconic.count(w) > 0; }
    void openIcon(WindowHandle w) override
    {
        log.push_back("OpenIcon " + std::to_string(w));
        iconic.erase(w);
    }
    void sleep(int ms) override
    {
        log.push_back("Sleep " + std::to_string(ms));
        sleptMilliseconds += ms;
    }
    void minimizeWindow(WindowHandle w) override
    {
        log.push_back("Minimize " + std::to_string(w));
        minimized.insert(w);
    }
    void showNormal(WindowHandle w) override
    {
        log.push_back("ShowNormal " + std::to_string(w));
        minimized.erase(w);
    }
    void setForegroundWindow(WindowHandle w) override
    {
        log.push_back("SetForeground " + std::to_string(w));
        if (foregroundFollowsRequests)
            foreground = w;
    }
    WindowHandle foregroundWindow() override { return foreground; }
    void pressEscape() override
    {
        log.push_back("Escape");
        ++escapes;
    }
    ThreadId windowThread(WindowHandle w) override
    {
        const auto it = threads.find(w);
        return it == threads.end() ? 0 : it->second;
    }
    void attachThreadInput(ThreadId from, ThreadId to, bool attach) override
    {
        log.push_back(std::string(attach ? "Attach " : "Detach ") + std::to_string(from) + " "
                      + std::to_string(to));
    }
    void bringWindowToTop(WindowHandle w) override { log.push_back("BringToTop " + std::to_string(w)); }
    void drawPolyline(WindowHandle w, const MarkerPen &pen, const std::vector<ScreenPoint> &points) override
    {
        log.push_back("Marker " + std::to_string(w));
        markers.push_back({w, pen, points});
    }
};

} // namespace cad
