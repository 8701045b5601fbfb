#pragma once

#include "base/ProgramMessages.h"

namespace rw
{

// Shows the program's messages and questions as real message boxes, with the
// application title as caption. Installed by start-up.
class DialogResponder : public MessageResponder
{
public:
    MessageAnswer show(MessageKind kind, const QString& text, MessageButtons buttons) override;
    void beep(BeepKind kind) override;
};

} // namespace rw
