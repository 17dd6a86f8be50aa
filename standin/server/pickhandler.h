#pragma once
// Who answers a pick the tool asks the stand-in for (SelectOnScreen,
// GetSubEntity). The viewer implements it: it shows the prompt, lets the
// user pick entities the request accepts, and reports the result when the
// user ends the pick. The answer comes later, from the event loop; the
// server keeps serving other connections meanwhile.

#include "cad/memory/memorydrawing.h"

#include <functional>

namespace standin {

class PickHandler
{
public:
    using Done = std::function<void(const cad::PickResult &)>;

    virtual ~PickHandler() = default;

    // Starts a pick. `done` is called once, when the user ends the pick
    // (cancelled set when they cancel it), at once or later. The request's
    // filter stays valid until then.
    virtual void beginPick(const cad::PickRequest &request, Done done) = 0;
    // The pick in progress ends unanswered (Escape from the tool, or the
    // asking client went away): the handler tidies up; the server no
    // longer waits for `done`.
    virtual void cancelPick() = 0;
};

} // namespace standin
