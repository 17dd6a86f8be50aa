#pragma once
// The test CAD's application object as its server hands it out: the
// in-memory drawing's application, plus members a test uses to steer the
// CAD from outside (as a user would pick, undo or close it), all named
// "MorvexTest.…":
//   ScriptPick(handles)            the next on-screen selection picks them
//   ScriptSubEntityPick(handle)    the next GetSubEntity picks it
//   ScriptCancelledPick()          the next pick is cancelled
//   Undo()                         the CAD's undo (true when a step was undone)
//   Dump()                         the drawing's state as text
//   FailMember(name, message)      every call of the member fails so
//   ClearFaults()
//   SetClipboard(text)             puts the text on the clipboard, as another program
//   RejectNextCalls(n)             the next n calls answer "busy"
//   Hang(milliseconds)             the call takes that long
//   Quit()                         the server process ends

#include "dispatchadapter.h"

#include "cad/memory/memorydrawing.h"

#include <functional>

namespace cad::com::test {

class TestControlObject : public DispatchObject
{
public:
    TestControlObject(std::shared_ptr<MemoryDrawing> drawing, std::shared_ptr<ServerState> state,
                      std::function<void()> quit = {});

    Variant get(std::u16string_view member, const std::vector<Variant> &args = {}) override;
    void put(std::u16string_view member, const Variant &value) override;
    Variant call(std::u16string_view member, std::vector<Variant> &args) override;
    using DispatchObject::call;

private:
    std::shared_ptr<MemoryDrawing> m_drawing;
    std::shared_ptr<ServerState> m_state;
    ObjectRef m_application;
    std::function<void()> m_quit;
};

} // namespace cad::com::test
