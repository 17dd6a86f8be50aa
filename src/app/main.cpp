// Program entry: one instance per user, the main window, the message loop.
#include "form/messagepump.h"
#include "qtmessageboxes.h"
#include "qtwindowsystem.h"
#include "singleinstance.h"
#include "tmorvmainform.h"

#include "cad/remote/remotecadwindowsystem.h"
#include "cad/remote/socketrunningobjecttable.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SingleInstance instance;
    if (!instance.tryAcquire())
        return 0; // a second start ends silently
    QApplication::setApplicationName(TMorvMainForm::applicationTitle());

    // The CAD runs in its own process and answers over its socket; while a
    // call waits (a pick may take the user a while) the window keeps
    // painting but takes no input, as with a COM message filter.
    cad::remote::ConnectionOptions options;
    options.whileWaiting = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    cad::remote::SocketRunningObjectTable runningObjects(options);
    QtWindowSystem ownWindows;
    cad::remote::RemoteCadWindowSystem windows(runningObjects, &ownWindows);
    QtMessageBoxes messages;
    MessagePump pump;
    TMorvMainForm form({runningObjects, windows, messages, pump,
                        [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }});
    ownWindows.setMainWindow(&form);
    form.show();
    return app.exec();
}
