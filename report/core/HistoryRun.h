#pragma once

#include <QString>

#include "report/core/HistoryCommand.h"
#include "report/core/ReportWriter.h"

namespace rw
{

class MessageResponder;

// Runs a history command: reads or writes the store at `storeLocation`
// (the command's --store wins over it), writes its rows to `sink` and says
// what went wrong through `reporter`. The trees are only read: export
// writes the one file named, import and dirhogs only the store. Returns
// the exit status: 0 done, 1 done but a folder could not be read, 2 it
// could not be done (no such scans, the store or a file unreadable, the
// output not written).
int runHistoryCommand(const HistoryCommand& command, const QString& storeLocation,
                      MessageResponder& reporter, const ReportSink& sink);

} // namespace rw
