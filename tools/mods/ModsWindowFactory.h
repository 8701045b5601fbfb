#pragma once

#include <QDialog>

#include <memory>

class QWidget;

namespace rw
{

// Makes the files-by-date window owned by `owner`. The launcher shows it
// modally and destroys it when the modal loop returns.
std::unique_ptr<QDialog> createModsWindow(QWidget* owner);

} // namespace rw
