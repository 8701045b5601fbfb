#pragma once

#include <QDialog>

#include <memory>

class QWidget;

namespace rw
{

// Makes the temporary-file cleaner, owned by `owner`. The launcher shows it
// modally and destroys it when the modal loop returns.
std::unique_ptr<QDialog> createCleanWindow(QWidget* owner);

} // namespace rw
