#pragma once
// The application object and its active document.

#include "collections.h"
#include "utility.h"
#include "windowsystem.h"

namespace cad {

class Document : public TypedObject
{
public:
    using TypedObject::TypedObject;

    WindowHandle hwnd() const;
    Variant getVariable(const std::u16string &name) const;
    SelectionSets selectionSets() const;
    Layers layers() const;
    Blocks blocks() const;
    Entity handleToObject(const std::u16string &handle) const;
    Entity objectIdToObject(int64_t id) const;
    void startUndoMark() const;
    void endUndoMark() const;
    // Regenerates the active viewport.
    void regen() const;
    Utility utility() const;
};

class Application : public TypedObject
{
public:
    using TypedObject::TypedObject;

    WindowHandle hwnd() const;
    Document activeDocument() const;
    void zoomCenter(const Point &center, double magnification) const;
};

} // namespace cad
