#include "launcher/ProgramWiring.h"

#include "browser/BrowserHooks.h"
#include "browser/DetailsHooks.h"
#include "framework/WindowHooks.h"
#include "tools/clean/CleanWindowFactory.h"
#include "tools/dirhog/DirHogWindowFactory.h"
#include "tools/dup/DupWindowFactory.h"
#include "tools/dup/TfrmDupCompare.h"
#include "tools/grew/TfrmGrew.h"
#include "tools/map/TfrmMap.h"
#include "tools/mods/ModsWindowFactory.h"
#include "tools/stats/StatisticsWindowFactory.h"
#include "viewer/TFindDlg.h"
#include "viewer/ViewerHooks.h"

#include <memory>

namespace rw
{

void wireProgram()
{
    WindowHooks& hooks = windowHooks();
    hooks.openViewer = showViewer;
    hooks.openDetails = showDetails;
    hooks.openBrowser = showBrowser;
    hooks.openFolderMap = openFolderMap;
    hooks.openGrowth = openGrowth;

    hooks.dupWindow = createDupWindow;
    hooks.modsWindow = createModsWindow;
    hooks.dirHogWindow = createDirHogWindow;
    hooks.cleanWindow = createCleanWindow;
    hooks.browseWindow = createBrowseWindow;

    hooks.statisticsWindow = [] { return createStatisticsWindow(); };
    hooks.findDialog = [] { return std::unique_ptr<QWidget>(createFindDialog(nullptr)); };
    hooks.dupCompareWindow = [] { return std::make_unique<TfrmDupCompare>(); };
}

} // namespace rw
