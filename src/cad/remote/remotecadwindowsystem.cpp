#include "remotecadwindowsystem.h"

#include "remoteprotocol.h"

#include "cad/caderror.h"

#include <QThread>

namespace cad::remote {

RemoteCadWindowSystem::RemoteCadWindowSystem(const SocketRunningObjectTable &rot, WindowSystem *local)
    : m_rot(rot)
    , m_local(local)
{
}

ObjectRef RemoteCadWindowSystem::cadOwning(WindowHandle window) const
{
    ObjectRef app = m_rot.lastAttached();
    if (!app || window == 0)
        return nullptr;
    try {
        if (app->get(u"HWND").toInt64() == window)
            return app;
        const ObjectRef doc = app->get(u"ActiveDocument").toObject();
        if (doc && doc->get(u"HWND").toInt64() == window)
            return app;
    } catch (const CadError &) {
        // A CAD that does not answer owns no window we could reach.
    }
    return nullptr;
}

ObjectRef RemoteCadWindowSystem::activeCad() const
{
    ObjectRef app = m_rot.lastAttached();
    if (!app)
        return nullptr;
    try {
        if (app->call(member::WindowIsActive).toBool())
            return app;
    } catch (const CadError &) {
    }
    return nullptr;
}

bool RemoteCadWindowSystem::topLevelWindowTitled(const std::u16string &title)
{
    return m_local && m_local->topLevelWindowTitled(title);
}

bool RemoteCadWindowSystem::isIconic(WindowHandle window)
{
    if (const ObjectRef cad = cadOwning(window))
        return cad->callWith(member::WindowIsIconic, {window}).toBool();
    return m_local && m_local->isIconic(window);
}

void RemoteCadWindowSystem::openIcon(WindowHandle window)
{
    if (const ObjectRef cad = cadOwning(window))
        cad->callWith(member::WindowRestore, {window});
    else if (m_local)
        m_local->openIcon(window);
}

void RemoteCadWindowSystem::sleep(int milliseconds)
{
    if (m_local)
        m_local->sleep(milliseconds);
    else
        QThread::msleep(ulong(std::max(0, milliseconds)));
}

void RemoteCadWindowSystem::minimizeWindow(WindowHandle window)
{
    if (const ObjectRef cad = cadOwning(window))
        cad->callWith(member::WindowMinimize, {window});
    else if (m_local)
        m_local->minimizeWindow(window);
}

void RemoteCadWindowSystem::showNormal(WindowHandle window)
{
    if (const ObjectRef cad = cadOwning(window))
        cad->callWith(member::WindowRestore, {window});
    else if (m_local)
        m_local->showNormal(window);
}

void RemoteCadWindowSystem::setForegroundWindow(WindowHandle window)
{
    if (const ObjectRef cad = cadOwning(window))
        cad->callWith(member::WindowActivate, {window});
    else if (m_local)
        m_local->setForegroundWindow(window);
}

WindowHandle RemoteCadWindowSystem::foregroundWindow()
{
    if (const ObjectRef cad = activeCad()) {
        try {
            return cad->get(u"HWND").toInt64();
        } catch (const CadError &) {
        }
    }
    return m_local ? m_local->foregroundWindow() : 0;
}

void RemoteCadWindowSystem::pressEscape()
{
    if (const ObjectRef cad = activeCad())
        cad->call(member::WindowPressEscape);
    else if (m_local)
        m_local->pressEscape();
}

ThreadId RemoteCadWindowSystem::windowThread(WindowHandle window)
{
    if (cadOwning(window))
        return CadThread;
    return m_local ? m_local->windowThread(window) : 0;
}

void RemoteCadWindowSystem::attachThreadInput(ThreadId from, ThreadId to, bool attach)
{
    if (m_local && from != CadThread && to != CadThread)
        m_local->attachThreadInput(from, to, attach);
}

void RemoteCadWindowSystem::bringWindowToTop(WindowHandle window)
{
    if (const ObjectRef cad = cadOwning(window))
        cad->callWith(member::WindowActivate, {window});
    else if (m_local)
        m_local->bringWindowToTop(window);
}

void RemoteCadWindowSystem::drawPolyline(WindowHandle window, const MarkerPen &pen,
                                         const std::vector<ScreenPoint> &points)
{
    const ObjectRef cad = cadOwning(window);
    if (!cad) {
        if (m_local)
            m_local->drawPolyline(window, pen, points);
        return;
    }
    std::vector<Variant> coordinates;
    for (const ScreenPoint &p : points) {
        coordinates.emplace_back(int32_t(p.x));
        coordinates.emplace_back(int32_t(p.y));
    }
    cad->callWith(member::WindowDrawPolyline,
                  {window, int32_t(pen.width), int32_t(pen.red), int32_t(pen.green), int32_t(pen.blue),
                   pen.xorMode, Variant(std::move(coordinates))});
}

} // namespace cad::remote
