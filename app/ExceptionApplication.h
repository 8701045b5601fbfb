#pragma once

#include <QApplication>

namespace rw
{

// The program's application object: an exception that escapes an event
// handler is shown in the error box (ShowErrorMessage) and the event loop
// goes on, instead of the process ending.
class ExceptionApplication : public QApplication
{
    Q_OBJECT
public:
    ExceptionApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the exception being handled in the error box. Call only from inside
// a catch block.
void ReportCurrentException();

} // namespace rw
