#include "memoryobjects.h"

#include "memorydrawing.h"

#include "cad/caderror.h"
#include "cad/ustring.h"

#include <unordered_set>

namespace cad {

namespace {

bool is(std::u16string_view member, std::u16string_view name)
{
    return equalsIgnoreAsciiCase(member, name);
}

const Variant &argument(const std::vector<Variant> &args, size_t i, std::u16string_view member)
{
    if (i >= args.size())
        throw CadError(u"Missing argument of " + std::u16string(member) + u".");
    return args[i];
}

std::vector<int16_t> filterCodes(const Variant &v)
{
    if (v.isEmpty())
        return {};
    if (v.type() == Variant::Type::Int16Array)
        return v.toInt16Array();
    std::vector<int16_t> codes;
    for (const Variant &c : v.toVariantArray())
        codes.push_back(int16_t(c.toInt64()));
    return codes;
}

std::vector<std::u16string> filterValues(const Variant &v)
{
    std::vector<std::u16string> values;
    if (v.isEmpty())
        return values;
    for (const Variant &s : v.toVariantArray())
        values.push_back(s.toString());
    return values;
}

Point offset(const Point &p, double dx, double dy, double dz)
{
    return Point{p.x + dx, p.y + dy, p.z + dz};
}

// The position an Item key names in a collection: an index from 0, or a
// name compared without ASCII case.
template <typename Items>
size_t itemIndex(const Items &items, const Variant &key, std::u16string_view what)
{
    if (key.type() == Variant::Type::String) {
        const std::u16string name = key.toString();
        for (size_t i = 0; i < items.size(); ++i) {
            if (equalsIgnoreAsciiCase(items[i].name, name))
                return i;
        }
        throw CadError(u"No " + std::u16string(what) + u" of that name.");
    }
    const int64_t i = key.toInt64();
    if (i < 0 || i >= int64_t(items.size()))
        throw CadError(u"Index out of range.");
    return size_t(i);
}

// Common to every object: the drawing behind it, the log and the faults.
class MemoryObject : public DispatchObject
{
public:
    MemoryObject(std::shared_ptr<MemoryDrawing> drawing, std::u16string_view kind)
        : m_drawing(std::move(drawing))
        , m_kind(kind)
    {
    }

    Variant get(std::u16string_view member, const std::vector<Variant> &args) final
    {
        m_drawing->enter(CallRecord::Get, m_kind, member);
        return doGet(member, args);
    }
    void put(std::u16string_view member, const Variant &value) final
    {
        m_drawing->enter(CallRecord::Put, m_kind, member);
        doPut(member, value);
    }
    Variant call(std::u16string_view member, std::vector<Variant> &args) final
    {
        m_drawing->enter(CallRecord::Call, m_kind, member);
        return doCall(member, args);
    }
    using DispatchObject::call;

protected:
    virtual Variant doGet(std::u16string_view member, const std::vector<Variant> &args) = 0;
    virtual void doPut(std::u16string_view member, const Variant &) { unknown(member); }
    virtual Variant doCall(std::u16string_view member, std::vector<Variant> &args)
    {
        // Item is a method in some type libraries and a property in others.
        if (is(member, u"Item"))
            return doGet(member, args);
        unknown(member);
    }

    [[noreturn]] void unknown(std::u16string_view member) const
    {
        throw CadError(u"Unknown name: " + std::u16string(m_kind) + u"." + std::u16string(member));
    }

    MemoryDrawing &drawing() const { return *m_drawing; }
    const std::shared_ptr<MemoryDrawing> &drawingRef() const { return m_drawing; }

private:
    std::shared_ptr<MemoryDrawing> m_drawing;
    std::u16string_view m_kind;
};

ObjectRef makeEntityObject(const std::shared_ptr<MemoryDrawing> &drawing, Handle handle);

class EntityObject : public MemoryObject
{
public:
    EntityObject(std::shared_ptr<MemoryDrawing> drawing, Handle handle)
        : MemoryObject(std::move(drawing), u"Entity")
        , m_handle(handle)
    {
    }

protected:
    Variant doGet(std::u16string_view m, const std::vector<Variant> &) override
    {
        const MemoryEntity &e = drawing().live(m_handle);
        const bool textual = e.kind == EntityKind::Text || e.kind == EntityKind::Attribute
            || e.kind == EntityKind::AttributeDefinition;
        if (is(m, u"Handle"))
            return handleToString(e.handle);
        if (is(m, u"Layer"))
            return e.layer;
        if (is(m, u"ObjectId"))
            return drawing().objectIdOf(e.handle);
        if (is(m, u"OwnerId"))
            return e.kind == EntityKind::Attribute ? drawing().objectIdOf(e.owner) : drawing().modelSpaceId();
        if (is(m, u"EntityName") || is(m, u"ObjectName"))
            return entityClassName(e);
        if (is(m, u"TextString") && e.hasText())
            return e.text;
        if (is(m, u"Alignment") && textual)
            return int32_t(e.alignment);
        if (is(m, u"InsertionPoint") && (textual || e.kind == EntityKind::BlockReference || e.dxfType == u"MTEXT"))
            return toVariant(e.insertionPoint);
        if (is(m, u"TextAlignmentPoint") && textual)
            return toVariant(e.alignmentPoint);
        if (is(m, u"Height") && e.hasText())
            return e.height;
        if (is(m, u"Rotation") && (textual || e.kind == EntityKind::BlockReference))
            return e.rotation;
        if (is(m, u"Name") && e.kind == EntityKind::BlockReference)
            return e.blockName;
        if (is(m, u"HasAttributes") && e.kind == EntityKind::BlockReference)
            return !e.attributes.empty();
        if (is(m, u"TagString") && (e.kind == EntityKind::Attribute || e.kind == EntityKind::AttributeDefinition))
            return e.tag;
        if (is(m, u"PromptString") && e.kind == EntityKind::AttributeDefinition)
            return e.prompt;
        unknown(m);
    }

    void doPut(std::u16string_view m, const Variant &value) override
    {
        MemoryEntity &current = drawing().live(m_handle);
        const bool textual = current.kind == EntityKind::Text || current.kind == EntityKind::Attribute
            || current.kind == EntityKind::AttributeDefinition;
        if (is(m, u"TextString") && current.hasText()) {
            const std::u16string text = value.toString();
            if (current.extension)
                current.extension->checkText(text);
            drawing().beforeChange(m_handle);
            drawing().live(m_handle).text = text;
        } else if (is(m, u"Alignment") && textual) {
            const int alignment = value.toInt32();
            if (alignment < 0 || alignment > 14)
                throw CadError(u"Invalid alignment.");
            drawing().beforeChange(m_handle);
            setAlignment(drawing().live(m_handle), alignment);
        } else if (is(m, u"InsertionPoint") && (textual || current.kind == EntityKind::BlockReference)) {
            const Point p = toPoint(value);
            drawing().beforeChange(m_handle);
            moveInsertionPoint(p);
        } else if (is(m, u"TextAlignmentPoint") && textual) {
            const Point p = toPoint(value);
            drawing().beforeChange(m_handle);
            MemoryEntity &e = drawing().live(m_handle);
            // A text anchored at its alignment point follows it; an aligned
            // or fit text lies between its two points, so only this one moves.
            if (e.alignment != 0 && !isBetweenPoints(e.alignment)) {
                e.insertionPoint = offset(e.insertionPoint, p.x - e.alignmentPoint.x, p.y - e.alignmentPoint.y,
                                          p.z - e.alignmentPoint.z);
            }
            e.alignmentPoint = p;
        } else if (is(m, u"Height") && current.hasText()) {
            const double h = value.toDouble();
            drawing().beforeChange(m_handle);
            drawing().live(m_handle).height = h;
        } else if (is(m, u"Rotation") && textual) {
            const double r = value.toDouble();
            drawing().beforeChange(m_handle);
            drawing().live(m_handle).rotation = r;
        } else {
            unknown(m);
        }
    }

    Variant doCall(std::u16string_view m, std::vector<Variant> &args) override
    {
        if (is(m, u"Copy"))
            return makeEntityObject(drawingRef(), drawing().copyEntity(m_handle));
        if (is(m, u"Delete")) {
            drawing().deleteEntity(m_handle);
            return {};
        }
        if (is(m, u"Update")) {
            drawing().live(m_handle);
            ++drawing().updateCount;
            return {};
        }
        const MemoryEntity &e = drawing().live(m_handle);
        if (is(m, u"GetAttributes") && e.kind == EntityKind::BlockReference) {
            std::vector<Variant> attributes;
            for (Handle a : e.attributes)
                attributes.emplace_back(makeEntityObject(drawingRef(), a));
            return attributes;
        }
        return MemoryObject::doCall(m, args);
    }

private:
    static bool isBetweenPoints(int alignment) { return alignment == 3 || alignment == 5; }

    void setAlignment(MemoryEntity &e, int alignment)
    {
        if (alignment == e.alignment)
            return;
        if (e.alignment == 0) {
            // The text stays where it stands: its anchor becomes the new
            // alignment point (an aligned or fit text gets a second point
            // one text length to the right).
            e.alignmentPoint = e.insertionPoint;
            if (isBetweenPoints(alignment)) {
                const double length = e.height * double(std::max<size_t>(1, e.text.size()));
                e.alignmentPoint.x += length;
            }
        }
        e.alignment = alignment;
    }

    void moveInsertionPoint(const Point &p)
    {
        MemoryEntity &e = drawing().live(m_handle);
        const double dx = p.x - e.insertionPoint.x, dy = p.y - e.insertionPoint.y, dz = p.z - e.insertionPoint.z;
        e.insertionPoint = p;
        if (e.kind == EntityKind::BlockReference) {
            // A block reference carries its attributes along.
            for (Handle a : std::vector<Handle>(e.attributes)) {
                drawing().beforeChange(a);
                MemoryEntity &attr = drawing().live(a);
                attr.insertionPoint = offset(attr.insertionPoint, dx, dy, dz);
                attr.alignmentPoint = offset(attr.alignmentPoint, dx, dy, dz);
            }
        } else if (e.alignment != 0 && !isBetweenPoints(e.alignment)) {
            e.alignmentPoint = offset(e.alignmentPoint, dx, dy, dz);
        }
    }

    Handle m_handle;
};

ObjectRef makeEntityObject(const std::shared_ptr<MemoryDrawing> &drawing, Handle handle)
{
    return std::make_shared<EntityObject>(drawing, handle);
}

class SelectionSetObject : public MemoryObject
{
public:
    SelectionSetObject(std::shared_ptr<MemoryDrawing> drawing, std::u16string name)
        : MemoryObject(std::move(drawing), u"SelectionSet")
        , m_name(std::move(name))
    {
    }

protected:
    Variant doGet(std::u16string_view m, const std::vector<Variant> &args) override
    {
        MemorySelectionSet &set = drawing().selectionSet(m_name);
        if (is(m, u"Name"))
            return set.name;
        if (is(m, u"Count"))
            return int32_t(set.items.size());
        if (is(m, u"Item")) {
            const int64_t i = argument(args, 0, m).toInt64();
            if (i < 0 || i >= int64_t(set.items.size()))
                throw CadError(u"Index out of range.");
            return makeEntityObject(drawingRef(), set.items[size_t(i)]);
        }
        unknown(m);
    }

    Variant doCall(std::u16string_view m, std::vector<Variant> &args) override
    {
        MemorySelectionSet &set = drawing().selectionSet(m_name);
        if (is(m, u"Clear")) {
            set.items.clear();
        } else if (is(m, u"Delete")) {
            drawing().deleteSelectionSet(m_name);
        } else if (is(m, u"SelectOnScreen")) {
            selectOnScreen(args.size() > 0 ? filterCodes(args[0]) : std::vector<int16_t>{},
                           args.size() > 1 ? filterValues(args[1]) : std::vector<std::u16string>{});
        } else if (is(m, u"Select")) {
            if (argument(args, 0, m).toInt64() != 5)
                throw CadError(u"Only the selection mode 5 (all) is available.");
            const auto codes = args.size() > 3 ? filterCodes(args[3]) : std::vector<int16_t>{};
            const auto values = args.size() > 4 ? filterValues(args[4]) : std::vector<std::u16string>{};
            ItemAdder adder(set);
            for (Handle h : drawing().drawingOrder()) {
                if (drawing().passesFilter(*drawing().entity(h), codes, values))
                    adder.add(h);
            }
        } else {
            return MemoryObject::doCall(m, args);
        }
        return {};
    }

private:
    void selectOnScreen(const std::vector<int16_t> &codes, const std::vector<std::u16string> &values)
    {
        MemoryDrawing &d = drawing();
        d.passesFilter(MemoryEntity{}, codes, values); // a malformed filter fails before the pick
        PickRequest request;
        request.kind = PickRequest::Selection;
        request.accepts = [&d, codes, values](const MemoryEntity &e) {
            return e.isSelectable() && d.passesFilter(e, codes, values);
        };
        const PickResult result = d.pick(request);
        if (result.cancelled)
            throw CadError(u"The selection was cancelled.");
        ItemAdder adder(d.selectionSet(m_name));
        for (Handle h : result.handles) {
            const MemoryEntity *e = d.entity(h);
            if (e && request.accepts(*e))
                adder.add(h);
        }
    }

    // Adds entities to a set, each once, after the items it holds. The
    // items are looked up by hash: selecting every text of a large drawing
    // takes a time linear in their number.
    class ItemAdder
    {
    public:
        explicit ItemAdder(MemorySelectionSet &set) : m_set(set), m_present(set.items.begin(), set.items.end()) {}
        void add(Handle h)
        {
            if (m_present.insert(h).second)
                m_set.items.push_back(h);
        }

    private:
        MemorySelectionSet &m_set;
        std::unordered_set<Handle> m_present;
    };

    std::u16string m_name;
};

class SelectionSetsObject : public MemoryObject
{
public:
    explicit SelectionSetsObject(std::shared_ptr<MemoryDrawing> drawing)
        : MemoryObject(std::move(drawing), u"SelectionSets")
    {
    }

protected:
    Variant doGet(std::u16string_view m, const std::vector<Variant> &args) override
    {
        const auto &sets = drawing().selectionSets();
        if (is(m, u"Count"))
            return int32_t(sets.size());
        if (is(m, u"Item"))
            return std::make_shared<SelectionSetObject>(drawingRef(),
                                                        sets[itemIndex(sets, argument(args, 0, m), u"selection set")].name);
        unknown(m);
    }

    Variant doCall(std::u16string_view m, std::vector<Variant> &args) override
    {
        if (is(m, u"Add")) {
            const std::u16string name = argument(args, 0, m).toString();
            drawing().addSelectionSet(name);
            return std::make_shared<SelectionSetObject>(drawingRef(), name);
        }
        return MemoryObject::doCall(m, args);
    }
};

class LayerObject : public MemoryObject
{
public:
    LayerObject(std::shared_ptr<MemoryDrawing> drawing, size_t index)
        : MemoryObject(std::move(drawing), u"Layer")
        , m_index(index)
    {
    }

protected:
    Variant doGet(std::u16string_view m, const std::vector<Variant> &) override
    {
        const MemoryLayer &layer = drawing().layers().at(m_index);
        if (is(m, u"Name"))
            return layer.name;
        if (is(m, u"Lock"))
            return layer.locked;
        unknown(m);
    }

    void doPut(std::u16string_view m, const Variant &value) override
    {
        if (!is(m, u"Lock"))
            unknown(m);
        drawing().setLayerLocked(drawing().layers().at(m_index).name, value.toBool());
    }

private:
    size_t m_index;
};

class LayersObject : public MemoryObject
{
public:
    explicit LayersObject(std::shared_ptr<MemoryDrawing> drawing)
        : MemoryObject(std::move(drawing), u"Layers")
    {
    }

protected:
    Variant doGet(std::u16string_view m, const std::vector<Variant> &args) override
    {
        const auto &layers = drawing().layers();
        if (is(m, u"Count"))
            return int32_t(layers.size());
        if (is(m, u"Item"))
            return std::make_shared<LayerObject>(drawingRef(), itemIndex(layers, argument(args, 0, m), u"layer"));
        unknown(m);
    }
};

class BlockObject : public MemoryObject
{
public:
    BlockObject(std::shared_ptr<MemoryDrawing> drawing, size_t index)
        : MemoryObject(std::move(drawing), u"Block")
        , m_index(index)
    {
    }

protected:
    Variant doGet(std::u16string_view m, const std::vector<Variant> &args) override
    {
        const MemoryBlock &block = drawing().blocks().at(m_index);
        if (is(m, u"Name"))
            return block.name;
        if (is(m, u"Count"))
            return int32_t(block.entities.size());
        if (is(m, u"Item")) {
            const int64_t i = argument(args, 0, m).toInt64();
            if (i < 0 || i >= int64_t(block.entities.size()))
                throw CadError(u"Index out of range.");
            return makeEntityObject(drawingRef(), block.entities[size_t(i)]);
        }
        unknown(m);
    }

private:
    size_t m_index;
};

class BlocksObject : public MemoryObject
{
public:
    explicit BlocksObject(std::shared_ptr<MemoryDrawing> drawing)
        : MemoryObject(std::move(drawing), u"Blocks")
    {
    }

    static ObjectRef item(const std::shared_ptr<MemoryDrawing> &drawing, const Variant &key)
    {
        return std::make_shared<BlockObject>(drawing, itemIndex(drawing->blocks(), key, u"block"));
    }

protected:
    Variant doGet(std::u16string_view m, const std::vector<Variant> &args) override
    {
        if (is(m, u"Count"))
            return int32_t(drawing().blocks().size());
        if (is(m, u"Item"))
            return item(drawingRef(), argument(args, 0, m));
        unknown(m);
    }
};

class UtilityObject : public MemoryObject
{
public:
    explicit UtilityObject(std::shared_ptr<MemoryDrawing> drawing)
        : MemoryObject(std::move(drawing), u"Utility")
    {
    }

protected:
    Variant doGet(std::u16string_view m, const std::vector<Variant> &) override { unknown(m); }

    Variant doCall(std::u16string_view m, std::vector<Variant> &args) override
    {
        if (!is(m, u"GetSubEntity"))
            return MemoryObject::doCall(m, args);
        PickRequest request;
        request.kind = PickRequest::SubEntity;
        request.prompt = args.size() > 4 ? args[4].toString() : std::u16string();
        request.accepts = [](const MemoryEntity &e) { return e.ownerBlock.empty(); };
        const PickResult result = drawing().pick(request);
        if (result.cancelled || result.handles.empty())
            throw CadError(u"The pick was cancelled.");
        const Handle h = result.handles.front();
        drawing().live(h);
        args.resize(std::max<size_t>(args.size(), 4));
        args[0] = makeEntityObject(drawingRef(), h);
        args[1] = toVariant(result.point);
        // Identity transformation and no containers: the tool reads neither.
        std::vector<Variant> rows;
        for (int r = 0; r < 4; ++r) {
            std::vector<double> row(4, 0.0);
            row[size_t(r)] = 1.0;
            rows.emplace_back(std::move(row));
        }
        args[2] = Variant(std::move(rows));
        args[3] = Variant(std::vector<Variant>{});
        return {};
    }
};

class DocumentObject : public MemoryObject
{
public:
    explicit DocumentObject(std::shared_ptr<MemoryDrawing> drawing)
        : MemoryObject(std::move(drawing), u"Document")
    {
    }

protected:
    Variant doGet(std::u16string_view m, const std::vector<Variant> &args) override
    {
        if (is(m, u"HWND"))
            return drawing().documentWindow;
        if (is(m, u"SelectionSets"))
            return std::make_shared<SelectionSetsObject>(drawingRef());
        if (is(m, u"Layers"))
            return std::make_shared<LayersObject>(drawingRef());
        if (is(m, u"Blocks")) {
            if (!args.empty())
                return BlocksObject::item(drawingRef(), args[0]);
            return std::make_shared<BlocksObject>(drawingRef());
        }
        if (is(m, u"Utility"))
            return std::make_shared<UtilityObject>(drawingRef());
        unknown(m);
    }

    Variant doCall(std::u16string_view m, std::vector<Variant> &args) override
    {
        if (is(m, u"GetVariable"))
            return drawing().variable(argument(args, 0, m).toString());
        if (is(m, u"HandleToObject")) {
            const std::u16string text = argument(args, 0, m).toString();
            const Handle h = handleFromString(text);
            if (h == 0 || !drawing().entity(h))
                throw CadError(u"Unknown handle: " + text);
            return makeEntityObject(drawingRef(), h);
        }
        if (is(m, u"ObjectIdToObject")) {
            const Handle h = drawing().handleOfObjectId(argument(args, 0, m).toInt64());
            if (h == 0 || !drawing().entity(h))
                throw CadError(u"Unknown object id.");
            return makeEntityObject(drawingRef(), h);
        }
        if (is(m, u"StartUndoMark")) {
            drawing().startUndoMark();
            return {};
        }
        if (is(m, u"EndUndoMark")) {
            drawing().endUndoMark();
            return {};
        }
        if (is(m, u"Regen")) {
            ++drawing().regenCount;
            return {};
        }
        return MemoryObject::doCall(m, args);
    }
};

class ApplicationObject : public MemoryObject
{
public:
    explicit ApplicationObject(std::shared_ptr<MemoryDrawing> drawing)
        : MemoryObject(std::move(drawing), u"Application")
    {
    }

protected:
    Variant doGet(std::u16string_view m, const std::vector<Variant> &) override
    {
        if (is(m, u"HWND"))
            return drawing().applicationWindow;
        if (is(m, u"ActiveDocument"))
            return std::make_shared<DocumentObject>(drawingRef());
        unknown(m);
    }

    Variant doCall(std::u16string_view m, std::vector<Variant> &args) override
    {
        if (is(m, u"ZoomCenter")) {
            drawing().lastZoomCenter = toPoint(argument(args, 0, m));
            drawing().lastZoomMagnification = argument(args, 1, m).toDouble();
            ++drawing().zoomCenterCount;
            return {};
        }
        return MemoryObject::doCall(m, args);
    }
};

} // namespace

ObjectRef makeApplicationObject(std::shared_ptr<MemoryDrawing> drawing)
{
    return std::make_shared<ApplicationObject>(std::move(drawing));
}

} // namespace cad
