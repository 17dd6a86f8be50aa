#include "cadserver.h"

#include "peercredentials.h"

#include "serverconnection.h"

#include "cad/caderror.h"
#include "cad/remote/socketdirectory.h"
#include "cad/remote/variantcodec.h"
#include "cad/ustring.h"

#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>

namespace standin {

using namespace cad;
using namespace cad::remote;

namespace {

constexpr int LiveInstanceProbeMs = 500;
// The program's own command: the document saves its file.
constexpr std::u16string_view SaveMember = u"MorvexCad.Save";

bool startsWith(std::u16string_view text, std::u16string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

const Variant &argument(const std::vector<Variant> &args, size_t i, std::u16string_view member)
{
    if (i >= args.size())
        throw CadError(u"Missing argument of " + std::u16string(member) + u".");
    return args[i];
}

Handle entityHandle(const Variant &text)
{
    const Handle handle = handleFromString(text.toString());
    if (handle == 0)
        throw CadError(u"Not a handle: " + text.toString());
    return handle;
}

} // namespace

// The pick in progress: its answer once it comes, and the loop that waits for it.
struct CadServer::PendingPick
{
    std::optional<PickResult> result;
    QEventLoop *loop = nullptr;
    PickHandler *handler = nullptr;

    void finish(const PickResult &answer)
    {
        if (result)
            return;
        result = answer;
        if (loop)
            loop->quit();
    }
};

CadServer::CadServer(std::shared_ptr<MemoryDrawing> drawing, QObject *parent)
    : QObject(parent)
    , m_drawing(std::move(drawing))
    , m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &CadServer::acceptConnections);
    m_drawing->setPicker([self = QPointer<CadServer>(this)](const PickRequest &request) {
        if (!self)
            return PickResult{true, {}, {}};
        return self->runPick(request);
    });
}

CadServer::~CadServer()
{
    const bool picking = isPickPending();
    cancelPick();
    close();
    // A pick still on the stack keeps calling the picker on its way out.
    if (!picking)
        m_drawing->setPicker(nullptr);
}

bool CadServer::listen(const std::u16string &progId)
{
    QString path;
    try {
        path = socketPathForProgId(progId);
    } catch (const CadError &e) {
        m_errorString = toQString(e.message());
        return false;
    }
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(LiveInstanceProbeMs)) {
        probe.abort();
        m_errorString = QStringLiteral("Another stand-in CAD already serves %1.").arg(toQString(progId));
        return false;
    }
    // The socket file of a killed instance would make listen fail.
    QLocalServer::removeServer(path);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        m_errorString = m_server->errorString();
        return false;
    }
    return true;
}

void CadServer::close()
{
    m_server->close();
    // A connection leaves the list when it finishes: walk a list of our own.
    const QList<QPointer<ServerConnection>> connections = std::exchange(m_connections, {});
    for (const QPointer<ServerConnection> &connection : connections) {
        if (connection)
            connection->shutdown();
    }
}

bool CadServer::isListening() const
{
    return m_server->isListening();
}

QString CadServer::socketPath() const
{
    return m_server->fullServerName();
}

int CadServer::connectionCount() const
{
    return int(std::count_if(m_connections.begin(), m_connections.end(),
                             [](const QPointer<ServerConnection> &c) { return c && c->isOpen(); }));
}

int CadServer::objectHandleCount() const
{
    int count = 0;
    for (const QPointer<ServerConnection> &c : m_connections) {
        if (c && c->isOpen())
            count += c->objectCount();
    }
    return count;
}

void CadServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        if (!peerIsThisUser(socket->socketDescriptor())) {
            // Another user's process: no answer at all, not even an error.
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto *connection = new ServerConnection(socket, this);
        m_connections.append(connection);
        connect(connection, &ServerConnection::finished, this, [this](ServerConnection *finished) {
            m_connections.removeAll(finished);
        });
    }
}

PickResult CadServer::runPick(const PickRequest &request)
{
    if (m_pendingPick)
        throw CadError(u"Another pick is in progress.");
    PickHandler *handler = (m_scripted.hasScript() || !m_pickHandler) ? &m_scripted : m_pickHandler;
    const auto pick = std::make_shared<PendingPick>();
    pick->handler = handler;
    m_pendingPick = pick;
    emit pickPendingChanged(true);

    const QPointer<CadServer> self(this);
    handler->beginPick(request, [pick](const PickResult &result) { pick->finish(result); });
    if (!pick->result) {
        QEventLoop loop;
        pick->loop = &loop;
        loop.exec();
        pick->loop = nullptr;
    }
    // The server may have gone while the pick waited; the pick then ends cancelled.
    if (self && m_pendingPick == pick) {
        m_pendingPick.reset();
        emit pickPendingChanged(false);
    }
    return pick->result.value_or(PickResult{true, {}, {}});
}

void CadServer::cancelPick()
{
    const std::shared_ptr<PendingPick> pick = m_pendingPick;
    if (!pick)
        return;
    pick->handler->cancelPick();
    pick->finish(PickResult{true, {}, {}});
}

bool CadServer::takeStall(std::u16string_view member)
{
    if (m_stalledMember.empty() || !equalsIgnoreAsciiCase(member, m_stalledMember))
        return false;
    m_stalledMember.clear();
    return true;
}

bool CadServer::isReservedMember(std::u16string_view member)
{
    return startsWith(member, u"MorvexWindow.") || startsWith(member, u"MorvexTest.")
        || startsWith(member, SaveMember);
}

Variant CadServer::callReserved(std::u16string_view member, const std::vector<Variant> &args)
{
    if (startsWith(member, u"MorvexWindow."))
        return callWindowMember(member, args);
    if (equalsIgnoreAsciiCase(member, SaveMember)) {
        if (!m_save)
            throw CadError(u"This CAD has no file to save to.");
        m_save();
        return {};
    }
    return callTestMember(member, args);
}

WindowHandle CadServer::ownWindow(const std::vector<Variant> &args) const
{
    const WindowHandle window = argument(args, 0, u"window operation").toInt64();
    if (window != m_drawing->applicationWindow && window != m_drawing->documentWindow)
        throw CadError(u"Not a window of this CAD.");
    return window;
}

Variant CadServer::callWindowMember(std::u16string_view m, const std::vector<Variant> &args)
{
    auto is = [m](std::u16string_view name) { return equalsIgnoreAsciiCase(m, name); };
    if (is(member::WindowIsActive))
        return m_window ? m_window->isActive() : m_activatedWithoutWindow;
    if (is(member::WindowPressEscape)) {
        cancelPick();
        if (m_window)
            m_window->pressEscape();
        return {};
    }
    if (is(member::WindowIsIconic)) {
        ownWindow(args);
        return m_window && m_window->isMinimized();
    }
    if (is(member::WindowRestore)) {
        ownWindow(args);
        if (m_window)
            m_window->restore();
        return {};
    }
    if (is(member::WindowMinimize)) {
        ownWindow(args);
        m_activatedWithoutWindow = false;
        if (m_window)
            m_window->minimize();
        return {};
    }
    if (is(member::WindowActivate)) {
        ownWindow(args);
        m_activatedWithoutWindow = true;
        if (m_window)
            m_window->activate();
        return {};
    }
    if (is(member::WindowDrawPolyline)) {
        ownWindow(args);
        MarkerPen pen;
        pen.width = argument(args, 1, m).toInt32();
        pen.red = uint8_t(argument(args, 2, m).toInt32());
        pen.green = uint8_t(argument(args, 3, m).toInt32());
        pen.blue = uint8_t(argument(args, 4, m).toInt32());
        pen.xorMode = argument(args, 5, m).toBool();
        const std::vector<Variant> &coordinates = argument(args, 6, m).toVariantArray();
        if (coordinates.size() % 2 != 0)
            throw CadError(u"A polyline needs x and y for every point.");
        std::vector<ScreenPoint> points;
        for (size_t i = 0; i < coordinates.size(); i += 2)
            points.push_back({coordinates[i].toInt32(), coordinates[i + 1].toInt32()});
        if (m_window)
            m_window->drawMarker(pen, points);
        return {};
    }
    throw CadError(u"Unknown name: Application." + std::u16string(m));
}

Variant CadServer::callTestMember(std::u16string_view m, const std::vector<Variant> &args)
{
    auto is = [m](std::u16string_view name) { return equalsIgnoreAsciiCase(m, name); };
    if (is(member::TestScriptPick)) {
        std::vector<Handle> handles;
        for (const Variant &text : argument(args, 0, m).toVariantArray())
            handles.push_back(entityHandle(text));
        m_scripted.scriptPick(std::move(handles));
        return {};
    }
    if (is(member::TestScriptSubEntityPick)) {
        const Handle handle = entityHandle(argument(args, 0, m));
        m_scripted.scriptSubEntityPick(handle, args.size() > 1 ? toPoint(args[1]) : Point{});
        return {};
    }
    if (is(member::TestScriptCancelledPick)) {
        m_scripted.scriptCancelledPick();
        return {};
    }
    if (is(member::TestIsPickPending))
        return isPickPending();
    if (is(member::TestUndo))
        return m_drawing->undo();
    if (is(member::TestStallNextCall)) {
        m_stalledMember = argument(args, 0, m).toString();
        return {};
    }
    throw CadError(u"Unknown name: Application." + std::u16string(m));
}

} // namespace standin
