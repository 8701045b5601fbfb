#pragma once

#include <QStringList>

#include "platform/ProfileAlerts.h"

namespace rwtest
{

// Records what ProfileAlerts tells the user while it lives (instead of
// standard error), and puts the handler before it back at the end.
class AlertRecorder
{
public:
    AlertRecorder()
        : m_previous(
              rw::ProfileAlerts::setHandler([this](const QString& text) { m_texts << text; }))
    {
    }
    ~AlertRecorder() { rw::ProfileAlerts::setHandler(m_previous); }
    AlertRecorder(const AlertRecorder&) = delete;
    AlertRecorder& operator=(const AlertRecorder&) = delete;

    const QStringList& texts() const { return m_texts; }

private:
    QStringList m_texts;
    rw::ProfileAlerts::Handler m_previous;
};

} // namespace rwtest
