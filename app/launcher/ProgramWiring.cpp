#include "app/launcher/ProgramWiring.h"

#include "app/launcher/LongLivedWindows.h"
#include "app/launcher/ToolWindowFactories.h"
#include "browser/BrowserHooks.h"
#include "browser/DetailsHooks.h"
#include "framework/core/FileDetails.h"
#include "framework/core/FileTypes.h"
#include "tools/clean/CleanWindowFactory.h"
#include "tools/dirhog/DirHogWindowFactory.h"
#include "tools/dup/DupWindowFactory.h"
#include "tools/dup/TfrmDupCompare.h"
#include "tools/mods/ModsWindowFactory.h"
#include "tools/stats/StatisticsWindowFactory.h"
#include "viewer/TFindDlg.h"
#include "viewer/ViewerHooks.h"

#include <memory>

namespace rw
{

void wireProgram()
{
    registerViewerHooks();
    registerDetailsHooks();
    registerBrowserHooks();
    setFileTypeDescriber([](const QString& ext) { return FileTypeDescription(ext); });

    LongLivedWindows::Factories& longLived = LongLivedWindows::factories();
    longLived.statistics = [] { return createStatisticsWindow(); };
    longLived.findDialog = [] { return std::unique_ptr<QWidget>(createFindDialog(nullptr)); };
    longLived.dupCompare = [] { return std::make_unique<TfrmDupCompare>(); };

    // DuplicateMode is set by the launcher right before the finder is made.
    ToolWindowFactories& tools = toolWindowFactories();
    tools.dup = [](QWidget* owner, bool) { return createDupWindow(owner); };
    tools.mods = [](QWidget* owner) { return createModsWindow(owner); };
    tools.dirhog = [](QWidget* owner) { return createDirHogWindow(owner); };
    tools.clean = [](QWidget* owner) { return createCleanWindow(owner); };
    tools.browse = [](QWidget* owner) { return createBrowseWindow(owner); };
}

} // namespace rw
