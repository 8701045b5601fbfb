#include "base/Messages.h"

#include <cstdio>

namespace rw
{

MessageAnswer StderrResponder::show(MessageKind kind, const QString& text, MessageButtons buttons)
{
    const char* name = "message";
    switch (kind) {
    case MessageKind::Error:
        name = "error";
        break;
    case MessageKind::Warning:
        name = "warning";
        break;
    case MessageKind::Information:
        name = "information";
        break;
    case MessageKind::Confirmation:
        name = "confirmation";
        break;
    case MessageKind::Plain:
        break;
    }
    std::fprintf(stderr, "roomwise %s: %s\n", name, qPrintable(text));
    return safeAnswer(buttons);
}

MessageAnswer safeAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        break;
    }
    return MessageAnswer::Cancel;
}

void ShowErrorMessage(MessageResponder& to, const QString& text)
{
    to.beep(BeepKind::Exclamation);
    to.show(MessageKind::Error, text, MessageButtons::Ok);
}

void ShowWarningMessage(MessageResponder& to, const QString& text)
{
    to.beep(BeepKind::CriticalStop);
    to.show(MessageKind::Warning, text, MessageButtons::Ok);
}

void ShowInfoMessage(MessageResponder& to, const QString& text)
{
    to.show(MessageKind::Information, text, MessageButtons::Ok);
}

void ShowMessageBox(MessageResponder& to, MessageKind kind, const QString& text)
{
    to.show(kind, text, MessageButtons::Ok);
}

bool AskYesNo(MessageResponder& to, const QString& text, MessageKind kind)
{
    return to.show(kind, text, MessageButtons::YesNo) == MessageAnswer::Yes;
}

MessageAnswer AskYesNoCancel(MessageResponder& to, const QString& text, MessageKind kind)
{
    return to.show(kind, text, MessageButtons::YesNoCancel);
}

} // namespace rw
