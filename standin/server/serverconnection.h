#pragma once
// One tool connected to the stand-in: reads framed requests from its
// socket, calls the drawing's dispatch objects, and writes a result or an
// error text for each. The objects it returned are kept in a handle table
// of this connection until the tool releases them or disconnects.
//
// Requests of one connection are answered in order: while one waits for a
// pick, later ones of the same connection stay queued.

#include "cad/remote/remoteprotocol.h"
#include "cad/remote/variantcodec.h"

#include "cad/memory/memorydrawing.h"

#include <QCborArray>
#include <QObject>
#include <QPointer>

#include <map>
#include <optional>

class QLocalSocket;

namespace standin {

class CadServer;

class ServerConnection : public QObject
{
    Q_OBJECT

public:
    // Takes over the socket.
    ServerConnection(QLocalSocket *socket, CadServer *server);
    ~ServerConnection() override;

    // Closes the connection; it deletes itself once no call of it runs.
    void shutdown();
    bool isOpen() const { return !m_closed; }
    // Objects the tool holds handles of (the application object not counted).
    int objectCount() const { return int(m_objects.size()); }

signals:
    void finished(ServerConnection *connection);

private:
    void readMessages();
    void socketDisconnected();
    void finishIfClosed();
    // The reply to one frame's content; nothing for a release.
    std::optional<QCborArray> answer(const QByteArray &data);
    cad::Variant perform(cad::remote::Operation op, cad::remote::ObjectHandle object, std::u16string_view member,
                         std::vector<cad::Variant> &args, bool &argsWritten);
    cad::DispatchObject &object(cad::remote::ObjectHandle handle);
    cad::remote::ObjectHandle keep(const cad::ObjectRef &object);
    void send(const QCborArray &reply);

    QLocalSocket *m_socket;
    QPointer<CadServer> m_server;
    std::shared_ptr<cad::MemoryDrawing> m_drawing;
    cad::ObjectRef m_application;
    std::map<cad::remote::ObjectHandle, cad::ObjectRef> m_objects;
    cad::remote::ObjectHandle m_nextHandle = cad::remote::RootObject + 1;
    cad::remote::VariantCodec m_codec;
    QByteArray m_buffer;
    bool m_busy = false;
    bool m_closed = false;
};

} // namespace standin
