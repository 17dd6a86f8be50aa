// The socket link as a whole: finding a running stand-in, malformed
// messages, a CAD that dies or goes silent, and picks that block only the
// client that asked for them.
#include "remote_standinthread.h"

#include "cad/caderror.h"
#include "cad/connection.h"
#include "cad/remote/remotecadwindowsystem.h"
#include "cad/remote/socketdirectory.h"
#include "cad/remote/socketrunningobjecttable.h"

#include <QCborArray>
#include <QCborMap>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>

using namespace cad;
using namespace cad::remote;

namespace {

// Leaves a socket file as a killed instance does: bound, then nobody listens.
void leaveStaleSocket(const QString &path)
{
    QFile::remove(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(size_t(name.size()), sizeof(address.sun_path));
    std::copy(name.begin(), name.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    ::close(fd);
}

std::u16string errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const CadError &e) {
        return e.message();
    }
    return u"(no error)";
}

// Whether the action failed as a lost link, not as a call the CAD refused.
bool failsAsLostLink(const std::function<void()> &action)
{
    try {
        action();
    } catch (const CadError &e) {
        return e.linkLost();
    }
    return false;
}

// A client that speaks the wire format by hand.
class RawClient
{
public:
    explicit RawClient(const std::u16string &progId)
    {
        m_socket.connectToServer(socketPathForProgId(progId));
        m_socket.waitForConnected(5000);
    }

    bool isConnected() const { return m_socket.state() == QLocalSocket::ConnectedState; }
    void sendBytes(const QByteArray &bytes)
    {
        m_socket.write(bytes);
        m_socket.waitForBytesWritten(5000);
    }
    void send(const QCborValue &message) { sendBytes(frame(message.toCbor())); }
    // The next reply; an empty array when the server closed the connection.
    QCborArray reply()
    {
        for (;;) {
            m_buffer += m_socket.readAll();
            if (m_buffer.size() >= FrameHeaderSize
                && m_buffer.size() >= FrameHeaderSize + qsizetype(frameLength(m_buffer))) {
                const qsizetype length = frameLength(m_buffer);
                const QByteArray data = m_buffer.mid(FrameHeaderSize, length);
                m_buffer.remove(0, FrameHeaderSize + length);
                return QCborValue::fromCbor(data).toArray();
            }
            if (!m_socket.waitForReadyRead(10000) && m_socket.bytesAvailable() == 0)
                return {};
        }
    }
    QCborArray ask(const QCborValue &message)
    {
        send(message);
        return reply();
    }
    // Whether the server hung up (it has nothing more to say).
    bool closedByServer()
    {
        if (m_socket.state() != QLocalSocket::ConnectedState)
            return true;
        m_socket.waitForDisconnected(10000);
        return m_socket.state() != QLocalSocket::ConnectedState;
    }
    void abort() { m_socket.abort(); }

private:
    QLocalSocket m_socket;
    QByteArray m_buffer;
};

QCborArray request(qint64 id, Operation op, qint64 object, const QString &member, QCborArray args = {})
{
    return QCborArray{id, int(op), object, member, args};
}

class CadRemoteLink : public ::testing::Test
{
protected:
    CadRemoteLink()
    {
        text = drawing->addText(u"ＡＢＣ", {1, 2, 0});
        standin = std::make_unique<StandinThread>(drawing, uniqueProgId("link"));
        EXPECT_TRUE(standin->isListening()) << standin->errorString().toStdString();
    }

    bool pickPending()
    {
        return standin->read<bool>([](standin::CadServer &s) { return s.isPickPending(); });
    }

    // Picks on one client's thread: a new connection there, SelectOnScreen
    // into a set of its own; the items picked, or the error.
    struct PickOutcome
    {
        int count = -1;
        std::u16string error;
    };
    std::unique_ptr<QThread> pickOnAnotherClient(PickOutcome &outcome, ConnectionOptions options = {})
    {
        std::unique_ptr<QThread> thread(QThread::create([this, &outcome, options] {
            try {
                SocketRunningObjectTable rot(options);
                const SelectionSet set = AttachCad(rot, standin->progId()).activeDocument().selectionSets().add(u"A");
                SelectionFilter texts;
                texts.add(0, u"TEXT");
                set.selectOnScreen(texts);
                outcome.count = set.count();
            } catch (const CadError &e) {
                outcome.error = e.message();
            }
        }));
        thread->start();
        return thread;
    }

    std::shared_ptr<MemoryDrawing> drawing = MemoryDrawing::create();
    Handle text = 0;
    std::unique_ptr<StandinThread> standin;
    SocketRunningObjectTable rot;
};

TEST(CadRemoteRunningObjectTable, NothingRunsWhereNoStandinListens)
{
    SocketRunningObjectTable rot;
    const std::u16string progId = uniqueProgId("none");
    EXPECT_FALSE(rot.isRunning(progId));
    EXPECT_EQ(errorOf([&] { rot.getActiveObject(progId); }), CannotConnectMessage);
}

TEST(CadRemoteRunningObjectTable, AStaleSocketIsNotRunningAndIsReplaced)
{
    const std::u16string progId = uniqueProgId("stale");
    leaveStaleSocket(socketPathForProgId(progId));
    ASSERT_TRUE(QFile::exists(socketPathForProgId(progId)));

    SocketRunningObjectTable rot;
    EXPECT_FALSE(rot.isRunning(progId));
    EXPECT_EQ(errorOf([&] { rot.getActiveObject(progId); }), CannotConnectMessage);

    auto drawing = MemoryDrawing::create();
    auto standin = std::make_unique<StandinThread>(drawing, progId);
    ASSERT_TRUE(standin->isListening()) << standin->errorString().toStdString();
    EXPECT_TRUE(rot.isRunning(progId));
    EXPECT_EQ(AttachCad(rot, progId).hwnd(), drawing->applicationWindow);

    // A live instance keeps its socket: a second one does not take it over.
    StandinThread second(MemoryDrawing::create(), progId);
    EXPECT_FALSE(second.isListening());
    EXPECT_EQ(AttachCad(rot, progId).hwnd(), drawing->applicationWindow);

    standin.reset();
    EXPECT_FALSE(rot.isRunning(progId));
}

TEST_F(CadRemoteLink, MalformedMessagesGetErrorRepliesAndTheConnectionGoesOn)
{
    RawClient client(standin->progId());
    ASSERT_TRUE(client.isConnected());
    QByteArray validThenMore = request(1, Operation::Get, 0, QStringLiteral("HWND")).toCborValue().toCbor();
    validThenMore += '\0';
    const QCborValue unknownTag(QCborTag(12345), 1);

    struct Case
    {
        const char *what;
        QByteArray payload;
        qint64 id;
        QString message;
    };
    const std::vector<Case> cases{
        {"not CBOR", QByteArray("\xff\xfe\x00garbage", 10), 0, "Malformed message: not one CBOR value."},
        {"bytes after the value", validThenMore, 0, "Malformed message: not one CBOR value."},
        {"arrays nested without end", QByteArray(100000, '\x81') + QByteArray(1, '\0'), 0,
         "Malformed message: not one CBOR value."},
        {"a map", QCborValue(QCborMap{{1, 2}}).toCbor(), 0, "Malformed message: not a request."},
        {"a negative id", QCborValue(QCborArray{-4, 0, 0}).toCbor(), 0, "Malformed message: not a request."},
        {"only an id", QCborValue(QCborArray{7}).toCbor(), 7, "Malformed message: unknown operation."},
        {"an unknown operation", request(8, Operation(9), 0, "HWND").toCborValue().toCbor(), 8,
         "Malformed message: unknown operation."},
        {"a negative handle", request(9, Operation::Get, -1, "HWND").toCborValue().toCbor(), 9,
         "Malformed message: no object handle."},
        {"an unknown handle", request(10, Operation::Get, 12345, "HWND").toCborValue().toCbor(), 10,
         "Unknown object handle."},
        {"no member name", QCborValue(QCborArray{11, 0, 0, 42}).toCbor(), 11, "Malformed message: no member name."},
        {"a put of two values", request(12, Operation::Put, 0, "HWND", {1, 2}).toCborValue().toCbor(), 12,
         "Malformed message: a put takes exactly one value."},
        {"an unknown value tag", request(13, Operation::Call, 0, "ZoomCenter", {unknownTag}).toCborValue().toCbor(),
         13, "Malformed value: an unknown tag."},
        {"arguments that are no list", QCborValue(QCborArray{14, 0, 0, "HWND", 5}).toCbor(), 14,
         "Malformed value: an argument list must be an array."},
        {"a reserved member without its argument",
         request(15, Operation::Call, 0, "MorvexWindow.Restore").toCborValue().toCbor(), 15,
         "Missing argument of window operation."},
    };
    qint64 next = 100;
    for (const Case &c : cases) {
        client.sendBytes(frame(c.payload));
        const QCborArray reply = client.reply();
        ASSERT_EQ(reply.size(), 3) << c.what;
        EXPECT_EQ(reply.at(0).toInteger(), c.id) << c.what;
        EXPECT_EQ(reply.at(1).toInteger(), ReplyError) << c.what;
        EXPECT_EQ(reply.at(2).toString(), c.message) << c.what;
        // The same connection is still served.
        const QCborArray answer = client.ask(request(++next, Operation::Get, 0, "HWND"));
        ASSERT_EQ(answer.size(), 3) << c.what;
        EXPECT_EQ(answer.at(0).toInteger(), next);
        EXPECT_EQ(answer.at(2).taggedValue().toInteger(), drawing->applicationWindow);
    }

    // An empty frame is refused; the frames after it are still found.
    client.sendBytes(QByteArray(4, '\0'));
    const QCborArray empty = client.reply();
    EXPECT_EQ(empty.at(1).toInteger(), ReplyError);
    EXPECT_EQ(empty.at(2).toString(), QStringLiteral("Malformed message: an empty frame."));
    EXPECT_EQ(client.ask(request(1000, Operation::Get, 0, "HWND")).at(0).toInteger(), 1000);
}

TEST_F(CadRemoteLink, BytesWithoutAFrameEndTheirConnectionOnly)
{
    RawClient garbage(standin->progId());
    garbage.sendBytes("hello, this is not a frame at all");
    const QCborArray reply = garbage.reply();
    ASSERT_EQ(reply.size(), 3);
    EXPECT_EQ(reply.at(1).toInteger(), ReplyError);
    EXPECT_TRUE(reply.at(2).toString().startsWith(QStringLiteral("Malformed message: a frame of ")));
    EXPECT_TRUE(garbage.closedByServer());

    RawClient next(standin->progId());
    EXPECT_EQ(next.ask(request(1, Operation::Get, 0, "HWND")).at(2).taggedValue().toInteger(), drawing->applicationWindow);
    EXPECT_EQ(AttachCad(rot, standin->progId()).activeDocument().hwnd(), drawing->documentWindow);
}

// A server that takes requests and never answers, or hangs up on the first.
class UnhelpfulServer
{
public:
    enum Behaviour { NeverAnswer, HangUp };

    UnhelpfulServer(Behaviour behaviour)
        : progId(uniqueProgId("unhelpful"))
    {
        m_context->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
        m_thread.start();
        QMetaObject::invokeMethod(
            m_context,
            [this, behaviour] {
                auto *server = new QLocalServer(m_context);
                QLocalServer::removeServer(socketPathForProgId(progId));
                server->listen(socketPathForProgId(progId));
                QObject::connect(server, &QLocalServer::newConnection, server, [server, behaviour] {
                    QLocalSocket *socket = server->nextPendingConnection();
                    QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, behaviour] {
                        socket->readAll();
                        if (behaviour == HangUp)
                            socket->abort();
                    });
                });
            },
            Qt::BlockingQueuedConnection);
    }
    ~UnhelpfulServer()
    {
        m_thread.quit();
        m_thread.wait();
    }

    const std::u16string progId;

private:
    QThread m_thread;
    QObject *m_context = new QObject;
};

TEST(CadRemoteDeadServer, AServerThatHangsUpMidCallGivesACadError)
{
    UnhelpfulServer server(UnhelpfulServer::HangUp);
    SocketRunningObjectTable rot;
    const ObjectRef app = rot.getActiveObject(server.progId);
    EXPECT_EQ(errorOf([&] { app->get(u"HWND"); }), ConnectionLostMessage);
    // Later calls fail at once with the same message; nothing waits.
    EXPECT_EQ(errorOf([&] { app->call(u"ZoomCenter"); }), ConnectionLostMessage);
    EXPECT_TRUE(failsAsLostLink([&] { app->call(u"ZoomCenter"); }));
    EXPECT_EQ(rot.lastAttached(), nullptr);
}

TEST(CadRemoteDeadServer, AServerThatDoesNotAnswerInTimeGivesACadError)
{
    UnhelpfulServer server(UnhelpfulServer::NeverAnswer);
    ConnectionOptions options;
    options.callTimeout = std::chrono::milliseconds(200);
    int pumped = 0;
    options.whileWaiting = [&pumped] { ++pumped; };
    SocketRunningObjectTable rot(options);
    const ObjectRef app = rot.getActiveObject(server.progId);
    EXPECT_EQ(errorOf([&] { app->get(u"HWND"); }), NoAnswerMessage);
    EXPECT_GT(pumped, 0); // the caller's pump ran while the call waited
    // The link is given up; later calls fail at once, telling the same reason.
    QElapsedTimer took;
    took.start();
    EXPECT_EQ(errorOf([&] { app->get(u"HWND"); }), NoAnswerMessage);
    EXPECT_LT(took.elapsed(), 200);
    EXPECT_TRUE(failsAsLostLink([&] { app->get(u"HWND"); }));
}

TEST_F(CadRemoteLink, CallsAnsweredAtOnceDoNotTurnTheCallersPump)
{
    // The pump is for a call that waits (a pick): a long command's own pump
    // yields between its items, and 100,000 calls would otherwise turn it
    // 100,000 times.
    int pumped = 0;
    ConnectionOptions options;
    options.whileWaiting = [&pumped] { ++pumped; };
    SocketRunningObjectTable pumpingRot(options);
    const Application app = AttachCad(pumpingRot, standin->progId());
    constexpr int Calls = 200;
    for (int i = 0; i < Calls; ++i)
        ASSERT_EQ(app.hwnd(), drawing->applicationWindow);
    // A call the stand-in's thread answers only after a slice of 50 ms (a
    // busy machine) may turn it; nearly all are answered at once.
    EXPECT_LT(pumped, Calls / 10);
}

TEST_F(CadRemoteLink, AStandinEndingDuringAPickGivesTheWaitingClientACadError)
{
    PickOutcome outcome;
    const auto client = pickOnAnotherClient(outcome);
    ASSERT_TRUE(eventually([&] { return pickPending(); }));
    standin->stop();
    client->wait();
    EXPECT_EQ(outcome.error, ConnectionLostMessage);
    EXPECT_FALSE(rot.isRunning(standin->progId()));
}

TEST_F(CadRemoteLink, APickBlocksOnlyTheClientThatAskedForIt)
{
    // The user takes longer than any normal call may: a pick has no time limit.
    ConnectionOptions impatient;
    impatient.callTimeout = std::chrono::milliseconds(500);
    PickOutcome outcome;
    const auto client = pickOnAnotherClient(outcome, impatient);
    ASSERT_TRUE(eventually([&] { return pickPending(); }));
    QThread::msleep(1500);

    // Another tool is served meanwhile, but may not start a second pick.
    const Application app = AttachCad(rot, standin->progId());
    const Document doc = app.activeDocument();
    EXPECT_EQ(doc.handleToObject(handleToString(text)).textString(), u"ＡＢＣ");
    const SelectionSet mine = doc.selectionSets().add(u"B");
    EXPECT_EQ(errorOf([&] { mine.selectOnScreen({}); }), u"Another pick is in progress.");
    EXPECT_TRUE(pickPending());

    // The script answers the waiting pick.
    app.object()->callWith(member::TestScriptPick, {std::vector<Variant>{handleToString(text)}});
    client->wait();
    EXPECT_EQ(outcome.error, u"");
    EXPECT_EQ(outcome.count, 1);
    EXPECT_FALSE(pickPending());
}

TEST_F(CadRemoteLink, EscapeFromTheToolCancelsThePendingPick)
{
    PickOutcome outcome;
    const auto client = pickOnAnotherClient(outcome);
    ASSERT_TRUE(eventually([&] { return pickPending(); }));

    const Application app = AttachCad(rot, standin->progId());
    RemoteCadWindowSystem windows(rot, nullptr);
    ActivateCad(app, windows, 0x77, {false, true, true});
    client->wait();
    EXPECT_EQ(outcome.error, u"The selection was cancelled.");
    EXPECT_FALSE(pickPending());
}

TEST_F(CadRemoteLink, AClientGoingAwayDuringItsPickEndsThePick)
{
    RawClient raw(standin->progId());
    const QCborArray docReply = raw.ask(request(1, Operation::Get, 0, "ActiveDocument"));
    const qint64 docHandle = docReply.at(2).taggedValue().toInteger();
    const qint64 setsHandle = raw.ask(request(2, Operation::Get, docHandle, "SelectionSets")).at(2).taggedValue().toInteger();
    const qint64 setHandle =
        raw.ask(request(3, Operation::Call, setsHandle, "Add", {QStringLiteral("RAW")})).at(2).taggedValue().toInteger();
    raw.send(request(4, Operation::Call, setHandle, "SelectOnScreen"));
    ASSERT_TRUE(eventually([&] { return pickPending(); }));
    raw.abort();
    ASSERT_TRUE(eventually([&] { return !pickPending(); }));

    // The next pick is a fresh one.
    const Application app = AttachCad(rot, standin->progId());
    app.object()->callWith(member::TestScriptPick, {std::vector<Variant>{handleToString(text)}});
    const SelectionSet set = app.activeDocument().selectionSets().add(u"NEXT");
    set.selectOnScreen({});
    EXPECT_EQ(set.count(), 1);
}

// A tool that goes away in the middle of a command leaves the drawing with
// no open undo group and none of its selection sets: the CAD's undo then
// takes back the unfinished command as one step, and the steps before it.
TEST_F(CadRemoteLink, AClientGoingAwayMidCommandEndsItsUndoGroupsAndDeletesItsSets)
{
    const Handle other = drawing->addText(u"DEF", {5, 2, 0});
    enum Departure { Killed, TimedOut, KilledInANestedGroup };
    const struct
    {
        const char *name;
        Departure departure;
    } cases[] = {
        {"killed", Killed},
        {"a call timed out", TimedOut},
        {"killed inside a nested group", KilledInANestedGroup},
    };
    auto drawingState = [&] {
        return standin->read<std::tuple<int, bool, bool>>([](standin::CadServer &s) {
            return std::tuple{s.drawing()->undoDepth(), s.drawing()->hasSelectionSet(u"SSTEMP"),
                              s.drawing()->hasSelectionSet(u"KEEP")};
        });
    };
    auto textOf = [&](Handle h) {
        return standin->read<std::u16string>([h](standin::CadServer &s) { return s.drawing()->entity(h)->text; });
    };
    auto undo = [&] { return standin->read<bool>([](standin::CadServer &s) { return s.drawing()->undo(); }); };

    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // A finished command of another tool, and a set it keeps.
        const Application keeper = AttachCad(rot, standin->progId());
        const Document keeperDoc = keeper.activeDocument();
        keeperDoc.startUndoMark();
        keeperDoc.handleToObject(handleToString(text)).setTextString(u"one");
        keeperDoc.endUndoMark();
        const SelectionSet kept = keeperDoc.selectionSets().add(u"KEEP");

        {
            ConnectionOptions options;
            options.callTimeout = std::chrono::milliseconds(200);
            SocketRunningObjectTable toolRot(options);
            const Document doc = AttachCad(toolRot, standin->progId()).activeDocument();
            doc.startUndoMark();
            if (c.departure == KilledInANestedGroup)
                doc.startUndoMark();
            doc.handleToObject(handleToString(text)).setTextString(u"two");
            doc.handleToObject(handleToString(other)).setTextString(u"two too");
            doc.selectionSets().add(u"SSTEMP");
            if (c.departure == TimedOut) {
                keeper.object()->callWith(member::TestStallNextCall, {u"Regen"});
                EXPECT_EQ(errorOf([&] { doc.regen(); }), NoAnswerMessage);
            }
            // Leaving the scope drops the connection as a killed tool's ends.
        }
        ASSERT_TRUE(eventually([&] { return std::get<0>(drawingState()) == 0; })) << "the group stays open";
        EXPECT_EQ(drawingState(), std::tuple(0, false, true));

        ASSERT_TRUE(undo());
        EXPECT_EQ(textOf(text), u"one");
        EXPECT_EQ(textOf(other), u"DEF");
        ASSERT_TRUE(undo());
        EXPECT_EQ(textOf(text), u"ＡＢＣ");
        EXPECT_FALSE(undo());
        // A call the CAD refuses is no lost link: the command may go on.
        EXPECT_FALSE(failsAsLostLink([&] { keeperDoc.handleToObject(u"FFFFF"); }));
        kept.erase();
    }
}

} // namespace
