#include "document.h"

namespace cad {

WindowHandle Document::hwnd() const { return get(u"HWND").toInt64(); }
Variant Document::getVariable(const std::u16string &name) const { return call(u"GetVariable", {name}); }
SelectionSets Document::selectionSets() const { return SelectionSets(get(u"SelectionSets").toObject()); }
Layers Document::layers() const { return Layers(get(u"Layers").toObject()); }
Blocks Document::blocks() const { return Blocks(get(u"Blocks").toObject()); }
Entity Document::handleToObject(const std::u16string &handle) const
{
    return Entity(call(u"HandleToObject", {handle}).toObject());
}
Entity Document::objectIdToObject(int64_t id) const
{
    return Entity(call(u"ObjectIdToObject", {id}).toObject());
}
void Document::startUndoMark() const { call(u"StartUndoMark"); }
void Document::endUndoMark() const { call(u"EndUndoMark"); }
void Document::regen() const { call(u"Regen", {int32_t(0)}); }
Utility Document::utility() const { return Utility(get(u"Utility").toObject()); }

WindowHandle Application::hwnd() const { return get(u"HWND").toInt64(); }
Document Application::activeDocument() const { return Document(get(u"ActiveDocument").toObject()); }
void Application::zoomCenter(const Point &center, double magnification) const
{
    call(u"ZoomCenter", {toVariant(center), magnification});
}

} // namespace cad
