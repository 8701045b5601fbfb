// A small program the translation tests start under a chosen locale: it
// loads the translations as the program does at start-up, for the program
// folder given as its argument, and prints what a user would read, one
// "key<TAB>text" line each: the language loaded, the launcher's title,
// buttons and labels, the duplicate finder's buttons, the viewer's menus, a
// button of Qt's own, and two texts formed by engine code. Given a second argument, a folder, it
// also saves grabs of the launcher and of a few windows there, to look at a translation as a user.
#include "about/TfrmAbout.h"
#include "app/ProgramTranslations.h"
#include "base/SharedRoutines.h"
#include "browser/TfrmBrowse.h"
#include "browser/TfrmDetails.h"
#include "framework/TfrmDelDirectory.h"
#include "framework/TfrmReallyDelete.h"
#include "framework/TfrmWhichDrive.h"
#include "framework/core/FolderDelete.h"
#include "launcher/TfrmMain.h"
#include "tools/clean/TfrmClean.h"
#include "tools/clean/TfrmTempFiles.h"
#include "tools/dirhog/TfrmDirHog.h"
#include "tools/dup/TfrmDup.h"
#include "tools/dup/TfrmDupCompare.h"
#include "tools/mods/TfrmMods.h"
#include "tools/mods/TfrmPickDate.h"
#include "tools/stats/TfrmStatistics.h"
#include "viewer/TfrmView.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>

#include <memory>

#include <cstdio>

namespace
{
void print(const QString& key, const QString& text)
{
    std::printf("%s\t%s\n", qPrintable(key), text.toUtf8().constData());
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: translation_probe PROGRAM_FOLDER\n");
        return 2;
    }
    const QString language = rw::InstallProgramTranslations(QString::fromLocal8Bit(argv[1]),
                                                            QLocale::system().uiLanguages());
    print(QStringLiteral("language"), language);
    rw::TfrmMain launcher;
    print(QStringLiteral("title"), launcher.windowTitle());
    for (const QPushButton* b : launcher.findChildren<QPushButton*>())
        print(b->objectName(), b->text());
    for (const QLabel* l : launcher.findChildren<QLabel*>())
        if (!l->objectName().isEmpty())
            print(l->objectName(), l->text());
    // A tool window's buttons (the shared row) and the viewer's menu bar.
    {
        rw::TfrmDup dup;
        for (const QPushButton* b : dup.findChildren<QPushButton*>())
            print(QStringLiteral("dup.") + b->objectName(), b->text());
        rw::TfrmView view;
        QStringList menus;
        for (const QMenuBar* bar : view.findChildren<QMenuBar*>())
            for (const QAction* a : bar->actions())
                menus << a->text();
        print(QStringLiteral("viewMenus"), menus.join(u'|'));
    }
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    print(QStringLiteral("qtCancel"), box.button(QDialogButtonBox::Cancel)->text());
    const QDateTime now = QDateTime::currentDateTime();
    print(QStringLiteral("relativeToday"), rw::RelativeDateText(now, now));
    print(QStringLiteral("folderSummary"), rw::folderDeleteSummaryText(false, 3, 4096, true));
    if (argc > 2) {
        const QString folder = QString::fromLocal8Bit(argv[2]);
        launcher.grab().save(folder + QStringLiteral("/launcher.png"));
        const auto grab = [&folder](QWidget* window, const char* name) {
            std::unique_ptr<QWidget> owned(window);
            window->grab().save(folder + u'/' + QLatin1String(name) + QStringLiteral(".png"));
        };
        grab(new rw::TfrmDup, "dup");
        grab(new rw::TfrmView, "view");
        grab(new rw::TfrmDelDirectory, "deldir");
        grab(new rw::TfrmReallyDelete, "reallydelete");
        grab(new rw::TfrmWhichDrive, "whichdrive");
        grab(new rw::TfrmClean, "clean");
        grab(new rw::TfrmTempFiles, "tempfiles");
        grab(new rw::TfrmDirHog, "dirhog");
        grab(new rw::TfrmDupCompare, "dupcompare");
        grab(new rw::TfrmMods, "mods");
        grab(new rw::TfrmPickDate, "pickdate");
        grab(new rw::TfrmStatistics, "statistics");
        grab(new rw::TfrmBrowse, "browse");
        grab(new rw::TfrmDetails, "details");
        grab(new rw::TfrmAbout, "about");
    }
    return 0;
}
