#pragma once
// Picks answered by a script instead of a user: each scripted result
// answers the next pick; a pick that finds no script waits until one is
// added or the pick is cancelled. The server answers picks from here while
// a script is queued (tests script picks through the connection) and when
// no interactive handler is set.

#include "pickhandler.h"

#include <deque>
#include <optional>

namespace standin {

class ScriptedPickHandler : public PickHandler
{
public:
    void scriptPick(std::vector<cad::Handle> handles);
    void scriptSubEntityPick(cad::Handle handle, cad::Point point = {});
    void scriptCancelledPick();

    bool hasScript() const { return !m_script.empty(); }
    bool isPending() const { return bool(m_done); }
    // The request of the pick waiting for a script, if any.
    const std::optional<cad::PickRequest> &pendingRequest() const { return m_request; }

    void beginPick(const cad::PickRequest &request, Done done) override;
    void cancelPick() override;

private:
    void add(cad::PickResult result);
    void answerPendingPick();

    std::deque<cad::PickResult> m_script;
    std::optional<cad::PickRequest> m_request;
    Done m_done;
};

} // namespace standin
