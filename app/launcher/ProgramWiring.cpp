#include "app/launcher/ProgramWiring.h"

#include "app/launcher/LongLivedWindows.h"
#include "app/launcher/ToolWindowFactories.h"
#include "browser/DetailsHooks.h"
#include "browser/core/FileDetails.h"
#include "framework/core/FileTypes.h"
#include "tools/dup/DupWindowFactory.h"
#include "tools/dup/TfrmDupCompare.h"
#include "viewer/TFindDlg.h"
#include "viewer/ViewerHooks.h"

#include <memory>

namespace rw
{

void wireProgram()
{
    registerViewerHooks();
    registerDetailsHooks();
    setFileTypeDescriber([](const QString& ext) { return FileTypeDescription(ext); });

    LongLivedWindows::Factories& longLived = LongLivedWindows::factories();
    longLived.findDialog = [] { return std::unique_ptr<QWidget>(createFindDialog(nullptr)); };
    longLived.dupCompare = [] { return std::make_unique<TfrmDupCompare>(); };

    // DuplicateMode is set by the launcher right before the finder is made.
    toolWindowFactories().dup = [](QWidget* owner, bool) { return createDupWindow(owner); };
}

} // namespace rw
