#include "sessionroutes.h"

#include "drawingdump.h"

#include "cad/connection.h"
#include "cad/memory/memoryentity.h"

namespace cad::com::test {

namespace {

class DirectCad : public SessionCad
{
public:
    DirectCad()
    {
        m_application = Application(m_session.drawing->application());
        m_ready = true;
    }
    std::u16string dump() override { return drawingDump(*m_session.drawing); }
    void scriptPick(const std::vector<Handle> &handles) override { m_session.drawing->scriptPick(handles); }
    void scriptSubEntityPick(Handle handle) override { m_session.drawing->scriptSubEntityPick(handle); }
};

class InProcessCad : public DirectCad
{
public:
    InProcessCad()
    {
        m_rot.registerRunning(u"Morvex.Session", m_session.drawing);
        m_application = AttachCad(m_rot, u"Morvex.Session");
    }
    int membersCalled() const override { return int(m_rot.serverState()->names.size()); }
    long callsMade() const override { return m_rot.serverState()->invokeCount; }

private:
    ComTestRunningObjectTable m_rot;
};

// The server builds the same session drawing; this process steers it
// through the test members of its application object.
class CrossProcessCad : public SessionCad
{
public:
    CrossProcessCad()
        : m_server(ServerProcess::uniqueProgId(u"Session"))
    {
        if (!m_server.isReady())
            return;
        m_application = AttachCad(m_rot, m_server.progId());
        m_ready = true;
    }
    ~CrossProcessCad() override
    {
        try {
            if (m_ready)
                m_application.object()->call(u"MorvexTest.Quit");
        } catch (...) {
        }
        m_application = Application();
        m_server.hasExited(5000);
    }
    std::u16string dump() override { return m_application.object()->call(u"MorvexTest.Dump").toString(); }
    void scriptPick(const std::vector<Handle> &handles) override
    {
        std::vector<Variant> list;
        for (Handle h : handles)
            list.emplace_back(handleToString(h));
        m_application.object()->callWith(u"MorvexTest.ScriptPick", {Variant(std::move(list))});
    }
    void scriptSubEntityPick(Handle handle) override
    {
        m_application.object()->callWith(u"MorvexTest.ScriptSubEntityPick", {Variant(handleToString(handle))});
    }

private:
    ServerProcess m_server;
    ComRunningObjectTable m_rot;
};

} // namespace

const char *routeName(Route route)
{
    switch (route) {
    case Route::Direct: return "Direct";
    case Route::ComInProcess: return "ComInProcess";
    case Route::ComCrossProcess: return "ComCrossProcess";
    }
    return "?";
}

std::unique_ptr<SessionCad> SessionCad::open(Route route)
{
    switch (route) {
    case Route::Direct: return std::make_unique<DirectCad>();
    case Route::ComInProcess: return std::make_unique<InProcessCad>();
    case Route::ComCrossProcess: return std::make_unique<CrossProcessCad>();
    }
    return nullptr;
}

} // namespace cad::com::test
