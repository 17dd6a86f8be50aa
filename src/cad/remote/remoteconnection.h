#pragma once
// The tool's end of one socket connection to a stand-in CAD. Calls are
// synchronous, as automation calls are: a request goes out and the caller
// waits for its reply. A normal call waits at most callTimeout; a pick
// (SelectOnScreen, GetSubEntity) waits as long as the user takes, for as
// long as the CAD lives. A CAD that goes away, or does not answer in time,
// turns into a CadError of a lost link and the connection stays closed;
// later calls fail at once with the same reason.
//
// A connection belongs to the thread that made it; its proxies are used
// from that thread only. It lives as long as any proxy of it does.

#include "remoteprotocol.h"

#include "cad/caderror.h"
#include "cad/dispatchobject.h"

#include <QCborValue>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QLocalSocket;

namespace cad::remote {

// How long a call other than a pick waits for the CAD's answer.
inline constexpr std::chrono::milliseconds CallTimeout{30000};

struct ConnectionOptions
{
    std::chrono::milliseconds connectTimeout{2000};
    // Tests set a short one against a CAD that does not answer.
    std::chrono::milliseconds callTimeout{CallTimeout};
    // Called every few dozen milliseconds while a call waits, so that the
    // caller's window can repaint (the message pump); a call answered
    // within that time does not call it. It must not call into the same
    // connection: such a call fails as the CAD being busy.
    std::function<void()> whileWaiting;
};

// The system's messages for a link that failed.
inline constexpr char16_t ConnectionLostMessage[] = u"CAD との接続が切れました．";
using cad::NoAnswerMessage;
inline constexpr char16_t CannotConnectMessage[] = u"CAD に接続できません．";
inline constexpr char16_t BusyMessage[] = u"CAD は別の呼び出しを処理中です．";

class RemoteConnection : public std::enable_shared_from_this<RemoteConnection>
{
public:
    // Connects to the stand-in listening at socketPath; throws CadError
    // when none answers there.
    static std::shared_ptr<RemoteConnection> connect(const QString &socketPath, ConnectionOptions options = {});
    ~RemoteConnection();
    RemoteConnection(const RemoteConnection &) = delete;
    RemoteConnection &operator=(const RemoteConnection &) = delete;

    bool isConnected() const;
    // The CAD's application object.
    ObjectRef application();

    Variant get(ObjectHandle object, std::u16string_view member, const std::vector<Variant> &args);
    void put(ObjectHandle object, std::u16string_view member, const Variant &value);
    Variant call(ObjectHandle object, std::u16string_view member, std::vector<Variant> &args);
    // Tells the CAD the handle is no longer used; never waits.
    void release(ObjectHandle object);

private:
    explicit RemoteConnection(ConnectionOptions options);

    struct Reply
    {
        Variant result;
        std::optional<std::vector<Variant>> outArgs;
    };
    Reply roundTrip(Operation op, ObjectHandle object, std::u16string_view member,
                    const std::vector<Variant> &args);
    QCborArray awaitReply(quint64 id, bool withoutTimeLimit);
    // A complete frame from the buffer, if one has arrived.
    std::optional<QByteArray> takeFrame();
    void writeFrame(const QByteArray &cbor);
    [[noreturn]] void fail(const char16_t *message);
    [[noreturn]] void throwLinkLost() const;

    ConnectionOptions m_options;
    std::unique_ptr<QLocalSocket> m_socket;
    QByteArray m_buffer;
    quint64 m_nextId = 1;
    bool m_inCall = false;
    // Why the link ended: every later call fails with the same reason.
    const char16_t *m_lostReason = ConnectionLostMessage;
};

} // namespace cad::remote
