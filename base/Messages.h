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

// The answer that does nothing to a question of these buttons (Ok, No,
// Cancel): what a responder that cannot ask gives.
MessageAnswer safeAnswer(MessageButtons buttons);

// Reports on stderr ("roomwise error: ...") and answers every question the
// safe way (No / Cancel), so nothing is ever done unconfirmed. The default
// responder when no window system is there, and the one a command-line
// front end hands to the engine.
class StderrResponder : public MessageResponder
{
public:
    MessageAnswer show(MessageKind kind, const QString& text, MessageButtons buttons) override;
    void beep(BeepKind) override {}
};

// The message routines, addressed to a given responder (the ones engine code
// calls). ProgramMessages.h has the same routines for window code, addressed
// to the program-wide responder.
// Exclamation beep, then an error box with OK.
void ShowErrorMessage(MessageResponder& to, const QString& text);
// Critical-stop beep, then a warning box with OK.
void ShowWarningMessage(MessageResponder& to, const QString& text);
// Information box with OK, no beep.
void ShowInfoMessage(MessageResponder& to, const QString& text);
// A plain box of the given kind with OK and no beep.
void ShowMessageBox(MessageResponder& to, MessageKind kind, const QString& text);
// Yes/No question; true only on Yes.
bool AskYesNo(MessageResponder& to, const QString& text,
              MessageKind kind = MessageKind::Confirmation);
// Yes/No/Cancel question.
MessageAnswer AskYesNoCancel(MessageResponder& to, const QString& text,
                             MessageKind kind = MessageKind::Confirmation);

} // namespace rw
