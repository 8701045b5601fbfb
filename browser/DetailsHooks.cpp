#include "browser/DetailsHooks.h"

#include "browser/TfrmDetails.h"

namespace rw
{

void showDetails(QWidget* parent, const QByteArray& path)
{
    TfrmDetails dialog(parent);
    dialog.setFilePath(path);
    dialog.exec();
}

} // namespace rw
