#pragma once
// The in-memory drawing: an honest CAD double behind the late-bound layer.
// It holds layers, block definitions, entities, selection sets, an undo
// history and a view, answers the automation model's members through
// dispatch objects (application(), then as a CAD would), refuses changes on
// locked layers, and lets tests script picks, inject faults and read a log
// of every call.

#include "memoryentity.h"

#include "cad/dispatchobject.h"
#include "cad/windowsystem.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>

namespace cad {

struct MemoryLayer
{
    std::u16string name;
    bool locked = false;
};

struct MemoryBlock
{
    std::u16string name;
    std::vector<Handle> entities;
};

struct MemorySelectionSet
{
    std::u16string name;
    std::vector<Handle> items;
};

struct PickRequest
{
    enum Kind { Selection, SubEntity } kind = Selection;
    std::u16string prompt;
    // Whether an entity may be picked (the selection filter).
    std::function<bool(const MemoryEntity &)> accepts;
};

struct PickResult
{
    bool cancelled = false;
    std::vector<Handle> handles; // SubEntity: the one picked entity
    Point point;
};

// Answers a pick; the default picker takes the scripted picks in order.
using Picker = std::function<PickResult(const PickRequest &)>;

struct CallRecord
{
    enum Kind { Get, Put, Call } kind;
    std::u16string object; // "Application", "Document", "Entity" …
    std::u16string member;
};

class MemoryDrawing : public std::enable_shared_from_this<MemoryDrawing>
{
public:
    static std::shared_ptr<MemoryDrawing> create();

    // --- Building a drawing (not undoable, not logged) ---
    void addLayer(const std::u16string &name, bool locked = false);
    void setLayerLocked(const std::u16string &name, bool locked);
    // Adds a block definition; its attribute definitions are added with addEntity.
    void addBlock(const std::u16string &name);
    Handle addEntity(MemoryEntity entity); // handle 0 gets the next free one
    Handle addText(const std::u16string &text, Point at, const std::u16string &layer = u"0",
                   int alignment = 0);
    Handle addAttributeDefinition(const std::u16string &block, const std::u16string &tag,
                                  const std::u16string &prompt);
    // A block reference with one attribute per (tag, value).
    Handle addBlockReference(const std::u16string &block, Point at,
                             const std::vector<std::pair<std::u16string, std::u16string>> &attributes,
                             const std::u16string &layer = u"0");

    // --- Reading the drawing ---
    const MemoryEntity *entity(Handle handle) const;
    MemoryEntity *entity(Handle handle);
    const std::map<Handle, MemoryEntity> &entities() const { return m_entities; }
    const std::vector<MemoryLayer> &layers() const { return m_layers; }
    const std::vector<MemoryBlock> &blocks() const { return m_blocks; }
    const std::vector<MemorySelectionSet> &selectionSets() const { return m_selectionSets; }
    bool hasSelectionSet(const std::u16string &nameIgnoringCase) const;
    bool isLayerLocked(const std::u16string &layer) const;
    Handle nextHandle() const { return m_nextHandle; }
    // Handles below `next` are taken by objects the drawing does not hold
    // (a file's tables and dictionaries): new entities and copies get
    // handles from `next` on. Never lowers the next handle.
    void reserveHandlesBelow(Handle next) { m_nextHandle = std::max(m_nextHandle, next); }
    // Selectable entities (model and paper space) in drawing order.
    std::vector<Handle> drawingOrder() const;

    // --- Undo history ---
    void startUndoMark();
    void endUndoMark();
    int undoDepth() const { return m_undoDepth; }     // > 0 while a group is open
    int undoStepCount() const { return int(m_undoSteps.size()); }
    // Takes back the last step (a closed group, or one change made outside
    // any group). Returns false when there is nothing to undo.
    bool undo();

    // --- View, variables, windows ---
    void setVariable(const std::u16string &name, Variant value);
    Variant variable(const std::u16string &name) const;
    WindowHandle applicationWindow = 0x1001;
    WindowHandle documentWindow = 0x2002;
    int zoomCenterCount = 0;
    Point lastZoomCenter;
    double lastZoomMagnification = 0;
    int regenCount = 0;
    int updateCount = 0;

    // --- Picks ---
    void scriptPick(std::vector<Handle> handles);
    void scriptSubEntityPick(Handle handle, Point point = {});
    void scriptCancelledPick();
    int pendingScriptedPicks() const { return int(m_scriptedPicks.size()); }
    void setPicker(Picker picker) { m_picker = std::move(picker); }

    // --- Fault injection and call log ---
    // The n-th call from now (1 = the next) fails with the message.
    void failNthCall(int n, std::u16string message = u"injected failure");
    // Every call of the member fails until clearFaults.
    void failMember(const std::u16string &member, std::u16string message = u"injected failure");
    void clearFaults();
    const std::vector<CallRecord> &callLog() const { return m_callLog; }
    void clearCallLog() { m_callLog.clear(); }
    // Whether calls are logged (they are, for the tests that read the log);
    // a drawing served for hours keeps no log that only grows.
    void setCallLogKept(bool kept);
    int callCount(const std::u16string &member) const;

    // The application object of the automation model.
    ObjectRef application();

    // Called by the dispatch objects: logs the call and applies faults.
    void enter(CallRecord::Kind kind, std::u16string_view object, std::u16string_view member);

    // Operations behind the dispatch objects (each throws CadError as a CAD
    // refuses; changes are recorded for undo).
    MemoryEntity &live(Handle handle);
    void beforeChange(Handle handle);      // also refuses a locked layer
    Handle copyEntity(Handle handle);
    void deleteEntity(Handle handle);
    MemorySelectionSet &selectionSet(const std::u16string &name);
    MemorySelectionSet &addSelectionSet(const std::u16string &name);
    void deleteSelectionSet(const std::u16string &name);
    bool passesFilter(const MemoryEntity &entity, const std::vector<int16_t> &codes,
                      const std::vector<std::u16string> &values) const;
    PickResult pick(const PickRequest &request);
    int64_t objectIdOf(Handle handle) const;
    Handle handleOfObjectId(int64_t id) const;
    int64_t modelSpaceId() const;

private:
    MemoryDrawing();

    using UndoStep = std::map<Handle, std::optional<MemoryEntity>>;
    void record(UndoStep step);
    std::optional<size_t> layerIndex(const std::u16string &name) const;
    void refuseLocked(const MemoryEntity &entity) const;

    std::vector<MemoryLayer> m_layers;
    std::vector<MemoryBlock> m_blocks;
    std::map<Handle, MemoryEntity> m_entities;
    std::vector<MemorySelectionSet> m_selectionSets;
    Handle m_nextHandle = 0x100;
    std::map<std::u16string, Variant> m_variables;

    // Each step maps the entities it touched to their state before it
    // (nullopt: the entity did not exist).
    std::vector<UndoStep> m_undoSteps;
    UndoStep m_openStep;
    int m_undoDepth = 0;

    std::deque<PickResult> m_scriptedPicks;
    Picker m_picker;

    std::vector<CallRecord> m_callLog;
    bool m_callLogKept = true;
    int m_failCountdown = 0;
    std::u16string m_failCountdownMessage;
    std::map<std::u16string, std::u16string> m_failingMembers; // upper-case name → message

    ObjectRef m_application;
};

} // namespace cad
