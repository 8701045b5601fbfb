#pragma once

#include <QDialog>

#include <memory>

class QWidget;

namespace rw
{

// Makes a fresh folder hog window owned by `owner`, for the launcher to show
// modally and destroy when it closes.
std::unique_ptr<QDialog> createDirHogWindow(QWidget* owner);

} // namespace rw
