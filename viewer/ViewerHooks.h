#pragma once

#include <QByteArray>

class QWidget;

namespace rw
{

// Shows the file viewer (TfrmView) modally on a path (the file system's
// bytes), owned by `parent`: what windowHooks().openViewer is wired to.
void showViewer(QWidget* parent, const QByteArray& path);

} // namespace rw
