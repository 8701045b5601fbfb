#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "base/ProgramMessages.h"

namespace rwtest
{

// Records every message box and question and answers from a script.
// Questions take the next queued answer; with none queued they get the
// default answer (No unless changed). OK boxes are recorded and answered Ok.
class ScriptedResponder : public rw::MessageResponder
{
public:
    struct Entry {
        rw::MessageKind kind;
        QString text;
        rw::MessageButtons buttons;
    };

    static ScriptedResponder& instance();

    void reset();
    void queueAnswer(rw::MessageAnswer answer) { m_answers.append(answer); }
    // Called with each message as it is shown, while the code that shows it
    // waits for the answer (a test looks at a window mid-run). reset()
    // forgets it.
    void setOnShow(std::function<void(const Entry&)> hook) { m_onShow = std::move(hook); }
    void setDefaultAnswer(rw::MessageAnswer answer) { m_default = answer; }

    const QList<Entry>& entries() const { return m_entries; }
    QStringList texts() const;
    int beeps() const { return m_beeps; }
    void clear()
    {
        m_entries.clear();
        m_beeps = 0;
    }

    rw::MessageAnswer show(rw::MessageKind kind, const QString& text,
                           rw::MessageButtons buttons) override;
    void beep(rw::BeepKind) override { ++m_beeps; }

private:
    QList<Entry> m_entries;
    QList<rw::MessageAnswer> m_answers;
    rw::MessageAnswer m_default = rw::MessageAnswer::No;
    int m_beeps = 0;
    std::function<void(const Entry&)> m_onShow;
};

} // namespace rwtest
