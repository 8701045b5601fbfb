#pragma once

// Every top-level window of the program, made the way the program makes it,
// for the tests that hold each window to the desktop's conventions (fits the
// screen, readable in a dark palette, named for assistive technology).

#include <QDialog>
#include <QSysInfo>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "about/TfrmAbout.h"
#include "app/HelpWindow.h"
#include "browser/BrowserHooks.h"
#include "browser/TfrmDetails.h"
#include "framework/TfrmDelDirectory.h"
#include "framework/TfrmReallyDelete.h"
#include "framework/TfrmReplaceLinks.h"
#include "framework/TfrmSelectExtension.h"
#include "framework/TfrmStatList.h"
#include "framework/TfrmWhichDrive.h"
#include "framework/TfrmWildCard.h"
#include "history/core/HistoryStore.h"
#include "launcher/ProgramWiring.h"
#include "launcher/TfrmMain.h"
#include "tools/clean/CleanWindowFactory.h"
#include "tools/clean/TfrmTempFiles.h"
#include "tools/dirhog/DirHogWindowFactory.h"
#include "tools/dup/DupWindowFactory.h"
#include "tools/dup/TfrmDupCompare.h"
#include "tools/grew/TfrmGrew.h"
#include "tools/map/TfrmMap.h"
#include "tools/mods/ModsWindowFactory.h"
#include "tools/mods/TfrmPickDate.h"
#include "tools/stats/StatisticsWindowFactory.h"
#include "viewer/TFindDlg.h"
#include "viewer/TfrmView.h"

namespace rwtest
{

struct WindowMaker {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
};

template <typename T> std::unique_ptr<QWidget> makeWindow()
{
    return std::make_unique<T>();
}

// "What grew" over two kept scans of a folder (in the test's own data
// folder), so its grid and chart have something to show.
inline std::unique_ptr<QWidget> makeGrowthWindow()
{
    {
        rw::HistoryStore store;
        if (store.open(rw::HistoryStore::defaultLocation())) {
            const QString host = QSysInfo::machineHostName();
            store.addScan(host, "/data", 1'800'000'000, "main", true,
                          {{"", 300, 300, 2, 1, 0}, {"logs", 200, 200, 1, 0, 0}});
            store.addScan(host, "/data", 1'800'086'400, "main", true,
                          {{"", 900, 900, 2, 1, 0}, {"logs", 800, 800, 1, 0, 0}});
        }
    }
    auto w = std::make_unique<rw::TfrmGrew>();
    w->openStore();
    return w;
}

// Each window once (file hogs and duplicates are one class in two modes);
// wires the program first, as start-up does.
inline std::vector<WindowMaker> everyWindow()
{
    static const bool wired = (rw::wireProgram(), true);
    (void)wired;
    return {
        {"TfrmMain", &makeWindow<rw::TfrmMain>},
        {"TfrmAbout", &makeWindow<rw::TfrmAbout>},
        {"HelpWindow", &makeWindow<rw::HelpWindow>},
        {"TfrmDup duplicates",
         [] { return std::unique_ptr<QWidget>(rw::createDupWindow(nullptr, true)); }},
        {"TfrmDup hogs",
         [] { return std::unique_ptr<QWidget>(rw::createDupWindow(nullptr, false)); }},
        {"TfrmDupCompare", &makeWindow<rw::TfrmDupCompare>},
        {"TfrmMods", [] { return std::unique_ptr<QWidget>(rw::createModsWindow(nullptr)); }},
        {"TfrmPickDate", &makeWindow<rw::TfrmPickDate>},
        {"TfrmDirHog", [] { return std::unique_ptr<QWidget>(rw::createDirHogWindow(nullptr)); }},
        {"TfrmClean", [] { return std::unique_ptr<QWidget>(rw::createCleanWindow(nullptr)); }},
        {"TfrmTempFiles", &makeWindow<rw::TfrmTempFiles>},
        {"TfrmStatistics", [] { return rw::createStatisticsWindow(); }},
        {"TfrmBrowse", [] { return std::unique_ptr<QWidget>(rw::createBrowseWindow(nullptr)); }},
        {"TfrmDetails", &makeWindow<rw::TfrmDetails>},
        {"TfrmView", &makeWindow<rw::TfrmView>},
        {"TFindDlg", &makeWindow<rw::TFindDlg>},
        {"TfrmReallyDelete", &makeWindow<rw::TfrmReallyDelete>},
        {"TfrmDelDirectory", &makeWindow<rw::TfrmDelDirectory>},
        {"TfrmReplaceLinks", &makeWindow<rw::TfrmReplaceLinks>},
        {"TfrmSelectExtension", &makeWindow<rw::TfrmSelectExtension>},
        {"TfrmStatList",
         [] { return std::unique_ptr<QWidget>(new rw::TfrmStatList(QStringLiteral("Types"))); }},
        {"TfrmWhichDrive", &makeWindow<rw::TfrmWhichDrive>},
        {"TfrmWildCard", &makeWindow<rw::TfrmWildCard>},
        {"TfrmMap", &makeWindow<rw::TfrmMap>},
        {"TfrmGrew", &makeGrowthWindow},
    };
}

} // namespace rwtest
