#pragma once
// The operations every command shares to reach the CAD: probe, attach,
// bring the CAD window up, the temporary selection set, centring the view
// with a marker, the locked layers, and the undo group.

#include "document.h"
#include "runningobjecttable.h"
#include "windowsystem.h"

#include <optional>

namespace cad {

// Whether the CAD named by progId can be reached now. A ProgID for which no
// class is registered throws CadError.
bool CadIsRunning(RunningObjectTable &rot, WindowSystem &windows, const std::u16string &progId);

// The running application object registered for progId.
Application AttachCad(RunningObjectTable &rot, const std::u16string &progId);

struct ActivateOptions
{
    bool minimizeMainWindow = false;
    bool foreground = false;
    bool escape = false;
};

// Brings the CAD main window up before a command works in it.
void ActivateCad(const Application &app, WindowSystem &windows, WindowHandle mainWindow,
                 ActivateOptions options);

// Puts a window of this process in front even when another process owns
// the foreground.
void ForceForeground(WindowSystem &windows, WindowHandle window);

inline constexpr char16_t TempSelectionSetName[] = u"SSTEMP";

// The document's selection set "SSTEMP", emptied, created when missing. A
// failing call ends it silently: `out` then stays as it was.
void GetTempSelectionSet(const Document &doc, SelectionSet &out);

// Centres the CAD view on a point and draws the marker triangle at the
// centre of the drawing window. Never reports a failure.
void PanToPoint(const Application &app, WindowSystem &windows, const Point &point,
                int penWidth = 3, bool xorMode = false, double sizeFactor = 0.05);

// The marker triangle of PanToPoint for a drawing window of W × H pixels.
std::vector<ScreenPoint> markerTriangle(int width, int height, double sizeFactor);

// A tab, then each locked layer's name followed by a tab, in layer order.
std::u16string LockedLayerList(const Document &doc);
bool isOnLockedLayer(const std::u16string &lockedLayerList, const std::u16string &layer);

// One undo step of the CAD for everything a command changes: StartUndoMark
// now, EndUndoMark however the command ends.
class UndoGroup
{
public:
    explicit UndoGroup(Document doc);
    ~UndoGroup();
    UndoGroup(const UndoGroup &) = delete;
    UndoGroup &operator=(const UndoGroup &) = delete;

private:
    Document m_doc;
};

// The temporary selection set of one command: taken with
// GetTempSelectionSet, cleared and deleted however the command ends.
class TempSelectionSet
{
public:
    explicit TempSelectionSet(const Document &doc);
    ~TempSelectionSet();
    TempSelectionSet(const TempSelectionSet &) = delete;
    TempSelectionSet &operator=(const TempSelectionSet &) = delete;

    bool isValid() const { return !m_set.isNull(); }
    const SelectionSet &set() const { return m_set; }
    const SelectionSet *operator->() const { return &m_set; }

private:
    SelectionSet m_set;
};

} // namespace cad
