#include "connection.h"

#include "caderror.h"
#include "ustring.h"

namespace cad {

bool CadIsRunning(RunningObjectTable &rot, WindowSystem &windows, const std::u16string &progId)
{
    // This CAD registers no running object; its main window is the probe.
    if (progId.find(u"nanoCAD") != std::u16string::npos)
        return windows.topLevelWindowTitled(u"nanoCAD 5");
    return rot.isRunning(progId);
}

Application AttachCad(RunningObjectTable &rot, const std::u16string &progId)
{
    return Application(rot.getActiveObject(progId));
}

void ActivateCad(const Application &app, WindowSystem &windows, WindowHandle mainWindow,
                 ActivateOptions options)
{
    const WindowHandle cadWindow = app.hwnd();
    if (windows.isIconic(cadWindow)) {
        windows.openIcon(cadWindow);
        windows.sleep(500);
    }
    if (options.minimizeMainWindow)
        windows.minimizeWindow(mainWindow);
    if (options.foreground)
        windows.setForegroundWindow(cadWindow);
    // Escape ends whatever command the CAD is in, but only when the key
    // would reach the CAD window.
    if (options.escape && windows.foregroundWindow() == cadWindow) {
        windows.pressEscape();
        windows.sleep(5);
    }
}

void ForceForeground(WindowSystem &windows, WindowHandle window)
{
    const ThreadId windowThread = windows.windowThread(window);
    const ThreadId foregroundThread = windows.windowThread(windows.foregroundWindow());
    windows.setForegroundWindow(window);
    if (windowThread == foregroundThread) {
        windows.bringWindowToTop(window);
    } else {
        windows.attachThreadInput(windowThread, foregroundThread, true);
        windows.bringWindowToTop(window);
        windows.attachThreadInput(windowThread, foregroundThread, false);
    }
}

void GetTempSelectionSet(const Document &doc, SelectionSet &out)
{
    try {
        const SelectionSets sets = doc.selectionSets();
        const int count = sets.count();
        for (int i = 0; i < count; ++i) {
            SelectionSet set = sets.item(i);
            if (asciiUpper(set.name()) == TempSelectionSetName) {
                set.clear();
                out = set;
                return;
            }
        }
        out = sets.add(TempSelectionSetName);
    } catch (const CadError &) {
        // Silently: the caller finds `out` as it was.
    }
}

std::vector<ScreenPoint> markerTriangle(int width, int height, double sizeFactor)
{
    const int cx = width / 2;
    const int cy = height / 2;
    const int l = int(width * sizeFactor);
    const int h = int(width * sizeFactor * 0.5);
    return {{cx, cy}, {cx - l, cy - h}, {cx - l, cy + h}, {cx, cy}};
}

void PanToPoint(const Application &app, WindowSystem &windows, const Point &point,
                int penWidth, bool xorMode, double sizeFactor)
{
    try {
        const Document doc = app.activeDocument();
        const double magnification = doc.getVariable(u"VIEWSIZE").toDouble();
        // Twice: some CADs settle the view only on the second call.
        app.zoomCenter(point, magnification);
        app.zoomCenter(point, magnification);
        const WindowHandle window = doc.hwnd();
        const std::vector<double> size = doc.getVariable(u"SCREENSIZE").toDoubleArray();
        if (size.size() < 2)
            return;
        const int w = int(size[0]);
        const int h = int(size[1]);
        if (window == 0 || w <= 0 || h <= 0)
            return;
        const MarkerPen pen{penWidth, 255, 100, 100, xorMode};
        windows.drawPolyline(window, pen, markerTriangle(w, h, sizeFactor));
    } catch (const CadError &) {
        // The view simply stays where it was.
    }
}

std::u16string LockedLayerList(const Document &doc)
{
    std::u16string list = u"\t";
    const Layers layers = doc.layers();
    const int count = layers.count();
    for (int i = 0; i < count; ++i) {
        const Layer layer = layers.item(i);
        if (layer.isLocked())
            list += layer.name() + u'\t';
    }
    return list;
}

bool isOnLockedLayer(const std::u16string &lockedLayerList, const std::u16string &layer)
{
    return lockedLayerList.find(u'\t' + layer + u'\t') != std::u16string::npos;
}

UndoGroup::UndoGroup(Document doc)
    : m_doc(std::move(doc))
{
    m_doc.startUndoMark();
}

namespace {

// A closing call: a CAD busy for a moment refuses one call and takes the
// next, so a refused one is made once more. A CAD that went away takes its
// undo group and selection sets with it.
template <typename Call>
void closeWithOneRetry(Call call)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            call();
            return;
        } catch (const CadError &) {
        }
    }
}

} // namespace

// An undo group left open would swallow the user's next steps into this one.
UndoGroup::~UndoGroup()
{
    closeWithOneRetry([this] { m_doc.endUndoMark(); });
}

TempSelectionSet::TempSelectionSet(const Document &doc)
{
    GetTempSelectionSet(doc, m_set);
}

TempSelectionSet::~TempSelectionSet()
{
    if (m_set.isNull())
        return;
    try {
        m_set.clear();
    } catch (const CadError &) {
    }
    closeWithOneRetry([this] { m_set.erase(); });
}

} // namespace cad
