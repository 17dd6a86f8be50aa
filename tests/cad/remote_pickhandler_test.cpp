// Picks answered by an interactive pick handler (the viewer's part): it
// gets the prompt and the filter, answers later from the event loop, and
// is told when the pick is cancelled; queued scripted picks come first.
#include "remote_standinthread.h"

#include "cad/caderror.h"
#include "cad/connection.h"
#include "cad/remote/remotecadwindowsystem.h"
#include "cad/remote/socketrunningobjecttable.h"

#include <gtest/gtest.h>

using namespace cad;
using namespace cad::remote;

namespace {

// Holds each pick until the test answers it, as a user takes their time.
class HeldPickHandler : public standin::PickHandler
{
public:
    std::optional<PickRequest> request;
    Done done;
    int begun = 0;
    int cancelled = 0;

    void beginPick(const PickRequest &r, Done d) override
    {
        ++begun;
        request = r;
        done = std::move(d);
    }
    void cancelPick() override
    {
        ++cancelled;
        done = nullptr;
    }
};

class CadRemotePickHandler : public ::testing::Test
{
protected:
    CadRemotePickHandler()
    {
        text = drawing->addText(u"盤", {0, 0, 0});
        definition = drawing->addAttributeDefinition(u"DEVICE", u"NAME", u"名称");
        device = drawing->addBlockReference(u"DEVICE", {5, 5, 0}, {{u"NAME", u"MC1"}});
        attribute = drawing->entity(device)->attributes.front();
        standin = std::make_unique<StandinThread>(drawing, uniqueProgId("handler"));
        EXPECT_TRUE(standin->isListening()) << standin->errorString().toStdString();
        standin->run([this](standin::CadServer *&server) { server->setPickHandler(&handler); });
    }
    ~CadRemotePickHandler() override { standin->stop(); }

    bool pickPending()
    {
        return standin->read<bool>([](standin::CadServer &s) { return s.isPickPending(); });
    }

    // GetSubEntity on a client of its own thread; the handle picked or the error.
    std::unique_ptr<QThread> subEntityPick(std::u16string &outcome)
    {
        std::unique_ptr<QThread> thread(QThread::create([this, &outcome] {
            try {
                SocketRunningObjectTable rot;
                const Document doc = AttachCad(rot, standin->progId()).activeDocument();
                const SubEntityPick pick = doc.utility().getSubEntity(u"属性を選択");
                outcome = pick.entity.handle();
            } catch (const CadError &e) {
                outcome = u"error: " + e.message();
            }
        }));
        thread->start();
        return thread;
    }

    std::shared_ptr<MemoryDrawing> drawing = MemoryDrawing::create();
    Handle text = 0, definition = 0, device = 0, attribute = 0;
    HeldPickHandler handler;
    std::unique_ptr<StandinThread> standin;
    SocketRunningObjectTable rot;
};

TEST_F(CadRemotePickHandler, TheHandlerGetsPromptAndFilterAndAnswersLater)
{
    std::u16string outcome;
    const auto client = subEntityPick(outcome);
    ASSERT_TRUE(eventually([&] { return pickPending(); }));

    standin->run([&](standin::CadServer *&) {
        ASSERT_TRUE(handler.request.has_value());
        EXPECT_EQ(handler.request->kind, PickRequest::SubEntity);
        EXPECT_EQ(handler.request->prompt, u"属性を選択");
        // Nested attributes may be picked; what lies inside a block definition may not.
        EXPECT_TRUE(handler.request->accepts(*drawing->entity(attribute)));
        EXPECT_TRUE(handler.request->accepts(*drawing->entity(text)));
        EXPECT_FALSE(handler.request->accepts(*drawing->entity(definition)));
        handler.done(PickResult{false, {attribute}, {5, 5, 0}});
    });
    client->wait();
    EXPECT_EQ(outcome, handleToString(attribute));
    EXPECT_FALSE(pickPending());
}

TEST_F(CadRemotePickHandler, AQueuedScriptAnswersBeforeTheHandler)
{
    const Application app = AttachCad(rot, standin->progId());
    app.object()->callWith(member::TestScriptSubEntityPick, {handleToString(text)});
    EXPECT_EQ(app.activeDocument().utility().getSubEntity(u"").entity.handle(), handleToString(text));
    EXPECT_EQ(standin->read<int>([this](standin::CadServer &) { return handler.begun; }), 0);
}

TEST_F(CadRemotePickHandler, EscapeCancelsTheHandlersPick)
{
    std::u16string outcome;
    const auto client = subEntityPick(outcome);
    ASSERT_TRUE(eventually([&] { return pickPending(); }));

    const Application app = AttachCad(rot, standin->progId());
    app.object()->call(member::WindowPressEscape);
    client->wait();
    EXPECT_EQ(outcome, u"error: The pick was cancelled.");
    EXPECT_EQ(standin->read<int>([this](standin::CadServer &) { return handler.cancelled; }), 1);
}

TEST_F(CadRemotePickHandler, AClientThatCallsBackWhileWaitingIsRefused)
{
    // The caller's pump must not call into the connection a call waits on.
    Application app;
    bool armed = false;
    std::u16string refused;
    ConnectionOptions options;
    options.whileWaiting = [&] {
        if (!armed || !pickPending())
            return;
        armed = false;
        try {
            app.hwnd();
        } catch (const CadError &e) {
            refused = e.message();
        }
        // End the pick from the CAD's side so the waiting call returns.
        standin->run([](standin::CadServer *&server) { server->cancelPick(); });
    };
    SocketRunningObjectTable pumpingRot(options);
    app = AttachCad(pumpingRot, standin->progId());
    const Utility utility = app.activeDocument().utility();
    armed = true;
    EXPECT_THROW(utility.getSubEntity(u"x"), CadError);
    EXPECT_EQ(refused, BusyMessage);
    EXPECT_EQ(app.hwnd(), drawing->applicationWindow);
}

} // namespace
