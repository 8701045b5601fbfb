#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace rwtest {

// Acts on the next modal window: once `exec()` of a dialog has started its
// loop, `action` runs with that window (found by class name, or any modal
// widget when `className` is empty). The action must close the window, or the
// driver closes it after `timeoutMs`. Call before the code that opens it.
void onNextModal(std::function<void(QWidget*)> action, const QString& className = QString(),
                 int timeoutMs = 5000);

// True once the last scheduled action ran.
bool lastModalHandled();

} // namespace rwtest
