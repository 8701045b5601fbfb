#pragma once

namespace rw {

// The two platform sounds the message routines use.
enum class BeepKind { Exclamation, CriticalStop };

} // namespace rw
