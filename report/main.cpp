// roomwise-report: prints what a Roomwise tool window would list, for
// scripts, cron jobs and SSH sessions. Read-only: it walks, reads and prints.

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>

#include "base/Messages.h"
#include "base/Settings.h"
#include "base/SharedRoutines.h"
#include "framework/core/FileRecord.h"
#include "framework/core/WalkExclusions.h"
#include "platform/Terminal.h"
#include "report/core/HistoryCommand.h"
#include "report/core/HistoryRun.h"
#include "report/core/DupScript.h"
#include "report/core/ReportRequest.h"
#include "report/core/ReportRun.h"
#include "report/core/ReportWriter.h"

namespace
{

// Every message on standard error with the one prefix, each on a line of its
// own even while the progress line is showing. Questions are answered No:
// nothing is ever changed.
class ReportResponder : public rw::MessageResponder
{
public:
    bool progressShown = false;

    void clearProgress()
    {
        if (progressShown) {
            std::fputs("\r\033[K", stderr);
            progressShown = false;
        }
    }

    rw::MessageAnswer show(rw::MessageKind kind, const QString& text,
                           rw::MessageButtons buttons) override
    {
        (void)kind;
        clearProgress();
        std::fprintf(stderr, "roomwise-report: %s\n", qPrintable(text));
        return rw::safeAnswer(buttons);
    }
    void beep(rw::BeepKind) override {}
};

bool writeAll(const QByteArray& bytes)
{
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) ==
               std::size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

// "12,345 files, 678 folders, 1.2 GB, 45,000 files/s" for the progress line.
QString progressText(const rw::ReportProgressInfo& info, double seconds)
{
    const double gb = double(info.bytes) / (1024.0 * 1024.0 * 1024.0);
    const QString size =
        gb >= 1.0 ? QStringLiteral("%1 GB").arg(gb, 0, 'f', 1)
                  : QStringLiteral("%1 MB").arg(double(info.bytes) / 1048576.0, 0, 'f', 1);
    const std::int64_t rate = seconds > 0.1 ? std::int64_t(double(info.files) / seconds) : 0;
    return QStringLiteral("%1 files, %2 folders, %3, %4 files/s  %5")
        .arg(rw::FormatGrouped(info.files), rw::FormatGrouped(info.folders), size,
             rw::FormatGrouped(rate), info.folder ? info.folder->displayPath() : QString());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("roomwise-report"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RW_VERSION));

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    // The commands on the scan history take their own options.
    static const QStringList valueOptions = {
        QStringLiteral("--store"),  QStringLiteral("--host"),  QStringLiteral("--since"),
        QStringLiteral("--scan"),   QStringLiteral("--to"),    QStringLiteral("-o"),
        QStringLiteral("--output"), QStringLiteral("--format")};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (word.startsWith(QLatin1Char('-'))) {
            if (valueOptions.contains(word))
                ++i; // its value
            continue;
        }
        if (!rw::isHistoryCommand(word))
            break;
        rw::HistoryCommand history;
        QString error;
        if (!rw::parseHistoryCommand(arguments, &history, &error)) {
            std::fprintf(stderr, "roomwise-report: %s\nTry 'roomwise-report --help'.\n",
                         qPrintable(error));
            return 2;
        }
        ReportResponder reporter;
        const rw::HistorySettings settings = rw::readHistorySettings();
        std::_Exit(rw::runHistoryCommand(history, settings.store, reporter, writeAll));
    }
    rw::ParsedReportCommand command = rw::parseReportCommand(arguments);
    switch (command.outcome) {
    case rw::ParsedReportCommand::Outcome::Help:
        std::fputs(qPrintable(command.text), stdout);
        return 0;
    case rw::ParsedReportCommand::Outcome::Version:
        std::printf("%s\n", qPrintable(command.text));
        return 0;
    case rw::ParsedReportCommand::Outcome::UsageError:
        std::fprintf(stderr, "roomwise-report: %s\n", qPrintable(command.text));
        return 2;
    case rw::ParsedReportCommand::Outcome::Run:
        break;
    }
    rw::ReportRequest& request = command.request;

    ReportResponder reporter;
    for (const QString& note : std::as_const(request.notes))
        reporter.show(rw::MessageKind::Information, note, rw::MessageButtons::Ok);
    for (const QString& file : std::as_const(request.excludeFiles)) {
        QString why;
        QList<QByteArray> read;
        if (!rw::WalkExclusions::readPatternFile(file, &read, &why)) {
            std::fprintf(stderr, "roomwise-report: cannot read '%s': %s\n", qPrintable(file),
                         qPrintable(why));
            return 2;
        }
        request.excludes += read;
    }

    rw::ReportProgress progress;
    QElapsedTimer clock;
    clock.start();
    if (!request.quiet && rw::standardErrorIsTerminal()) {
        progress = [&reporter, &clock](const rw::ReportProgressInfo& info) {
            // One line, rewritten in place, cut to fit a narrow terminal.
            const QString text = progressText(info, double(clock.elapsed()) / 1000.0);
            std::fprintf(stderr, "\r\033[K%s", qPrintable(text.left(100)));
            reporter.progressShown = true;
        };
    }

    rw::ReportProblems problems;
    const rw::ReportTable table = rw::runReport(request, reporter, progress, &problems);
    reporter.clearProgress();

    const bool written = rw::writeReport(table, request, writeAll);
    QString scriptError;
    const bool scriptWritten = request.scriptFile.isEmpty() ||
                               rw::DupScript::write(request.scriptFile, table, &scriptError);
    int status = 0;
    if (!written) {
        std::fputs("roomwise-report: could not write the output\n", stderr);
        status = 2;
    } else if (!scriptWritten) {
        std::fprintf(stderr, "roomwise-report: cannot write '%s': %s\n",
                     qPrintable(request.scriptFile), qPrintable(scriptError));
        status = 2;
    } else if (problems.unreadablePaths.size() == request.paths.size()) {
        status = 2; // nothing could be read at all
    } else if (!problems.unreadablePaths.isEmpty() || problems.unreadableFolders > 0) {
        status = 1;
    } else if (request.failIfEmpty && !table.found()) {
        status = 3;
    }
    // Everything is written and flushed; what is left is memory. Freeing a
    // million records one by one would only add to the run time.
    std::_Exit(status);
}
