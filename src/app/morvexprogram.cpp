#include "morvexprogram.h"

#include "form/messagepump.h"
#include "platform.h"
#include "qtmessageboxes.h"
#include "tmorvmainform.h"

#include <QApplication>
#include <QTimer>

int runMorvex(int argc, char *argv[], const std::function<void(TMorvMainForm &)> &whenShown)
{
    Platform platform;
    if (!platform.claimSingleInstance())
        return 0; // a second start ends silently; the first is not disturbed
    QApplication app(argc, argv);
    QApplication::setApplicationName(TMorvMainForm::applicationTitle());

    QtMessageBoxes messages;
    MessagePump pump;
    TMorvMainForm form(platform.services(messages, pump));
    platform.setMainWindow(&form);
    form.show();
    if (whenShown)
        QTimer::singleShot(0, &form, [&form, &whenShown] { whenShown(form); });
    return app.exec();
}
