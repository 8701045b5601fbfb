#pragma once

#include <QDialog>

#include <memory>

class QWidget;

namespace rw
{

// Makes the duplicate finder or the file-hog finder, as DuplicateMode says
// at this moment, owned by `owner`. The launcher shows it modally and
// destroys it when the modal loop returns.
std::unique_ptr<QDialog> createDupWindow(QWidget* owner);

} // namespace rw
