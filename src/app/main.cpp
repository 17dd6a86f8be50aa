// Program entry: one instance per user, the main window, the message loop.
#include "messagepump.h"
#include "qtmessageboxes.h"
#include "qtwindowsystem.h"
#include "singleinstance.h"
#include "tmorvmainform.h"

#include "cad/caderror.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace {

// Until a CAD backend is linked in, no CAD is ever found running.
class NoCadRunning : public cad::RunningObjectTable
{
public:
    bool isRunning(const std::u16string &) override { return false; }
    cad::ObjectRef getActiveObject(const std::u16string &progId) override
    {
        throw cad::CadError(u"No running CAD application: " + progId);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SingleInstance instance;
    if (!instance.tryAcquire())
        return 0; // a second start ends silently
    QApplication::setApplicationName(TMorvMainForm::applicationTitle());

    NoCadRunning runningObjects;
    QtWindowSystem windows;
    QtMessageBoxes messages;
    MessagePump pump;
    TMorvMainForm form({runningObjects, windows, messages, pump,
                        [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }});
    windows.setMainWindow(&form);
    form.show();
    return app.exec();
}
