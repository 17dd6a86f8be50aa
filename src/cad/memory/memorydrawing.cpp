#include "memorydrawing.h"

#include "memoryobjects.h"
#include "wildcardmatch.h"

#include "cad/caderror.h"
#include "cad/ustring.h"

#include <algorithm>

namespace cad {

namespace {

// ObjectIds are distinct from handles, as in a CAD; both reach the entity.
constexpr int64_t ObjectIdBase = int64_t(1) << 40;
constexpr Handle ModelSpaceHandle = 0x1F;

} // namespace

std::shared_ptr<MemoryDrawing> MemoryDrawing::create()
{
    return std::shared_ptr<MemoryDrawing>(new MemoryDrawing());
}

MemoryDrawing::MemoryDrawing()
{
    m_layers.push_back({u"0", false});
    m_variables[u"VIEWSIZE"] = 100.0;
    m_variables[u"SCREENSIZE"] = std::vector<double>{1280.0, 800.0};
}

// --- Building ---

// Layer names compare without ASCII case, as symbol names do in a CAD.
std::optional<size_t> MemoryDrawing::layerIndex(const std::u16string &name) const
{
    for (size_t i = 0; i < m_layers.size(); ++i) {
        if (equalsIgnoreAsciiCase(m_layers[i].name, name))
            return i;
    }
    return std::nullopt;
}

void MemoryDrawing::addLayer(const std::u16string &name, bool locked)
{
    if (const auto i = layerIndex(name))
        m_layers[*i].locked = locked;
    else
        m_layers.push_back({name, locked});
}

void MemoryDrawing::setLayerLocked(const std::u16string &name, bool locked)
{
    addLayer(name, locked);
}

void MemoryDrawing::addBlock(const std::u16string &name)
{
    for (const auto &block : m_blocks) {
        if (equalsIgnoreAsciiCase(block.name, name))
            return;
    }
    m_blocks.push_back({name, {}});
}

Handle MemoryDrawing::addEntity(MemoryEntity entity)
{
    if (entity.handle == 0)
        entity.handle = m_nextHandle;
    m_nextHandle = std::max(m_nextHandle, entity.handle + 1);
    if (!entity.layer.empty() && !layerIndex(entity.layer))
        m_layers.push_back({entity.layer, false});
    if (!entity.ownerBlock.empty()) {
        addBlock(entity.ownerBlock);
        for (auto &block : m_blocks) {
            if (equalsIgnoreAsciiCase(block.name, entity.ownerBlock))
                block.entities.push_back(entity.handle);
        }
    }
    const Handle h = entity.handle;
    m_entities[h] = std::move(entity);
    return h;
}

Handle MemoryDrawing::addText(const std::u16string &text, Point at, const std::u16string &layer, int alignment)
{
    MemoryEntity e;
    e.kind = EntityKind::Text;
    e.dxfType = u"TEXT";
    e.text = text;
    e.layer = layer;
    e.alignment = alignment;
    e.insertionPoint = at;
    if (alignment != 0)
        e.alignmentPoint = at;
    return addEntity(std::move(e));
}

Handle MemoryDrawing::addAttributeDefinition(const std::u16string &block, const std::u16string &tag,
                                             const std::u16string &prompt)
{
    MemoryEntity e;
    e.kind = EntityKind::AttributeDefinition;
    e.dxfType = u"ATTDEF";
    e.tag = tag;
    e.prompt = prompt;
    e.ownerBlock = block;
    return addEntity(std::move(e));
}

Handle MemoryDrawing::addBlockReference(const std::u16string &block, Point at,
                                        const std::vector<std::pair<std::u16string, std::u16string>> &attributes,
                                        const std::u16string &layer)
{
    addBlock(block);
    MemoryEntity ref;
    ref.kind = EntityKind::BlockReference;
    ref.dxfType = u"INSERT";
    ref.blockName = block;
    ref.insertionPoint = at;
    ref.layer = layer;
    const Handle refHandle = addEntity(std::move(ref));
    double dy = 0;
    for (const auto &[tag, value] : attributes) {
        MemoryEntity a;
        a.kind = EntityKind::Attribute;
        a.dxfType = u"ATTRIB";
        a.tag = tag;
        a.text = value;
        a.layer = layer;
        a.owner = refHandle;
        a.insertionPoint = Point{at.x, at.y + dy, at.z};
        dy -= 3;
        const Handle h = addEntity(std::move(a));
        m_entities[refHandle].attributes.push_back(h);
    }
    return refHandle;
}

// --- Reading ---

const MemoryEntity *MemoryDrawing::entity(Handle handle) const
{
    const auto it = m_entities.find(handle);
    return it == m_entities.end() ? nullptr : &it->second;
}

MemoryEntity *MemoryDrawing::entity(Handle handle)
{
    const auto it = m_entities.find(handle);
    return it == m_entities.end() ? nullptr : &it->second;
}

bool MemoryDrawing::hasSelectionSet(const std::u16string &name) const
{
    return std::any_of(m_selectionSets.begin(), m_selectionSets.end(),
                       [&](const MemorySelectionSet &s) { return equalsIgnoreAsciiCase(s.name, name); });
}

bool MemoryDrawing::isLayerLocked(const std::u16string &layer) const
{
    const auto i = layerIndex(layer);
    return i && m_layers[*i].locked;
}

std::vector<Handle> MemoryDrawing::drawingOrder() const
{
    std::vector<Handle> order;
    for (const auto &[h, e] : m_entities) {
        if (e.isSelectable())
            order.push_back(h);
    }
    return order;
}

// --- Undo ---

void MemoryDrawing::startUndoMark()
{
    ++m_undoDepth;
}

void MemoryDrawing::endUndoMark()
{
    if (m_undoDepth == 0)
        return;
    if (--m_undoDepth == 0) {
        // An empty group is still one step of the CAD's undo.
        m_undoSteps.push_back(std::move(m_openStep));
        m_openStep.clear();
    }
}

bool MemoryDrawing::undo()
{
    if (m_undoDepth > 0 || m_undoSteps.empty())
        return false;
    UndoStep step = std::move(m_undoSteps.back());
    m_undoSteps.pop_back();
    for (auto &[handle, before] : step) {
        if (before)
            m_entities[handle] = std::move(*before);
        else
            m_entities.erase(handle);
    }
    return true;
}

void MemoryDrawing::beforeChange(Handle handle)
{
    const MemoryEntity &e = live(handle);
    refuseLocked(e);
    record(UndoStep{{handle, e}});
}

void MemoryDrawing::refuseLocked(const MemoryEntity &e) const
{
    // An attribute is locked with the layer of its block reference too.
    const MemoryEntity *owner = e.kind == EntityKind::Attribute ? entity(e.owner) : nullptr;
    if (isLayerLocked(e.layer) || (owner && isLayerLocked(owner->layer)))
        throw CadError(u"The entity is on a locked layer.");
}

void MemoryDrawing::record(UndoStep step)
{
    if (m_undoDepth > 0) {
        for (auto &[h, before] : step)
            m_openStep.try_emplace(h, std::move(before));
    } else {
        m_undoSteps.push_back(std::move(step));
    }
}

// --- Variables ---

void MemoryDrawing::setVariable(const std::u16string &name, Variant value)
{
    m_variables[asciiUpper(name)] = std::move(value);
}

Variant MemoryDrawing::variable(const std::u16string &name) const
{
    const auto it = m_variables.find(asciiUpper(name));
    if (it == m_variables.end())
        throw CadError(u"Unknown system variable: " + name);
    return it->second;
}

// --- Entities ---

MemoryEntity &MemoryDrawing::live(Handle handle)
{
    MemoryEntity *e = entity(handle);
    if (!e)
        throw CadError(u"The object has been erased.");
    return *e;
}

Handle MemoryDrawing::copyEntity(Handle handle)
{
    const MemoryEntity &source = live(handle);
    refuseLocked(source);
    const std::vector<Handle> sourceAttributes = source.attributes;
    MemoryEntity copy = source;
    copy.handle = m_nextHandle++;
    copy.attributes.clear();
    if (copy.extension)
        copy.extension = copy.extension->clone();
    const Handle newHandle = copy.handle;
    UndoStep created{{newHandle, std::nullopt}};
    m_entities[newHandle] = std::move(copy);
    for (Handle a : sourceAttributes) {
        const MemoryEntity *attr = entity(a);
        if (!attr)
            continue;
        MemoryEntity attrCopy = *attr;
        attrCopy.handle = m_nextHandle++;
        attrCopy.owner = newHandle;
        if (attrCopy.extension)
            attrCopy.extension = attrCopy.extension->clone();
        created.emplace(attrCopy.handle, std::nullopt);
        m_entities[newHandle].attributes.push_back(attrCopy.handle);
        m_entities[attrCopy.handle] = std::move(attrCopy);
    }
    record(std::move(created));
    return newHandle;
}

void MemoryDrawing::deleteEntity(Handle handle)
{
    const MemoryEntity &e = live(handle);
    if (e.kind == EntityKind::Attribute)
        throw CadError(u"An attribute cannot be erased on its own.");
    refuseLocked(e);
    // The entity goes with its attributes, in one step.
    std::vector<Handle> doomed = e.attributes;
    doomed.insert(doomed.begin(), handle);
    UndoStep step;
    for (Handle h : doomed) {
        if (const MemoryEntity *d = entity(h))
            step.emplace(h, *d);
        m_entities.erase(h);
    }
    for (auto &set : m_selectionSets)
        std::erase(set.items, handle);
    record(std::move(step));
}

// --- Selection sets ---

MemorySelectionSet &MemoryDrawing::selectionSet(const std::u16string &name)
{
    for (auto &s : m_selectionSets) {
        if (s.name == name)
            return s;
    }
    throw CadError(u"The selection set has been deleted.");
}

MemorySelectionSet &MemoryDrawing::addSelectionSet(const std::u16string &name)
{
    if (hasSelectionSet(name))
        throw CadError(u"Duplicate record name: a selection set named " + name + u" exists.");
    m_selectionSets.push_back({name, {}});
    return m_selectionSets.back();
}

void MemoryDrawing::deleteSelectionSet(const std::u16string &name)
{
    const auto it = std::find_if(m_selectionSets.begin(), m_selectionSets.end(),
                                 [&](const MemorySelectionSet &s) { return s.name == name; });
    if (it == m_selectionSets.end())
        throw CadError(u"The selection set has been deleted.");
    m_selectionSets.erase(it);
}

bool MemoryDrawing::passesFilter(const MemoryEntity &entity, const std::vector<int16_t> &codes,
                                 const std::vector<std::u16string> &values) const
{
    if (codes.size() != values.size())
        throw CadError(u"Invalid filter: codes and values differ in number.");
    for (size_t i = 0; i < codes.size(); ++i) {
        switch (codes[i]) {
        case 0: // entity type: a symbol name, case-insensitive
            if (!wildcardMatch(entity.dxfType, values[i], true))
                return false;
            break;
        case 1: // text string: case-sensitive, as the CAD's wcmatch
            if (!entity.hasText() || !wildcardMatch(entity.text, values[i], false))
                return false;
            break;
        case 2: // block name
            if (entity.kind != EntityKind::BlockReference || !wildcardMatch(entity.blockName, values[i], true))
                return false;
            break;
        case 8: // layer
            if (!wildcardMatch(entity.layer, values[i], true))
                return false;
            break;
        default:
            throw CadError(u"Unsupported filter code.");
        }
    }
    return true;
}

// --- Picks ---

void MemoryDrawing::scriptPick(std::vector<Handle> handles)
{
    m_scriptedPicks.push_back(PickResult{false, std::move(handles), {}});
}

void MemoryDrawing::scriptSubEntityPick(Handle handle, Point point)
{
    m_scriptedPicks.push_back(PickResult{false, {handle}, point});
}

void MemoryDrawing::scriptCancelledPick()
{
    m_scriptedPicks.push_back(PickResult{true, {}, {}});
}

PickResult MemoryDrawing::pick(const PickRequest &request)
{
    if (m_picker)
        return m_picker(request);
    if (m_scriptedPicks.empty())
        return PickResult{true, {}, {}};
    PickResult result = std::move(m_scriptedPicks.front());
    m_scriptedPicks.pop_front();
    return result;
}

// --- Ids ---

int64_t MemoryDrawing::objectIdOf(Handle handle) const { return ObjectIdBase + int64_t(handle); }

Handle MemoryDrawing::handleOfObjectId(int64_t id) const
{
    return id > ObjectIdBase ? Handle(id - ObjectIdBase) : 0;
}

int64_t MemoryDrawing::modelSpaceId() const { return objectIdOf(ModelSpaceHandle); }

// --- Faults and log ---

void MemoryDrawing::failNthCall(int n, std::u16string message)
{
    m_failCountdown = n;
    m_failCountdownMessage = std::move(message);
}

void MemoryDrawing::failMember(const std::u16string &member, std::u16string message)
{
    m_failingMembers[asciiUpper(member)] = std::move(message);
}

void MemoryDrawing::clearFaults()
{
    m_failCountdown = 0;
    m_failingMembers.clear();
}

int MemoryDrawing::callCount(const std::u16string &member) const
{
    return int(std::count_if(m_callLog.begin(), m_callLog.end(), [&](const CallRecord &r) {
        return equalsIgnoreAsciiCase(r.member, member);
    }));
}

void MemoryDrawing::setCallLogKept(bool kept)
{
    m_callLogKept = kept;
    if (!kept)
        m_callLog.clear();
}

void MemoryDrawing::enter(CallRecord::Kind kind, std::u16string_view object, std::u16string_view member)
{
    if (m_callLogKept)
        m_callLog.push_back({kind, std::u16string(object), std::u16string(member)});
    if (m_failCountdown > 0 && --m_failCountdown == 0)
        throw CadError(m_failCountdownMessage);
    const auto it = m_failingMembers.find(asciiUpper(member));
    if (it != m_failingMembers.end())
        throw CadError(it->second);
}

ObjectRef MemoryDrawing::application()
{
    return makeApplicationObject(shared_from_this());
}

} // namespace cad
