#pragma once

#include <QDialog>

#include <memory>

class QWidget;

namespace rw
{

// Makes the duplicate finder (`duplicateMode` true) or the file-hog finder,
// owned by `owner`; DuplicateMode is set to the mode first, as the finder
// reads it all through its life. The launcher shows it modally and destroys
// it when the modal loop returns.
std::unique_ptr<QDialog> createDupWindow(QWidget* owner, bool duplicateMode);

} // namespace rw
