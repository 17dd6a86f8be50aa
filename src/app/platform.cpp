#include "platform.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#ifdef _WIN32

#include "cad/com/comrunningobjecttable.h"
#include "cad/com/tmessagefilter.h"
#include "cad/com/win32clipboard.h"
#include "cad/com/win32inputmethod.h"
#include "cad/com/win32instancemarker.h"
#include "cad/com/win32shell.h"
#include "cad/com/win32windowsystem.h"
#include "form/inputmethod.h"
#include "grid/clipboardtext.h"

#include <optional>

namespace {

const std::u16string MainWindowClass = u"TMorvMainForm";

// Win32 for every window; our own main window is minimised and restored
// through Qt, which keeps its idea of the window's state right.
class WindowsWindowSystem : public cad::com::Win32WindowSystem
{
public:
    void setMainWindow(QWidget *window) { m_mainWindow = window; }

    void minimizeWindow(cad::WindowHandle window) override
    {
        if (isMain(window))
            m_mainWindow->showMinimized();
        else
            Win32WindowSystem::minimizeWindow(window);
    }
    void showNormal(cad::WindowHandle window) override
    {
        if (isMain(window))
            m_mainWindow->showNormal();
        else
            Win32WindowSystem::showNormal(window);
    }
    cad::WindowHandle mainWindow() const
    {
        return m_mainWindow ? cad::WindowHandle(m_mainWindow->winId()) : 0;
    }

private:
    bool isMain(cad::WindowHandle window) const { return m_mainWindow && window == mainWindow(); }

    QPointer<QWidget> m_mainWindow;
};

// Text the tool copied itself comes back from Qt as it was put; text of
// another program is read from the clipboard as that program put it
// there, CR LF and all.
QString gridClipboardText()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->ownsClipboard())
        return clipboard->text();
    if (const auto text = cad::com::clipboardUnicodeText())
        return QString::fromStdU16String(*text);
    return clipboard->text();
}

} // namespace

struct Platform::Backend
{
    std::optional<cad::com::Win32InstanceMarker> marker;
    cad::com::ComRunningObjectTable runningObjects;
    WindowsWindowSystem windows;
};

bool Platform::claimSingleInstance()
{
    if (cad::com::Win32InstanceMarker::exists(MainWindowClass))
        return false;
    m_backend->marker.emplace(MainWindowClass);
    return true;
}

MainFormServices Platform::services(MessageBoxes &messages, MessagePump &pump)
{
    setClipboardTextReader(gridClipboardText);
    // "Input method closed": off in the field's window when it is entered.
    setInputMethodCloser(
        [](QWidget *field) { cad::com::closeInputMethod(cad::WindowHandle(field->window()->winId())); });
    Backend *backend = m_backend.get();
    return MainFormServices{
        backend->runningObjects, backend->windows, messages, pump,
        [backend](const QString &path) {
            cad::com::openInNotepad(backend->windows.mainWindow(), QDir::toNativeSeparators(path).toStdU16String());
        },
        [] { return cad::com::createMessageFilter(); }};
}

void Platform::setMainWindow(QWidget *window)
{
    m_backend->windows.setMainWindow(window);
}

#else // the stand-in CAD over its socket

#include "qtwindowsystem.h"
#include "singleinstance.h"

#include "cad/remote/remotecadwindowsystem.h"
#include "cad/remote/socketrunningobjecttable.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

cad::remote::ConnectionOptions connectionOptions()
{
    // The CAD runs in its own process and answers over its socket; while a
    // call waits (a pick may take the user a while) the window keeps
    // painting but takes no input, as with a COM message filter.
    cad::remote::ConnectionOptions options;
    options.whileWaiting = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    return options;
}

} // namespace

struct Platform::Backend
{
    SingleInstance instance;
    cad::remote::SocketRunningObjectTable runningObjects{connectionOptions()};
    QtWindowSystem ownWindows;
    cad::remote::RemoteCadWindowSystem windows{runningObjects, &ownWindows};
};

bool Platform::claimSingleInstance()
{
    return m_backend->instance.tryAcquire();
}

MainFormServices Platform::services(MessageBoxes &messages, MessagePump &pump)
{
    return MainFormServices{m_backend->runningObjects, m_backend->windows, messages, pump,
                            [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); },
                            {}};
}

void Platform::setMainWindow(QWidget *window)
{
    m_backend->ownWindows.setMainWindow(window);
}

#endif

Platform::Platform()
    : m_backend(std::make_unique<Backend>())
{
}

Platform::~Platform() = default;
