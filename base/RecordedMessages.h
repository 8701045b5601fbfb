#pragma once

#include "base/Messages.h"

#include <QList>
#include <QString>

namespace rw
{

// A responder for engine work that runs on a helper thread, where no box
// may be shown: it keeps the messages and beeps in order, and the window's
// thread hands them on to a real responder (replayTo) once the work is
// done. A question cannot wait for its answer here, so it is answered the
// safe way (Cancel, or No without a Cancel button) at once, and replayed as
// a message. Used by one thread at a time.
class RecordedMessages : public MessageResponder
{
public:
    MessageAnswer show(MessageKind kind, const QString& text, MessageButtons buttons) override;
    void beep(BeepKind kind) override;

    bool isEmpty() const { return m_entries.isEmpty(); }
    // Hands every kept message and beep to `to`, in order, and forgets them.
    void replayTo(MessageResponder& to);

private:
    struct Entry {
        bool isBeep = false;
        BeepKind beep{};
        MessageKind kind = MessageKind::Plain;
        QString text;
    };
    QList<Entry> m_entries;
};

} // namespace rw
