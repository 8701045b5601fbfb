#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace rw
{

// Creates a window with `create`, shows it modally and destroys it when the
// modal loop returns, also when creating or showing it threw: the error is
// then shown in the error box. Returns the dialog's result, or -1 when no
// window was shown to its end (none made, or an error).
int openModal(const std::function<std::unique_ptr<QDialog>()>& create);

} // namespace rw
