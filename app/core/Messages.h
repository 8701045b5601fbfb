#pragma once

#include <QString>

#include "platform/Beep.h"

namespace rw
{

// Plain: a box with no icon (and, like every OK box but the error and
// warning boxes, no beep).
enum class MessageKind { Error, Warning, Information, Confirmation, Plain };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// Where every message box and question of the program goes. The window
// layer installs one that shows real message boxes; tests install a scripted
// one that records the texts and answers. The default (no window system)
// writes to stderr and answers No / Cancel, so nothing is ever done by default.
class MessageResponder
{
public:
    virtual ~MessageResponder() = default;
    virtual MessageAnswer show(MessageKind kind, const QString& text, MessageButtons buttons) = 0;
    virtual void beep(BeepKind kind) = 0;
};

// Installs a responder (not owned; nullptr restores the default) and returns
// the previous one.
MessageResponder* setMessageResponder(MessageResponder* responder);
MessageResponder* messageResponder();

// Exclamation beep, then an error box with OK.
void ShowErrorMessage(const QString& text);
// Critical-stop beep, then a warning box with OK.
void ShowWarningMessage(const QString& text);
// Information box with OK, no beep.
void ShowInfoMessage(const QString& text);
// A plain box of the given kind with OK and no beep.
void ShowMessageBox(MessageKind kind, const QString& text);
// Yes/No question; true only on Yes.
bool AskYesNo(const QString& text, MessageKind kind = MessageKind::Confirmation);
// Yes/No/Cancel question.
MessageAnswer AskYesNoCancel(const QString& text, MessageKind kind = MessageKind::Confirmation);

} // namespace rw
