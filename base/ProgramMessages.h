#pragma once

#include "base/Messages.h"

namespace rw
{

// The program-wide responder and the message routines addressed to it, for
// window code only. Engine code never includes this header: it reports
// through the MessageResponder its caller hands over (a window passes
// *messageResponder(), tests and command-line tools pass their own), and the
// layer check (scripts/check-layers.sh, run as a test) fails when an engine
// file includes it.

// Installs the program-wide responder (not owned; nullptr restores the
// default StderrResponder) and returns the previous one (nullptr for the
// default).
MessageResponder* setMessageResponder(MessageResponder* responder);
// The program-wide responder; never nullptr.
MessageResponder* messageResponder();

// The routines of Messages.h, addressed to messageResponder().
void ShowErrorMessage(const QString& text);
void ShowWarningMessage(const QString& text);
void ShowInfoMessage(const QString& text);
void ShowMessageBox(MessageKind kind, const QString& text);
bool AskYesNo(const QString& text, MessageKind kind = MessageKind::Confirmation);
MessageAnswer AskYesNoCancel(const QString& text, MessageKind kind = MessageKind::Confirmation);

} // namespace rw
