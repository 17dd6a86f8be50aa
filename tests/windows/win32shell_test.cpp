// The shell and the clipboard of Windows as the tool uses them: a side file
// opened in Notepad (a path with a blank and Japanese in it), and text that
// another program put on the clipboard read back exactly as it was put.
#include "support/serverprocess.h"

#include "cad/com/comapartment.h"
#include "cad/com/comrunningobjecttable.h"
#include "cad/com/win32clipboard.h"
#include "cad/com/win32shell.h"
#include "cad/connection.h"

#include <windows.h>

#include <fstream>
#include <string>

#include <gtest/gtest.h>

using namespace cad;
using namespace cad::com;
using namespace cad::com::test;

namespace {

struct TitleSearch
{
    std::wstring part;
    HWND found = nullptr;
};

HWND topLevelWindowWithTitlePart(const std::wstring &part)
{
    TitleSearch search{part};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto *s = reinterpret_cast<TitleSearch *>(p);
            wchar_t title[512] = {};
            GetWindowTextW(w, title, 512);
            if (std::wstring(title).find(s->part) != std::wstring::npos) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(Win32Shell, ASideFileOpensInNotepad)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring name = L"タグ リスト " + std::to_wstring(GetCurrentProcessId()) + L".txt";
    const std::wstring path = std::wstring(temp) + name;
    {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, "JCMNT1:comment\r\n", 16, &written, nullptr);
        CloseHandle(file);
    }
    ASSERT_TRUE(openInNotepad(0, std::u16string(path.begin(), path.end())));
    HWND notepad = nullptr;
    for (int waited = 0; waited < 30000 && !notepad; waited += 100) {
        notepad = topLevelWindowWithTitlePart(name);
        if (!notepad)
            Sleep(100);
    }
    EXPECT_NE(notepad, nullptr) << "Notepad shows the file (the whole path reached it as one file name)";
    if (notepad)
        PostMessageW(notepad, WM_CLOSE, 0, 0);
    Sleep(500);
    DeleteFileW(path.c_str());
}

TEST(Win32Clipboard, TextAnotherProgramCopiedComesBackAsItWasPut)
{
    ComApartment apartment;
    ServerProcess server(ServerProcess::uniqueProgId(u"Clipboard"));
    ASSERT_TRUE(server.isReady()) << "the test CAD did not start";
    ComRunningObjectTable rot;
    const Application app = AttachCad(rot, server.progId());
    const std::u16string block = u"NAME\tSPEC\r\nM-1\t3.7kW\r\n";
    ASSERT_TRUE(app.object()->callWith(u"MorvexTest.SetClipboard", {Variant(block)}).toBool());
    EXPECT_EQ(clipboardUnicodeText(), block);
    app.object()->call(u"MorvexTest.Quit");
}

} // namespace
