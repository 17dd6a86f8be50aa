// The test CAD as a program of its own: the session drawing served over
// COM under a ProgID, for the tests that cross a process boundary, as the
// tool meets a real CAD. It runs until MorvexTest.Quit or its lifetime
// ends (so that a failed test never leaves it behind).
//   morvex_com_test_server.exe --progid ID [--lifetime SECONDS]
#include "support/activeobjectregistration.h"
#include "support/dispatchadapter.h"
#include "support/sessiondrawing.h"
#include "support/testcontrolobject.h"

#include "cad/com/comapartment.h"
#include "cad/com/comptr.h"

#include <cstdio>
#include <cwchar>
#include <string>

using namespace cad::com;
using namespace cad::com::test;

int wmain(int argc, wchar_t **argv)
{
    std::u16string progId;
    unsigned lifetimeSeconds = 120;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::wcscmp(argv[i], L"--progid") == 0)
            progId = reinterpret_cast<const char16_t *>(argv[i + 1]);
        else if (std::wcscmp(argv[i], L"--lifetime") == 0)
            lifetimeSeconds = unsigned(std::wcstoul(argv[i + 1], nullptr, 10));
    }
    if (progId.empty()) {
        std::fprintf(stderr, "usage: morvex_com_test_server --progid ID [--lifetime SECONDS]\n");
        return 2;
    }

    ComApartment apartment;
    if (!apartment.isInitialized())
        return 3;
    const SessionDrawing session = makeSessionDrawing();
    auto state = std::make_shared<ServerState>();
    auto application = std::make_shared<TestControlObject>(session.drawing, state, [] { PostQuitMessage(0); });
    ComPtr<IDispatch> dispatch;
    dispatch.Attach(DispatchAdapter::create(application, state));
    {
        ActiveObjectRegistration registration(progId, dispatch.Get());
        SetTimer(nullptr, 0, lifetimeSeconds * 1000, nullptr);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == WM_TIMER && message.hwnd == nullptr)
                break;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
