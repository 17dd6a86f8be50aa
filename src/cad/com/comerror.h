#pragma once
// COM failures as the one CadError of the CAD link: the server's own
// description when it gave one (EXCEPINFO), otherwise the system's message
// for the HRESULT.

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace cad::com {

// An EXCEPINFO filled by a failing Invoke, freed exactly once.
class ExcepInfo
{
public:
    ExcepInfo() = default;
    ~ExcepInfo();
    ExcepInfo(const ExcepInfo &) = delete;
    ExcepInfo &operator=(const ExcepInfo &) = delete;

    EXCEPINFO *get() { return &m_info; }
    // The server's description (deferred fill-in done), empty when none.
    std::u16string description();
    // The error code the server reported (scode, or the code of wCode).
    HRESULT code() const;

private:
    EXCEPINFO m_info{};
};

// The system's message for an HRESULT, without its line end, and the code
// in hex ("... (0x800401E3)"); only the code where the system has no text.
std::u16string systemMessage(HRESULT hr);

// Whether the HRESULT tells that the CAD's process is gone (a lost link).
bool isLinkLost(HRESULT hr);

[[noreturn]] void throwComError(HRESULT hr);
// After DISP_E_EXCEPTION the server's description is the message.
[[noreturn]] void throwComError(HRESULT hr, ExcepInfo &info);

} // namespace cad::com
