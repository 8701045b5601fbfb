#include "tools/dirhog/DirHogWindowFactory.h"

#include "tools/dirhog/TfrmDirHog.h"

namespace rw
{

std::unique_ptr<QDialog> createDirHogWindow(QWidget* owner)
{
    return std::make_unique<TfrmDirHog>(owner);
}

} // namespace rw
