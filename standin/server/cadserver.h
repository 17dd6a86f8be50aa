#pragma once
// The stand-in CAD's end of the socket link: it listens on the socket of a
// ProgID in the per-user socket folder, accepts any number of tools, and
// answers their calls with the dispatch objects of one in-memory drawing
// (its application object is each connection's root object).
//
// A pick (SelectOnScreen, GetSubEntity) is handed to a pick handler and
// waits in a nested event loop: the asking connection waits for its reply,
// every other connection keeps being served. One pick runs at a time; a
// second one while it is pending fails.
//
// The application object also answers reserved members (see
// cad/remote/remoteprotocol.h): the "MorvexWindow." window operations and
// the "MorvexTest." hooks of end-to-end tests, and the "MorvexCad." commands
// of the program around the server (MorvexCad.Save: the document saves its
// file; answered by the handler set with setSaveHandler).

#include "cadwindowcontrol.h"
#include "scriptedpickhandler.h"

#include "cad/memory/memorydrawing.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QLocalServer;

namespace standin {

class ServerConnection;

class CadServer : public QObject
{
    Q_OBJECT

public:
    explicit CadServer(std::shared_ptr<cad::MemoryDrawing> drawing, QObject *parent = nullptr);
    ~CadServer() override;

    // Listens on the ProgID's socket. The socket a dead instance left behind
    // is replaced; one where a stand-in still answers is left alone and
    // listen fails. See errorString() on failure.
    bool listen(const std::u16string &progId);
    // Stops listening and ends every connection.
    void close();
    bool isListening() const;
    QString socketPath() const;
    QString errorString() const { return m_errorString; }
    int connectionCount() const;
    // Object handles the open connections hold, all together.
    int objectHandleCount() const;

    const std::shared_ptr<cad::MemoryDrawing> &drawing() const { return m_drawing; }

    // The interactive picks (the viewer). Without one, picks wait for
    // scripted ones. Scripted picks, while queued, come first either way.
    void setPickHandler(PickHandler *handler) { m_pickHandler = handler; }
    ScriptedPickHandler &scriptedPicks() { return m_scripted; }
    void setWindowControl(CadWindowControl *control) { m_window = control; }
    // Saves the drawing to its file for MorvexCad.Save; throws CadError
    // with the reason when it cannot. Without one, MorvexCad.Save fails.
    void setSaveHandler(std::function<void()> save) { m_save = std::move(save); }

    bool isPickPending() const { return bool(m_pendingPick); }
    // Ends the pending pick as cancelled (Escape in the CAD).
    void cancelPick();

    // Whether a call of the member is to go unanswered (MorvexTest.StallNextCall);
    // it then no longer is.
    bool takeStall(std::u16string_view member);

    static bool isReservedMember(std::u16string_view member);
    // Answers a reserved member of the application object; throws CadError.
    cad::Variant callReserved(std::u16string_view member, const std::vector<cad::Variant> &args);

signals:
    // A pick started or ended (the viewer may show a prompt).
    void pickPendingChanged(bool pending);

private:
    struct PendingPick;

    void acceptConnections();
    cad::PickResult runPick(const cad::PickRequest &request);
    cad::WindowHandle ownWindow(const std::vector<cad::Variant> &args) const;
    cad::Variant callWindowMember(std::u16string_view member, const std::vector<cad::Variant> &args);
    cad::Variant callTestMember(std::u16string_view member, const std::vector<cad::Variant> &args);

    std::shared_ptr<cad::MemoryDrawing> m_drawing;
    QLocalServer *m_server;
    QList<QPointer<ServerConnection>> m_connections;
    QString m_errorString;

    ScriptedPickHandler m_scripted;
    PickHandler *m_pickHandler = nullptr;
    std::shared_ptr<PendingPick> m_pendingPick;

    CadWindowControl *m_window = nullptr;
    std::function<void()> m_save;
    // Without a window to ask, the CAD counts as in front once the tool
    // brought it there, until it minimises it.
    bool m_activatedWithoutWindow = false;
    std::u16string m_stalledMember;
};

} // namespace standin
