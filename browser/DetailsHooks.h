#pragma once

#include <QByteArray>

class QWidget;

namespace rw
{

// Shows the details window (TfrmDetails) modally on a file or folder (the
// file system's bytes), owned by `parent`: what windowHooks().openDetails is
// wired to.
void showDetails(QWidget* parent, const QByteArray& path);

} // namespace rw
