#include "tools/dup/DupWindowFactory.h"

#include "tools/dup/TfrmDup.h"

namespace rw
{

std::unique_ptr<QDialog> createDupWindow(QWidget* owner)
{
    return std::make_unique<TfrmDup>(owner);
}

} // namespace rw
