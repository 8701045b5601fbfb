#pragma once

#include <QString>

#include <functional>

namespace rw
{

// Where a settings file that cannot be read or written is told to the user.
// ProfileFile reports here; engine code cannot show boxes, so the program
// installs a handler at start-up that does (the launcher shows a message
// box). Without a handler the text goes to standard error.
//
// Each kind of trouble is told once: a failed write is reported only if no
// failed write has been reported since the last write that succeeded (so the
// several writes of one action give one box, not a cascade); a file that
// cannot be read is reported once until a read of that file succeeds again.
// Safe to call from any thread; the handler runs on the calling thread,
// outside every lock of this class, so it may itself read or write settings.
class ProfileAlerts
{
public:
    using Handler = std::function<void(const QString& text)>;

    // Installs `handler` (an empty one restores standard error) and returns
    // the one installed before.
    static Handler setHandler(Handler handler);

    // A write failed; `text` is the whole sentence for the user.
    static void writeFailed(const QString& text);
    // A write succeeded: the next failed write is reported again.
    static void writeSucceeded();
    // The file at `path` could not be read; `text` is the whole sentence.
    static void readFailed(const QString& path, const QString& text);
    // The file at `path` was read: its next failure is reported again.
    static void readSucceeded(const QString& path);

    // Forgets what was reported (a fresh start, as for every test).
    static void reset();
};

} // namespace rw
