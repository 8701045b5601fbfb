#include "base/RecordedMessages.h"

#include <utility>

namespace rw
{

MessageAnswer RecordedMessages::show(MessageKind kind, const QString& text, MessageButtons buttons)
{
    m_entries.append({false, BeepKind{}, kind, text});
    return safeAnswer(buttons);
}

void RecordedMessages::beep(BeepKind kind)
{
    m_entries.append({true, kind, MessageKind::Plain, QString()});
}

void RecordedMessages::replayTo(MessageResponder& to)
{
    const QList<Entry> entries = std::exchange(m_entries, {});
    for (const Entry& e : entries) {
        if (e.isBeep)
            to.beep(e.beep);
        else
            to.show(e.kind, e.text, MessageButtons::Ok);
    }
}

} // namespace rw
