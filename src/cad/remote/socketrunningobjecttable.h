#pragma once
// The running-object table of non-Windows systems: a stand-in CAD runs
// under a ProgID when it answers at that ProgID's socket in the per-user
// socket folder.

#include "remoteconnection.h"

#include "cad/runningobjecttable.h"

namespace cad::remote {

class SocketRunningObjectTable : public RunningObjectTable
{
public:
    explicit SocketRunningObjectTable(ConnectionOptions options = {});

    // Whether a stand-in accepts connections at the ProgID's socket; the
    // socket file a killed instance left behind does not. Any ProgID may be
    // served here, so none counts as unregistered: this never throws.
    bool isRunning(const std::u16string &progId) override;
    // A new connection to the stand-in and its application object; throws
    // CadError when none answers.
    ObjectRef getActiveObject(const std::u16string &progId) override;

    // The application object last returned by getActiveObject while its
    // connection is open (the CAD the window operations concern), else null.
    ObjectRef lastAttached() const;

private:
    ConnectionOptions m_options;
    std::weak_ptr<DispatchObject> m_lastAttached;
};

} // namespace cad::remote
