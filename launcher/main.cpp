// Start-up: the application title, the message boxes, the launcher and the
// long-lived windows, then the message loop until the launcher closes.
#include "app/DesktopConventions.h"
#include "app/DialogResponder.h"
#include "app/ExceptionApplication.h"
#include "app/ProgramTranslations.h"
#include "base/BackgroundWork.h"
#include "base/ProgramMessages.h"
#include "framework/DriveListFolders.h"
#include "framework/WindowHooks.h"
#include "launcher/CommandLine.h"
#include "launcher/LongLivedWindows.h"
#include "launcher/ProgramIcon.h"
#include "launcher/ProgramWiring.h"
#include "launcher/TfrmMain.h"
#include "platform/Folders.h"
#include "platform/ProfileAlerts.h"

#include <QLocale>
#include <QMetaObject>
#include <QThread>

int main(int argc, char** argv)
{
    rw::ExceptionApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Roomwise '95"));
    QGuiApplication::setDesktopFileName(QStringLiteral("roomwise"));
    QGuiApplication::setWindowIcon(rw::programIcon());
    QApplication::setApplicationVersion(QStringLiteral("2.7"));
    // Before any text is formed, the command line's help included.
    rw::InstallProgramTranslations(rw::programFolder(), QLocale::system().uiLanguages());
    // Every window fits the screen and names its controls.
    rw::installDesktopConventions();
    rw::CommandLine commandLine(argc, argv);
    commandLine.process();

    rw::DialogResponder responder;
    rw::setMessageResponder(&responder);
    // A settings file that cannot be read or written is said in a box (once;
    // ProfileAlerts keeps count). A report from a helper thread is shown by
    // the user-interface thread.
    rw::ProfileAlerts::setHandler([&app](const QString& text) {
        if (QThread::currentThread() == app.thread())
            rw::ShowErrorMessage(text);
        else
            QMetaObject::invokeMethod(
                &app, [text] { rw::ShowErrorMessage(text); }, Qt::QueuedConnection);
    });
    rw::wireProgram();
    // The folders named on the command line, as drives of this run; one that
    // is no readable folder is said in a box and left out.
    rw::DriveListFolders::addFolders(commandLine.folders());

    int status = 0;
    {
        rw::TfrmMain launcher;
        rw::LongLivedWindows longLived;
        // The run ends with the launcher, even while the statistics window is up.
        QApplication::setQuitOnLastWindowClosed(false);
        QObject::connect(&launcher, &rw::TfrmMain::closed, &app, &QCoreApplication::quit);
        launcher.show();
        // --map FOLDER: the folder map opens over the launcher at start.
        if (!commandLine.mapFolder().isEmpty())
            QMetaObject::invokeMethod(
                &launcher,
                [&launcher, &commandLine] {
                    rw::windowHooks().openFolderMap(&launcher, commandLine.mapFolder());
                },
                Qt::QueuedConnection);
        // --grew FOLDER: "What grew" opens over the launcher at start.
        if (!commandLine.growthFolder().isEmpty())
            QMetaObject::invokeMethod(
                &launcher,
                [&launcher, &commandLine] {
                    rw::windowHooks().openGrowth(&launcher, commandLine.growthFolder());
                },
                Qt::QueuedConnection);
        status = app.exec();
    }
    // A scan still being written to the history is finished, not cut off.
    rw::waitForBackgroundWork();
    rw::ProfileAlerts::setHandler({});
    rw::setMessageResponder(nullptr);
    return status;
}
