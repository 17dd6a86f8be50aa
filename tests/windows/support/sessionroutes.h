#pragma once
// The three ways a test reaches the session drawing, so that the same
// sequence of calls can be run on each and the results compared:
// directly on the in-memory drawing, through COM in this process, and
// through COM in a second process (the test CAD's server program).

#include "comtestrunningobjecttable.h"
#include "serverprocess.h"
#include "sessiondrawing.h"

#include "cad/com/comrunningobjecttable.h"
#include "cad/document.h"

#include <memory>
#include <string>
#include <vector>

namespace cad::com::test {

enum class Route { Direct, ComInProcess, ComCrossProcess };
const char *routeName(Route route);

class SessionCad
{
public:
    static std::unique_ptr<SessionCad> open(Route route);
    virtual ~SessionCad() = default;

    bool isReady() const { return m_ready; }
    const SessionDrawing &ids() const { return m_session; } // the handles, alike on every route
    Application application() { return m_application; }
    virtual std::u16string dump() = 0;
    virtual void scriptPick(const std::vector<Handle> &handles) = 0;
    virtual void scriptSubEntityPick(Handle handle) = 0;
    // The members this route has called through COM so far, and the calls
    // (in this process only; -1 elsewhere).
    virtual int membersCalled() const { return -1; }
    virtual long callsMade() const { return -1; }

protected:
    SessionDrawing m_session = makeSessionDrawing();
    Application m_application;
    bool m_ready = false;
};

} // namespace cad::com::test
