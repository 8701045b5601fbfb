#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace rw
{

// The report's commands on the scan history rather than on a walk.
enum class HistoryCommandKind {
    Grew,    // grew PATH: folder by folder, how a root changed between two scans
    History, // history [PATH]: the stored scans
    Export,  // export PATH -o FILE: a walk written in ncdu's export format
    Import,  // import FILE...: exports read into the store
};

// One history command as read from its command line.
struct HistoryCommand {
    HistoryCommandKind kind = HistoryCommandKind::History;
    QString path;              // grew, export, history: absolute and cleaned (empty: every root)
    QStringList files;         // import: the export files, as given
    QString output;            // export: -o FILE ("-": standard output)
    QString host;              // --host: the machine whose scans are meant (default: this one);
                               // import: the name stored instead of the file's own
    QString store;             // --store: the store's location (default: the settings')
    std::int64_t fromScan = 0; // grew --scan ID
    std::int64_t toScan = 0;   // grew --to ID
    QDate since;               // grew --since DATE
    bool allRows = false;      // grew --all: unchanged folders too
    bool json = false;         // --format json (tsv otherwise)
    bool nulTerminated = false;
    bool quiet = false;
};

// True when `word` names a history command (grew, history, export, import).
bool isHistoryCommand(const QString& word);

// Reads the arguments (argv without the program name) of a history
// command. False with `error` set on a usage error.
bool parseHistoryCommand(const QStringList& arguments, HistoryCommand* out, QString* error);

// The part of --help on these commands.
QString historyHelpText();

} // namespace rw
