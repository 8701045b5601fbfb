#include "tests/support/ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <memory>

namespace rwtest {

namespace {
bool g_handled = false;

// Polls for the active modal widget; Qt gives no signal when a nested
// event loop starts.
void poll(std::shared_ptr<std::function<void(QWidget*)>> action, QString className,
          std::shared_ptr<QElapsedTimer> clock, int timeoutMs)
{
    QWidget* w = QApplication::activeModalWidget();
    if (w && (className.isEmpty() || w->inherits(qPrintable(className)))) {
        g_handled = true;
        (*action)(w);
        return;
    }
    if (clock->elapsed() > timeoutMs) {
        if (w) {
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            else
                w->close();
        }
        return;
    }
    QTimer::singleShot(10, [=] { poll(action, className, clock, timeoutMs); });
}
} // namespace

void onNextModal(std::function<void(QWidget*)> action, const QString& className, int timeoutMs)
{
    g_handled = false;
    auto fn = std::make_shared<std::function<void(QWidget*)>>(std::move(action));
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QTimer::singleShot(0, [=] { poll(fn, className, clock, timeoutMs); });
}

bool lastModalHandled() { return g_handled; }

} // namespace rwtest
