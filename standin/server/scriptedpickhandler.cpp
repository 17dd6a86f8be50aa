#include "scriptedpickhandler.h"

namespace standin {

void ScriptedPickHandler::scriptPick(std::vector<cad::Handle> handles)
{
    add(cad::PickResult{false, std::move(handles), {}});
}

void ScriptedPickHandler::scriptSubEntityPick(cad::Handle handle, cad::Point point)
{
    add(cad::PickResult{false, {handle}, point});
}

void ScriptedPickHandler::scriptCancelledPick()
{
    add(cad::PickResult{true, {}, {}});
}

void ScriptedPickHandler::add(cad::PickResult result)
{
    m_script.push_back(std::move(result));
    answerPendingPick();
}

void ScriptedPickHandler::beginPick(const cad::PickRequest &request, Done done)
{
    m_request = request;
    m_done = std::move(done);
    answerPendingPick();
}

void ScriptedPickHandler::cancelPick()
{
    m_request.reset();
    m_done = nullptr;
}

void ScriptedPickHandler::answerPendingPick()
{
    if (!m_done || m_script.empty())
        return;
    const Done done = std::move(m_done);
    m_done = nullptr;
    m_request.reset();
    const cad::PickResult result = std::move(m_script.front());
    m_script.pop_front();
    done(result);
}

} // namespace standin
