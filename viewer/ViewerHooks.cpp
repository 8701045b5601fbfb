#include "viewer/ViewerHooks.h"

#include "framework/WindowHooks.h"
#include "viewer/TfrmView.h"

namespace rw
{

void registerViewerHooks()
{
    windowHooks().openViewer = [](QWidget* parent, const QByteArray& path) {
        TfrmView view(parent);
        view.setFilePath(path);
        view.exec();
    };
}

} // namespace rw
