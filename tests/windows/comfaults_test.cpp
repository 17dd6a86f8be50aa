// Failures through COM: the CAD's own description of a failure reaches the
// caller; a CAD that dies in the middle of a call fails that call within
// moments and is then no longer running; a busy CAD's "call rejected" is
// repeated as the message filter says.
#include "support/comtestrunningobjecttable.h"
#include "support/serverprocess.h"
#include "support/sessiondrawing.h"

#include "cad/caderror.h"
#include "cad/com/comapartment.h"
#include "cad/com/comrunningobjecttable.h"
#include "cad/com/tmessagefilter.h"
#include "cad/com/win32windowsystem.h"
#include "cad/connection.h"
#include "cad/memory/memoryentity.h"
#include "cad/ustring.h"
#include "cad/utility.h"

#include <gtest/gtest.h>

using namespace cad;
using namespace cad::com;
using namespace cad::com::test;

namespace {

std::u16string failureOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const CadError &e) {
        return e.message();
    }
    return u"(no failure)";
}

// Whether the call failed as a lost link, not as a refused call.
bool failsAsLostLink(const std::function<void()> &call)
{
    try {
        call();
    } catch (const CadError &e) {
        return e.linkLost();
    }
    return false;
}

bool runsUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

class ComFaults : public ::testing::Test
{
protected:
    ComApartment apartment;
    Win32WindowSystem windows;
};

TEST_F(ComFaults, TheCadsDescriptionOfAFailureReachesTheCaller)
{
    SessionDrawing session = makeSessionDrawing();
    ComTestRunningObjectTable rot;
    rot.registerRunning(u"Running.Application", session.drawing);
    const Document doc = AttachCad(rot, u"Running.Application").activeDocument();
    const Entity text = doc.handleToObject(handleToString(session.motorText));

    session.drawing->failMember(u"TextString", u"図形はロックされた画層にあります。");
    EXPECT_EQ(failureOf([&] { text.setTextString(u"x"); }), u"図形はロックされた画層にあります。");
    EXPECT_FALSE(failsAsLostLink([&] { text.setTextString(u"x"); })) << "a refused call loses no link";
    session.drawing->clearFaults();
    EXPECT_EQ(failureOf([&] { doc.handleToObject(u"FFFFF"); }), u"Unknown handle: FFFFF");
}

TEST_F(ComFaults, AFailureWithoutDescriptionCarriesTheSystemsMessage)
{
    SessionDrawing session = makeSessionDrawing();
    ComTestRunningObjectTable rot;
    rot.registerRunning(u"Running.Application", session.drawing);
    const Application app = AttachCad(rot, u"Running.Application");
    // No message filter registered: a busy CAD's refusal is final.
    ASSERT_EQ(TMessageFilter::registeredFilter(), nullptr);
    rot.serverState()->rejectNextCalls = 1;
    const std::u16string message = failureOf([&] { app.hwnd(); });
    EXPECT_NE(message.find(u"0x80010001"), std::u16string::npos) << toUtf8(message);
}

TEST_F(ComFaults, ARejectedCallIsRepeatedAsTheMessageFilterSays)
{
    SessionDrawing session = makeSessionDrawing();
    session.drawing->applicationWindow = 0x4321;
    ComTestRunningObjectTable rot;
    rot.registerRunning(u"Running.Application", session.drawing);
    const Application app = AttachCad(rot, u"Running.Application");

    const std::shared_ptr<cad::MessageFilter> filter = createMessageFilter();
    filter->RegisterFilter();
    rot.serverState()->rejectNextCalls = 2;
    const long before = rot.serverState()->invokeCount;
    EXPECT_EQ(app.hwnd(), 0x4321) << "accepted on the third attempt, a second after each refusal";
    EXPECT_EQ(rot.serverState()->invokeCount - before, 3);
    filter->RevokeFilter();
}

TEST_F(ComFaults, ACadThatDiesInTheMiddleOfACallFailsItAndIsNoLongerRunning)
{
    ServerProcess server(ServerProcess::uniqueProgId(u"Dying"));
    ASSERT_TRUE(server.isReady()) << "the test CAD did not start";
    ComRunningObjectTable rot;
    ASSERT_TRUE(CadIsRunning(rot, windows, server.progId()));
    const Application app = AttachCad(rot, server.progId());
    const Document doc = app.activeDocument();

    server.killAfter(300);
    // The call would take ten seconds; the CAD is gone long before.
    const std::u16string message
        = failureOf([&] { app.object()->callWith(u"MorvexTest.Hang", {Variant(int32_t(10000))}); });
    EXPECT_NE(message, u"(no failure)");
    EXPECT_TRUE(server.hasExited(5000));

    EXPECT_FALSE(CadIsRunning(rot, windows, server.progId())) << "the next command finds the CAD not running";
    EXPECT_NE(failureOf([&] { doc.selectionSets().count(); }), u"(no failure)")
        << "objects of the dead CAD fail cleanly";
    // A command stops at a lost link rather than skipping item after item.
    EXPECT_TRUE(failsAsLostLink([&] { doc.selectionSets().count(); }));
}

// A hung CAD: the message filter gives the call up at the call limit, at
// the next message that arrives, on a quiet queue too; the command then
// stops at a lost link with the system's message.
TEST_F(ComFaults, ACallWithoutAnswerIsGivenUpAtTheCallLimit)
{
    ServerProcess server(ServerProcess::uniqueProgId(u"Hung"));
    ASSERT_TRUE(server.isReady()) << "the test CAD did not start";
    ComRunningObjectTable rot;
    const Application app = AttachCad(rot, server.progId());
    const std::shared_ptr<cad::MessageFilter> filter = createMessageFilter();
    filter->RegisterFilter();
    TMessageFilter::setCallLimitForTests(300);

    const DWORD startedAt = GetTickCount();
    CadError failure(u"(no failure)");
    try {
        app.object()->callWith(u"MorvexTest.Hang", {Variant(int32_t(3000))});
    } catch (const CadError &e) {
        failure = e;
    }
    const DWORD waited = GetTickCount() - startedAt;

    TMessageFilter::setCallLimitForTests(0);
    filter->RevokeFilter();
    EXPECT_EQ(failure.message(), NoAnswerMessage);
    EXPECT_TRUE(failure.linkLost());
    EXPECT_GE(waited, 300u);
    // Windows returns from a cancelled call at once; Wine notes the cancel
    // and still waits for the reply.
    if (!runsUnderWine()) {
        EXPECT_LT(waited, 2500u) << "the call waited for the hung CAD";
    }
}

// A pick lasts as long as the user takes: no limit while one waits.
TEST(ComMessageFilter, APickHasNoCallLimit)
{
    const std::shared_ptr<cad::MessageFilter> created = createMessageFilter();
    auto &filter = static_cast<TMessageFilter &>(*created);
    const DWORD longAfterTheLimit = TMessageFilter::CallLimitMilliseconds + 60000;
    EXPECT_EQ(filter.MessagePending(nullptr, 1000, PENDINGTYPE_TOPLEVEL), DWORD(PENDINGMSG_WAITNOPROCESS));
    EXPECT_EQ(filter.MessagePending(nullptr, longAfterTheLimit, PENDINGTYPE_TOPLEVEL), DWORD(PENDINGMSG_CANCELCALL));
    {
        const TMessageFilter::PickUnderWay pick;
        EXPECT_EQ(filter.MessagePending(nullptr, longAfterTheLimit, PENDINGTYPE_TOPLEVEL),
                  DWORD(PENDINGMSG_WAITNOPROCESS));
    }
    EXPECT_TRUE(isPickMember(u"GetSubEntity") && isPickMember(u"selectonscreen"));
    EXPECT_FALSE(isPickMember(u"Select"));
}

TEST_F(ComFaults, ACallAcrossProcessesCarriesTheServersDescription)
{
    ServerProcess server(ServerProcess::uniqueProgId(u"Failing"));
    ASSERT_TRUE(server.isReady()) << "the test CAD did not start";
    ComRunningObjectTable rot;
    const Application app = AttachCad(rot, server.progId());
    app.object()->callWith(u"MorvexTest.FailMember", {Variant(u"HandleToObject"), Variant(u"図面が閉じられています")});
    EXPECT_EQ(failureOf([&] { app.activeDocument().handleToObject(u"1A"); }), u"図面が閉じられています");
    app.object()->call(u"MorvexTest.Quit");
    EXPECT_TRUE(server.hasExited(5000));
}

} // namespace
