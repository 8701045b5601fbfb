#include "tests/support/ScriptedResponder.h"

namespace rwtest {

ScriptedResponder& ScriptedResponder::instance()
{
    static ScriptedResponder responder;
    return responder;
}

void ScriptedResponder::reset()
{
    m_entries.clear();
    m_answers.clear();
    m_default = rw::MessageAnswer::No;
    m_beeps = 0;
    m_onShow = nullptr;
}

QStringList ScriptedResponder::texts() const
{
    QStringList out;
    for (const Entry& e : m_entries)
        out << e.text;
    return out;
}

rw::MessageAnswer ScriptedResponder::show(rw::MessageKind kind, const QString& text,
                                          rw::MessageButtons buttons)
{
    m_entries.append({kind, text, buttons});
    if (m_onShow)
        m_onShow(m_entries.last());
    if (buttons == rw::MessageButtons::Ok)
        return rw::MessageAnswer::Ok;
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return m_default;
}

} // namespace rwtest
