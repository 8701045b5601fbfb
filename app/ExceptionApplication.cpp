#include "app/ExceptionApplication.h"

#include "base/ProgramMessages.h"

#include <exception>

namespace rw
{

ExceptionApplication::ExceptionApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ExceptionApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportCurrentException();
    }
    // The event counts as handled: the handler that failed has done what it could.
    return true;
}

void ReportCurrentException()
{
    QString text;
    try {
        throw;
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
    }
    if (text.isEmpty())
        text = QCoreApplication::translate("ExceptionApplication", "An unexpected error occurred.");
    ShowErrorMessage(text);
}

} // namespace rw
