#pragma once
// A ProgID of the test CAD: its class in HKEY_CLASSES_ROOT (Wine reads
// ProgIDs from there only) and, while the CAD "runs", its application
// object in the running object table, as a CAD registers itself at start.

#include <windows.h>
#include <objbase.h>

#include <string>

namespace cad::com::test {

class ActiveObjectRegistration
{
public:
    // The ProgID gets a class of its own; `running` (may be null: a class
    // that is installed but not running) is registered as its active object.
    ActiveObjectRegistration(const std::u16string &progId, IUnknown *running);
    ~ActiveObjectRegistration();
    ActiveObjectRegistration(const ActiveObjectRegistration &) = delete;
    ActiveObjectRegistration &operator=(const ActiveObjectRegistration &) = delete;

    // The CAD ends: its object leaves the table, its class stays.
    void revoke();
    bool isRunning() const { return m_cookie != 0; }
    const CLSID &clsid() const { return m_clsid; }

private:
    std::u16string m_progId;
    CLSID m_clsid{};
    DWORD m_cookie = 0;
};

} // namespace cad::com::test
