#include "launcher/OpenModal.h"

#include "app/ExceptionApplication.h"

namespace rw
{

int openModal(const std::function<std::unique_ptr<QDialog>()>& create)
{
    try {
        std::unique_ptr<QDialog> window = create ? create() : nullptr;
        if (!window)
            return -1;
        return window->exec();
    } catch (...) {
        // The window, if it was made, is already gone with its unique_ptr.
        ReportCurrentException();
    }
    return -1;
}

} // namespace rw
