#include "tools/mods/ModsWindowFactory.h"

#include "tools/mods/TfrmMods.h"

namespace rw
{

std::unique_ptr<QDialog> createModsWindow(QWidget* owner)
{
    return std::make_unique<TfrmMods>(owner);
}

} // namespace rw
