#include "remoteconnection.h"

#include "remoteobject.h"
#include "variantcodec.h"

#include "cad/caderror.h"
#include "cad/ustring.h"
#include "cad/utility.h"

#include <QCborArray>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QScopeGuard>

namespace cad::remote {

namespace {

// How long one wait for data lasts before the caller's pump gets a turn.
constexpr int WaitSliceMs = 50;

} // namespace

RemoteConnection::RemoteConnection(ConnectionOptions options)
    : m_options(std::move(options))
    , m_socket(std::make_unique<QLocalSocket>())
{
}

std::shared_ptr<RemoteConnection> RemoteConnection::connect(const QString &socketPath, ConnectionOptions options)
{
    std::shared_ptr<RemoteConnection> connection(new RemoteConnection(std::move(options)));
    QLocalSocket &socket = *connection->m_socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(int(connection->m_options.connectTimeout.count())))
        throw CadError(CannotConnectMessage);
    return connection;
}

RemoteConnection::~RemoteConnection()
{
    // Closing the socket makes the CAD forget every handle of this connection.
    if (m_socket->state() == QLocalSocket::ConnectedState) {
        m_socket->flush();
        m_socket->abort();
    }
}

bool RemoteConnection::isConnected() const
{
    return m_socket->state() == QLocalSocket::ConnectedState;
}

ObjectRef RemoteConnection::application()
{
    return std::make_shared<RemoteObject>(shared_from_this(), RootObject);
}

Variant RemoteConnection::get(ObjectHandle object, std::u16string_view member, const std::vector<Variant> &args)
{
    return roundTrip(Operation::Get, object, member, args).result;
}

void RemoteConnection::put(ObjectHandle object, std::u16string_view member, const Variant &value)
{
    roundTrip(Operation::Put, object, member, {value});
}

Variant RemoteConnection::call(ObjectHandle object, std::u16string_view member, std::vector<Variant> &args)
{
    Reply reply = roundTrip(Operation::Call, object, member, args);
    if (reply.outArgs)
        args = std::move(*reply.outArgs);
    return std::move(reply.result);
}

void RemoteConnection::release(ObjectHandle object)
{
    if (!isConnected())
        return;
    QCborArray message{0, int(Operation::Release), qint64(object)};
    m_socket->write(frame(message.toCborValue().toCbor()));
    m_socket->flush();
}

RemoteConnection::Reply RemoteConnection::roundTrip(Operation op, ObjectHandle object, std::u16string_view member,
                                                    const std::vector<Variant> &args)
{
    if (!isConnected())
        throwLinkLost();
    // A pump that calls back into the CAD while a call waits would read the
    // waiting call's reply; such a call is refused as a busy CAD refuses it.
    if (m_inCall)
        throw CadError(BusyMessage);
    m_inCall = true;
    const auto leave = qScopeGuard([this] { m_inCall = false; });

    const VariantCodec codec(
        [this](const ObjectRef &ref) -> ObjectHandle {
            const auto *remote = dynamic_cast<const RemoteObject *>(ref.get());
            if (!remote || remote->connection().get() != this)
                throw CadError(u"An object of another CAD connection cannot be passed.");
            return remote->handle();
        },
        [this](ObjectHandle handle) -> ObjectRef {
            return std::make_shared<RemoteObject>(shared_from_this(), handle);
        });

    const quint64 id = m_nextId++;
    const QCborArray request{qint64(id), int(op), qint64(object), toQString(member), codec.encodeList(args)};
    writeFrame(request.toCborValue().toCbor());

    const QCborArray reply = awaitReply(id, op == Operation::Call && isPickMember(member));
    if (reply.at(1).toInteger() == ReplyError)
        throw CadError(fromQString(reply.at(2).toString()));
    Reply out;
    out.result = codec.decode(reply.at(2));
    if (reply.size() > 3)
        out.outArgs = codec.decodeList(reply.at(3));
    return out;
}

QCborArray RemoteConnection::awaitReply(quint64 id, bool withoutTimeLimit)
{
    const QDeadlineTimer deadline = withoutTimeLimit ? QDeadlineTimer(QDeadlineTimer::Forever)
                                                     : QDeadlineTimer(m_options.callTimeout);
    for (;;) {
        // Data may already wait in the socket (read while our request went out).
        m_buffer += m_socket->readAll();
        while (const std::optional<QByteArray> data = takeFrame()) {
            const QCborValue message = QCborValue::fromCbor(*data);
            const QCborArray reply = message.toArray();
            if (reply.size() < 3 || !reply.at(1).isInteger())
                fail(ConnectionLostMessage);
            // Replies to other ids are the CAD's answers to malformed or
            // released messages nobody waits for.
            if (reply.at(0).toInteger() == qint64(id))
                return reply;
        }
        if (!isConnected())
            fail(ConnectionLostMessage);
        if (deadline.hasExpired())
            fail(NoAnswerMessage);
        const int slice = m_options.whileWaiting ? WaitSliceMs
                                                 : int(std::min<qint64>(deadline.remainingTime(), INT_MAX));
        const bool arrived = m_socket->waitForReadyRead(slice < 0 ? -1 : slice);
        if (!arrived && m_socket->state() != QLocalSocket::ConnectedState && m_socket->bytesAvailable() == 0)
            fail(ConnectionLostMessage);
        // The caller's pump runs when a slice passed without an answer: a
        // call answered at once costs no turn of it.
        if (!arrived && m_options.whileWaiting)
            m_options.whileWaiting();
    }
}

std::optional<QByteArray> RemoteConnection::takeFrame()
{
    if (m_buffer.size() < FrameHeaderSize)
        return std::nullopt;
    const quint32 length = frameLength(m_buffer);
    if (length > MaxFrameSize)
        fail(ConnectionLostMessage);
    if (m_buffer.size() < FrameHeaderSize + qsizetype(length))
        return std::nullopt;
    QByteArray data = m_buffer.mid(FrameHeaderSize, length);
    m_buffer.remove(0, FrameHeaderSize + length);
    return data;
}

void RemoteConnection::writeFrame(const QByteArray &cbor)
{
    m_socket->write(frame(cbor));
    while (m_socket->bytesToWrite() > 0) {
        if (!m_socket->waitForBytesWritten(int(m_options.callTimeout.count())))
            fail(m_socket->state() == QLocalSocket::ConnectedState ? NoAnswerMessage : ConnectionLostMessage);
    }
}

void RemoteConnection::fail(const char16_t *message)
{
    // After a lost or late reply the stream is out of step: close it for good.
    m_socket->abort();
    m_buffer.clear();
    m_lostReason = message;
    throwLinkLost();
}

void RemoteConnection::throwLinkLost() const
{
    throw CadError(m_lostReason, CadError::Kind::LinkLost);
}

} // namespace cad::remote
