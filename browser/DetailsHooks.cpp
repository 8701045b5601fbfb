#include "browser/DetailsHooks.h"

#include "browser/TfrmDetails.h"
#include "framework/WindowHooks.h"

namespace rw
{

void registerDetailsHooks()
{
    windowHooks().openDetails = [](QWidget* parent, const QByteArray& path) {
        TfrmDetails dialog(parent);
        dialog.setFilePath(path);
        dialog.exec();
    };
}

} // namespace rw
