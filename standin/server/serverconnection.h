#pragma once
// One tool connected to the stand-in: reads framed requests from its
// socket, calls the drawing's dispatch objects, and writes a result or an
// error text for each. The objects it returned are kept in a handle table
// of this connection until the tool releases them or disconnects.
//
// Requests of one connection are answered in order: while one waits for a
// pick, later ones of the same connection stay queued.
//
// A tool that goes away in the middle of a command (killed, or given up on
// a call that took too long) leaves nothing open in the drawing: the undo
// groups it started and did not end are ended, so that the CAD's undo takes
// back what it did as one step, and the selection sets it added and did not
// delete are deleted.

#include "cad/remote/remoteprotocol.h"
#include "cad/remote/variantcodec.h"

#include "cad/memory/memorydrawing.h"

#include <QCborArray>
#include <QObject>
#include <QPointer>

#include <map>
#include <optional>
#include <string>
#include <vector>

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
    // Undo groups this connection started and has not ended.
    int openUndoGroups() const { return m_openUndoGroups; }

signals:
    void finished(ServerConnection *connection);

private:
    void readMessages();
    void socketDisconnected();
    void finishIfClosed();
    // Ends what the tool left open when it went away.
    void closeWhatIsLeftOpen();
    // Notes the undo groups and selection sets a call opened or closed
    // (setsBefore: the names before a call that may add or delete one).
    void noteCall(std::u16string_view member, const std::vector<std::u16string> *setsBefore);
    std::vector<std::u16string> selectionSetNames() const;
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
    bool m_stalled = false; // a test's hanging CAD: no more answers
    int m_openUndoGroups = 0;
    std::vector<std::u16string> m_addedSelectionSets;
};

} // namespace standin
