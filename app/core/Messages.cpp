#include "app/core/Messages.h"

#include <cstdio>

namespace rw {

namespace {

// Without a window system nothing can be asked: report on stderr and answer
// the safe way (No / Cancel), so no action ever runs unconfirmed.
class StderrResponder : public MessageResponder {
public:
    MessageAnswer show(MessageKind kind, const QString& text, MessageButtons buttons) override
    {
        static const char* const names[] = {"error", "warning", "information", "confirmation"};
        std::fprintf(stderr, "roomwise %s: %s\n", names[int(kind)], qPrintable(text));
        switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Cancel;
        }
        return MessageAnswer::Cancel;
    }
    void beep(BeepKind) override {}
};

StderrResponder g_default;
MessageResponder* g_responder = &g_default;

} // namespace

MessageResponder* setMessageResponder(MessageResponder* responder)
{
    MessageResponder* old = g_responder == &g_default ? nullptr : g_responder;
    g_responder = responder ? responder : &g_default;
    return old;
}

MessageResponder* messageResponder() { return g_responder; }

void ShowErrorMessage(const QString& text)
{
    g_responder->beep(BeepKind::Exclamation);
    g_responder->show(MessageKind::Error, text, MessageButtons::Ok);
}

void ShowWarningMessage(const QString& text)
{
    g_responder->beep(BeepKind::CriticalStop);
    g_responder->show(MessageKind::Warning, text, MessageButtons::Ok);
}

void ShowInfoMessage(const QString& text)
{
    g_responder->show(MessageKind::Information, text, MessageButtons::Ok);
}

void ShowMessageBox(MessageKind kind, const QString& text)
{
    g_responder->show(kind, text, MessageButtons::Ok);
}

bool AskYesNo(const QString& text, MessageKind kind)
{
    return g_responder->show(kind, text, MessageButtons::YesNo) == MessageAnswer::Yes;
}

MessageAnswer AskYesNoCancel(const QString& text, MessageKind kind)
{
    return g_responder->show(kind, text, MessageButtons::YesNoCancel);
}

} // namespace rw
