// The real morvex.exe: it starts, shows its window and marks itself with a
// hidden window of the class "TMorvMainForm"; a second start ends at once
// and silently while the first runs; closing the first takes the mark away.
#include "cad/com/win32instancemarker.h"

#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

using cad::com::Win32InstanceMarker;

namespace {

// A copy of the program in a folder of the test's own, so that the files it
// writes beside itself at close stay out of the build.
class ProgramCopy
{
public:
    ProgramCopy()
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"morvex-program-test-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        program = folder + L"\\morvex.exe";
        copied = CopyFileW(MORVEX_PROGRAM_PATH, program.c_str(), FALSE) != FALSE;
    }
    ~ProgramCopy()
    {
        DeleteFileW(program.c_str());
        DeleteFileW((folder + L"\\morvex.ini").c_str());
        DeleteFileW((folder + L"\\MorvEditTagList.txt").c_str());
        RemoveDirectoryW(folder.c_str());
    }

    PROCESS_INFORMATION start() const
    {
        PROCESS_INFORMATION process{};
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + program + L"\"";
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                       &process);
        return process;
    }

    std::wstring folder;
    std::wstring program;
    bool copied = false;
};

bool waitFor(const std::function<bool()> &condition, int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 100) {
        if (condition())
            return true;
        Sleep(100);
    }
    return condition();
}

struct WindowSearch
{
    DWORD process;
    HWND found = nullptr;
};

// The visible top-level window of the process titled "MorvEdit".
HWND mainWindowOf(DWORD process)
{
    WindowSearch search{process};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto *s = reinterpret_cast<WindowSearch *>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            wchar_t title[64] = {};
            GetWindowTextW(w, title, 64);
            if (owner == s->process && IsWindowVisible(w) && std::wstring(title) == L"MorvEdit") {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(MorvexProgram, OneRunningCopyASecondStartEndsSilently)
{
    ASSERT_FALSE(Win32InstanceMarker::exists(u"TMorvMainForm")) << "another morvex.exe runs on this desktop";
    ProgramCopy copy;
    ASSERT_TRUE(copy.copied);
    PROCESS_INFORMATION first = copy.start();
    ASSERT_NE(first.hProcess, nullptr);
    EXPECT_TRUE(waitFor([] { return Win32InstanceMarker::exists(u"TMorvMainForm"); }, 60000));
    HWND window = nullptr;
    EXPECT_TRUE(waitFor([&] { return (window = mainWindowOf(first.dwProcessId)) != nullptr; }, 30000))
        << "the main window is shown";

    PROCESS_INFORMATION second = copy.start();
    ASSERT_NE(second.hProcess, nullptr);
    EXPECT_EQ(WaitForSingleObject(second.hProcess, 30000), WAIT_OBJECT_0) << "the second start ends at once";
    DWORD secondCode = 99;
    GetExitCodeProcess(second.hProcess, &secondCode);
    EXPECT_EQ(secondCode, 0u);
    EXPECT_EQ(mainWindowOf(second.dwProcessId), nullptr) << "without a window";
    EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), DWORD(WAIT_TIMEOUT)) << "the first copy goes on";

    // Closed as the user closes it: the settings are written beside the
    // program, the mark goes.
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(first.hProcess, 30000), WAIT_OBJECT_0);
    if (WaitForSingleObject(first.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(first.hProcess, 1);
    EXPECT_FALSE(Win32InstanceMarker::exists(u"TMorvMainForm"));
    EXPECT_NE(GetFileAttributesW((copy.folder + L"\\morvex.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    for (PROCESS_INFORMATION *p : {&first, &second}) {
        CloseHandle(p->hProcess);
        CloseHandle(p->hThread);
    }
}

} // namespace
