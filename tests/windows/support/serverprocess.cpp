#include "serverprocess.h"

#include "cad/com/comptr.h"
#include "cad/com/wide.h"

#include <objbase.h>
#include <oleauto.h>

#include <string>

namespace cad::com::test {

namespace {

std::wstring serverProgram()
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring program(path, n);
    program.erase(program.find_last_of(L"\\/") + 1);
    return program + L"morvex_com_test_server.exe";
}

bool isRegistered(const std::u16string &progId)
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(wide(progId), &clsid)))
        return false;
    ComPtr<IUnknown> running;
    return SUCCEEDED(GetActiveObject(clsid, nullptr, running.GetAddressOf()));
}

struct KillRequest
{
    HANDLE process;
    DWORD delay;
};

DWORD WINAPI killLater(void *parameter)
{
    auto *request = static_cast<KillRequest *>(parameter);
    Sleep(request->delay);
    TerminateProcess(request->process, 9);
    delete request;
    return 0;
}

} // namespace

std::u16string ServerProcess::uniqueProgId(const char16_t *stem)
{
    static int counter = 0;
    return std::u16string(u"MorvexTest.") + stem + u"."
        + reinterpret_cast<const char16_t *>(std::to_wstring(GetCurrentProcessId()).c_str()) + u"."
        + reinterpret_cast<const char16_t *>(std::to_wstring(++counter).c_str());
}

ServerProcess::ServerProcess(const std::u16string &progId, unsigned lifetimeSeconds)
    : m_progId(progId)
{
    std::wstring commandLine = L"\"" + serverProgram() + L"\" --progid " + std::wstring(wide(progId))
        + L" --lifetime " + std::to_wstring(lifetimeSeconds);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &m_process))
        return;
    // The server registers its object once its apartment is up.
    for (int waited = 0; waited < 20000; waited += 50) {
        if (isRegistered(progId)) {
            m_ready = true;
            return;
        }
        if (hasExited())
            return;
        Sleep(50);
    }
}

ServerProcess::~ServerProcess()
{
    if (m_killer) {
        WaitForSingleObject(m_killer, 10000);
        CloseHandle(m_killer);
    }
    if (m_process.hProcess) {
        if (!hasExited(0))
            kill();
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
    // A killed server leaves its class key behind.
    RegDeleteTreeW(HKEY_CLASSES_ROOT, wide(m_progId));
}

void ServerProcess::kill()
{
    TerminateProcess(m_process.hProcess, 9);
    WaitForSingleObject(m_process.hProcess, 10000);
}

void ServerProcess::killAfter(unsigned milliseconds)
{
    m_killer = CreateThread(nullptr, 0, killLater, new KillRequest{m_process.hProcess, milliseconds}, 0, nullptr);
}

bool ServerProcess::hasExited(unsigned waitMilliseconds) const
{
    return !m_process.hProcess || WaitForSingleObject(m_process.hProcess, waitMilliseconds) == WAIT_OBJECT_0;
}

} // namespace cad::com::test
