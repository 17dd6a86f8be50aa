#pragma once
// The test CAD started as a second process, registered under a ProgID of
// its own; it is ended (asked, then killed) when this object goes.

#include <windows.h>

#include <string>

namespace cad::com::test {

class ServerProcess
{
public:
    // Starts the server program beside the running test program and waits
    // until its object is in the running object table.
    explicit ServerProcess(const std::u16string &progId, unsigned lifetimeSeconds = 120);
    ~ServerProcess();
    ServerProcess(const ServerProcess &) = delete;
    ServerProcess &operator=(const ServerProcess &) = delete;

    bool isReady() const { return m_ready; }
    const std::u16string &progId() const { return m_progId; }
    // Ends the server at once, as a crash would.
    void kill();
    // Kills the server after a delay, from another thread (while this one
    // waits in a call into it).
    void killAfter(unsigned milliseconds);
    bool hasExited(unsigned waitMilliseconds = 0) const;

    // A ProgID unique to this test run.
    static std::u16string uniqueProgId(const char16_t *stem);

private:
    std::u16string m_progId;
    PROCESS_INFORMATION m_process{};
    bool m_ready = false;
    HANDLE m_killer = nullptr;
};

} // namespace cad::com::test
