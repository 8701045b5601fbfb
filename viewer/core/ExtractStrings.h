#pragma once

#include "base/Messages.h"
#include "base/ReadProgress.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace rw
{

// Writes the readable strings of the file `source` (the file system's bytes)
// as lines of the text file `target` (lines end with CR LF). The source is
// cut into blocks of 2048 bytes and each block is scanned by itself: a run of
// letters, digits and blanks is written when it is longer than `minLen` and
// differs from the line written just before; a run keeps at most `maxLen` + 1
// characters (the rest of a longer run is skipped); a run still open at the
// end of a block is dropped. So a line holds minLen + 1 to maxLen + 1
// characters.
//
// Only a regular file is read: a FIFO, a device or a symbolic link in the
// source's place is refused like a file that cannot be opened, and the
// open never blocks.
//
// Holes of a sparse file read as zeros and so hold no strings: the blocks
// that lie wholly in a hole are skipped unread, and a terabyte image costs
// what it holds. `progress` (may be empty) hears of the bytes done between
// chunks of a megabyte; when it returns false the listing stops there and
// false is returned without a message. The routine touches no window, so it
// may run on a helper thread with a responder that shows nothing there.
//
// Returns false when the source cannot be opened (after the error box
// "Could not open file <source>", the source as displayName shows it; the
// target is then left empty) or the target cannot be written (after "Could
// not write file <target>"), both shown through `reporter`.
bool ExtractStrings(const QByteArray& source, const QString& target, int minLen, int maxLen,
                    MessageResponder& reporter, const ReadProgress& progress = {});

// The strings of one block by the rules above, each handed to `keep` (which
// returns false when it could not keep it). `last` is the line written just
// before and is updated. False when any `keep` returned false.
bool stringsOfBlock(const char* block, std::int64_t size, int minLen, int maxLen, QByteArray& last,
                    const std::function<bool(const QByteArray& line)>& keep);

} // namespace rw
