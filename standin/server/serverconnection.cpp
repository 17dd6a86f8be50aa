#include "serverconnection.h"

#include "cadserver.h"

#include "cad/caderror.h"
#include "cad/ustring.h"

#include <QCborStreamReader>
#include <QLocalSocket>

#include <algorithm>
#include <utility>

namespace standin {

using namespace cad;
using namespace cad::remote;

namespace {

QCborArray errorReply(qint64 id, const std::u16string &message)
{
    return QCborArray{id, ReplyError, toQString(message)};
}

} // namespace

ServerConnection::ServerConnection(QLocalSocket *socket, CadServer *server)
    : m_socket(socket)
    , m_server(server)
    , m_drawing(server->drawing())
    , m_application(m_drawing->application())
    , m_codec([this](const ObjectRef &object) { return keep(object); },
              [this](ObjectHandle handle) {
                  object(handle); // an unknown handle fails here
                  return handle == RootObject ? m_application : m_objects.at(handle);
              })
{
    m_socket->setParent(this);
    connect(m_socket, &QLocalSocket::readyRead, this, &ServerConnection::readMessages);
    connect(m_socket, &QLocalSocket::disconnected, this, &ServerConnection::socketDisconnected);
    // Data may have come with the connection itself.
    readMessages();
}

ServerConnection::~ServerConnection() = default;

void ServerConnection::shutdown()
{
    if (m_busy && !m_closed && m_server)
        m_server->cancelPick();
    m_closed = true;
    m_socket->abort();
    finishIfClosed();
}

void ServerConnection::socketDisconnected()
{
    if (m_closed)
        return;
    m_closed = true;
    // Only a pick lets events in while a call of this connection runs: the
    // tool that asked for it is gone, so nobody waits for the answer.
    if (m_busy && m_server)
        m_server->cancelPick();
    finishIfClosed();
}

void ServerConnection::finishIfClosed()
{
    if (!m_closed || m_busy)
        return;
    closeWhatIsLeftOpen();
    m_objects.clear();
    emit finished(this);
    deleteLater();
}

void ServerConnection::readMessages()
{
    // A pick of this connection waits further down the stack; its frame
    // answers what came meanwhile when it returns.
    if (m_busy || m_closed)
        return;
    m_busy = true;
    while (!m_closed) {
        m_buffer += m_socket->readAll();
        if (m_buffer.size() < FrameHeaderSize)
            break;
        const quint32 length = frameLength(m_buffer);
        if (length == 0) {
            m_buffer.remove(0, FrameHeaderSize);
            send(errorReply(0, u"Malformed message: an empty frame."));
            continue;
        }
        if (length > MaxFrameSize) {
            // Without a sound length the next frame cannot be found: answer, then hang up.
            send(errorReply(0, u"Malformed message: a frame of " + fromQString(QString::number(length))
                                   + u" bytes."));
            m_socket->flush();
            m_socket->disconnectFromServer();
            m_closed = true;
            break;
        }
        if (m_buffer.size() < FrameHeaderSize + qsizetype(length))
            break;
        const QByteArray data = m_buffer.mid(FrameHeaderSize, length);
        m_buffer.remove(0, FrameHeaderSize + length);
        if (m_stalled)
            continue;
        if (const std::optional<QCborArray> reply = answer(data); reply && !m_closed)
            send(*reply);
    }
    m_busy = false;
    finishIfClosed();
}

std::optional<QCborArray> ServerConnection::answer(const QByteArray &data)
{
    QCborStreamReader reader(data);
    const QCborValue message = QCborValue::fromCbor(reader);
    if (reader.lastError() != QCborError::NoError || reader.currentOffset() != data.size())
        return errorReply(0, u"Malformed message: not one CBOR value.");
    const QCborArray request = message.toArray();
    if (!message.isArray() || !request.at(0).isInteger() || request.at(0).toInteger() < 0)
        return errorReply(0, u"Malformed message: not a request.");
    const qint64 id = request.at(0).toInteger();
    try {
        const QCborValue opValue = request.at(1);
        const QCborValue objectValue = request.at(2);
        if (!opValue.isInteger() || opValue.toInteger() < int(Operation::Get)
            || opValue.toInteger() > int(Operation::Release))
            throw CadError(u"Malformed message: unknown operation.");
        if (!objectValue.isInteger() || objectValue.toInteger() < 0)
            throw CadError(u"Malformed message: no object handle.");
        const auto op = Operation(opValue.toInteger());
        const auto handle = ObjectHandle(objectValue.toInteger());
        if (op == Operation::Release) {
            m_objects.erase(handle);
            return std::nullopt;
        }
        if (!request.at(3).isString())
            throw CadError(u"Malformed message: no member name.");
        const std::u16string member = fromQString(request.at(3).toString());
        if (m_server && m_server->takeStall(member)) {
            // A hanging CAD: this call and all after it stay unanswered.
            m_stalled = true;
            return std::nullopt;
        }
        std::vector<Variant> args;
        if (request.size() > 4)
            args = m_codec.decodeList(request.at(4));

        bool argsWritten = false;
        const Variant result = perform(op, handle, member, args, argsWritten);
        QCborArray reply{id, ReplyResult, m_codec.encode(result)};
        if (argsWritten)
            reply.append(m_codec.encodeList(args));
        return reply;
    } catch (const CadError &e) {
        return errorReply(id, e.message());
    } catch (const std::exception &e) {
        return errorReply(id, u"Internal error: " + fromUtf8(e.what()));
    }
}

Variant ServerConnection::perform(Operation op, ObjectHandle handle, std::u16string_view member,
                                  std::vector<Variant> &args, bool &argsWritten)
{
    DispatchObject &target = object(handle);
    switch (op) {
    case Operation::Get:
        return target.get(member, args);
    case Operation::Put:
        if (args.size() != 1)
            throw CadError(u"Malformed message: a put takes exactly one value.");
        target.put(member, args.front());
        return {};
    case Operation::Call:
        if (handle == RootObject && CadServer::isReservedMember(member)) {
            if (!m_server)
                throw CadError(u"The CAD is closing.");
            return m_server->callReserved(member, args);
        } else {
            const std::vector<Variant> before = args;
            // Only SelectionSets.Add and SelectionSet.Delete change the sets;
            // a pick lets other connections in and must not count theirs.
            const bool setsMayChange = equalsIgnoreAsciiCase(member, u"Add") || equalsIgnoreAsciiCase(member, u"Delete");
            const std::vector<std::u16string> setsBefore = setsMayChange ? selectionSetNames()
                                                                         : std::vector<std::u16string>{};
            Variant result = target.call(member, args);
            argsWritten = args != before;
            noteCall(member, setsMayChange ? &setsBefore : nullptr);
            return result;
        }
    case Operation::Release:
        break;
    }
    return {};
}

std::vector<std::u16string> ServerConnection::selectionSetNames() const
{
    std::vector<std::u16string> names;
    for (const MemorySelectionSet &set : m_drawing->selectionSets())
        names.push_back(set.name);
    return names;
}

void ServerConnection::noteCall(std::u16string_view member, const std::vector<std::u16string> *setsBefore)
{
    // Only the document has undo marks; the names are the CAD's own.
    if (equalsIgnoreAsciiCase(member, u"StartUndoMark")) {
        ++m_openUndoGroups;
    } else if (equalsIgnoreAsciiCase(member, u"EndUndoMark")) {
        if (m_openUndoGroups > 0)
            --m_openUndoGroups;
    }
    if (!setsBefore)
        return;
    // Sets come and go by name; a call that added or deleted one shows in
    // the list of names.
    const std::vector<std::u16string> setsAfter = selectionSetNames();
    auto contains = [](const std::vector<std::u16string> &names, const std::u16string &name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (const std::u16string &name : setsAfter) {
        if (!contains(*setsBefore, name))
            m_addedSelectionSets.push_back(name);
    }
    std::erase_if(m_addedSelectionSets, [&](const std::u16string &name) { return !contains(setsAfter, name); });
}

void ServerConnection::closeWhatIsLeftOpen()
{
    for (; m_openUndoGroups > 0; --m_openUndoGroups)
        m_drawing->endUndoMark();
    for (const std::u16string &name : std::exchange(m_addedSelectionSets, {})) {
        try {
            m_drawing->deleteSelectionSet(name);
        } catch (const CadError &) {
            // Gone already.
        }
    }
}

DispatchObject &ServerConnection::object(ObjectHandle handle)
{
    if (handle == RootObject)
        return *m_application;
    const auto it = m_objects.find(handle);
    if (it == m_objects.end())
        throw CadError(u"Unknown object handle.");
    return *it->second;
}

ObjectHandle ServerConnection::keep(const ObjectRef &object)
{
    const ObjectHandle handle = m_nextHandle++;
    m_objects[handle] = object;
    return handle;
}

void ServerConnection::send(const QCborArray &reply)
{
    m_socket->write(frame(reply.toCborValue().toCbor()));
}

} // namespace standin
