#include "viewer/ViewerHooks.h"

#include "viewer/TfrmView.h"

namespace rw
{

void showViewer(QWidget* parent, const QByteArray& path)
{
    TfrmView view(parent);
    view.setFilePath(path);
    view.exec();
}

} // namespace rw
