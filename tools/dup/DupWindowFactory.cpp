#include "tools/dup/DupWindowFactory.h"

#include "base/AppGlobals.h"
#include "tools/dup/TfrmDup.h"

namespace rw
{

std::unique_ptr<QDialog> createDupWindow(QWidget* owner, bool duplicateMode)
{
    DuplicateMode = duplicateMode;
    return std::make_unique<TfrmDup>(owner);
}

} // namespace rw
