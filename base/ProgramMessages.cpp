#include "base/ProgramMessages.h"

namespace rw
{

namespace
{

StderrResponder g_default;
MessageResponder* g_responder = &g_default;

} // namespace

MessageResponder* setMessageResponder(MessageResponder* responder)
{
    MessageResponder* old = g_responder == &g_default ? nullptr : g_responder;
    g_responder = responder ? responder : &g_default;
    return old;
}

MessageResponder* messageResponder()
{
    return g_responder;
}

void ShowErrorMessage(const QString& text)
{
    ShowErrorMessage(*g_responder, text);
}
void ShowWarningMessage(const QString& text)
{
    ShowWarningMessage(*g_responder, text);
}
void ShowInfoMessage(const QString& text)
{
    ShowInfoMessage(*g_responder, text);
}
void ShowMessageBox(MessageKind kind, const QString& text)
{
    ShowMessageBox(*g_responder, kind, text);
}
bool AskYesNo(const QString& text, MessageKind kind)
{
    return AskYesNo(*g_responder, text, kind);
}
MessageAnswer AskYesNoCancel(const QString& text, MessageKind kind)
{
    return AskYesNoCancel(*g_responder, text, kind);
}

} // namespace rw
