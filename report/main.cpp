// roomwise-report: prints what a Roomwise tool window would list, for
// scripts, cron jobs and SSH sessions. Read-only: it walks, reads and prints.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>

#include <cstdio>
#include <cstdlib>

#include "base/Messages.h"
#include "framework/core/FileRecord.h"
#include "platform/Terminal.h"
#include "report/core/ReportRequest.h"
#include "report/core/ReportRun.h"
#include "report/core/ReportWriter.h"

namespace
{

// Messages of the walk on standard error, each on a line of its own even
// while the progress line is showing.
class ReportResponder : public rw::StderrResponder
{
public:
    bool* progressShown = nullptr;
    rw::MessageAnswer show(rw::MessageKind kind, const QString& text,
                           rw::MessageButtons buttons) override
    {
        if (progressShown && *progressShown) {
            std::fputs("\r\033[K", stderr);
            *progressShown = false;
        }
        return rw::StderrResponder::show(kind, text, buttons);
    }
};

bool writeAll(const QByteArray& bytes)
{
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) ==
               std::size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("roomwise-report"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RW_VERSION));

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const rw::ParsedReportCommand command = rw::parseReportCommand(arguments);
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
    const rw::ReportRequest& request = command.request;

    bool progressShown = false;
    ReportResponder reporter;
    reporter.progressShown = &progressShown;
    rw::ReportProgress progress;
    if (!request.quiet && rw::standardErrorIsTerminal()) {
        progress = [&progressShown](const rw::WalkFolder& folder) {
            // One line, rewritten in place, cut to fit a narrow terminal.
            const QString text = folder.displayPath();
            std::fprintf(stderr, "\r\033[KScanning %s", qPrintable(text.right(70)));
            progressShown = true;
        };
    }

    QStringList unreadable;
    const rw::ReportTable table = rw::runReport(request, reporter, progress, &unreadable);
    if (progressShown)
        std::fputs("\r\033[K", stderr);

    const bool written =
        request.format == rw::ReportFormat::Json
            ? writeAll(
                  QJsonDocument(rw::reportJson(table, request)).toJson(QJsonDocument::Indented))
            : rw::writeReportTsv(table, request.nulTerminated, writeAll);
    int status = table.found() ? 0 : 1;
    if (!written) {
        std::fputs("roomwise-report: could not write the output\n", stderr);
        status = 2;
    } else if (!unreadable.isEmpty()) {
        status = 2;
    }
    // Everything is written and flushed; what is left is memory. Freeing a
    // million records one by one would only add to the run time.
    std::_Exit(status);
}
