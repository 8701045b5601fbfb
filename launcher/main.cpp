// Start-up: the application title, the message boxes, the launcher and the
// long-lived windows, then the message loop until the launcher closes.
#include "app/DialogResponder.h"
#include "app/ExceptionApplication.h"
#include "base/ProgramMessages.h"
#include "launcher/LongLivedWindows.h"
#include "launcher/ProgramWiring.h"
#include "launcher/TfrmMain.h"

int main(int argc, char** argv)
{
    rw::ExceptionApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Roomwise '95"));
    QGuiApplication::setDesktopFileName(QStringLiteral("roomwise"));

    rw::DialogResponder responder;
    rw::setMessageResponder(&responder);
    rw::wireProgram();

    int status = 0;
    {
        rw::TfrmMain launcher;
        rw::LongLivedWindows longLived;
        // The run ends with the launcher, even while the statistics window is up.
        QApplication::setQuitOnLastWindowClosed(false);
        QObject::connect(&launcher, &rw::TfrmMain::closed, &app, &QCoreApplication::quit);
        launcher.show();
        status = app.exec();
    }
    rw::setMessageResponder(nullptr);
    return status;
}
