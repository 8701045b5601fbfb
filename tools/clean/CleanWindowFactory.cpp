#include "tools/clean/CleanWindowFactory.h"

#include "tools/clean/TfrmClean.h"

namespace rw
{

std::unique_ptr<QDialog> createCleanWindow(QWidget* owner)
{
    return std::make_unique<TfrmClean>(owner);
}

} // namespace rw
