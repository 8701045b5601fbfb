#include "tools/stats/core/StatsTexts.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>

#include "base/SharedRoutines.h"
#include "platform/DosDateTime.h"

namespace rw
{

namespace
{
// The texts of the statistics pages, translated as one context.
struct StatsTexts {
    Q_DECLARE_TR_FUNCTIONS(StatsTexts)
};
} // namespace

QString sizeClassLabel(int index)
{
    static const QStringList labels{
        QStringLiteral("0 - 16K"),    QStringLiteral("16K - 32K"),   QStringLiteral("32K - 64K"),
        QStringLiteral("64K - 128K"), QStringLiteral("128K - 256K"), QStringLiteral("256K - 512K"),
        QStringLiteral("512K - 1MB"), QStringLiteral("1MB - 2MB"),   QStringLiteral("2MB - 4MB"),
        QStringLiteral("4MB - 8MB"),  QStringLiteral("8MB - 16MB")};
    // Only the last class has words in it.
    if (index == labels.size())
        return StatsTexts::tr("Over 16MB");
    return labels.value(index);
}

QString ageClassLabel(int index)
{
    static const char* const labels[] = {QT_TRANSLATE_NOOP("StatsTexts", "Not recorded"),
                                         QT_TRANSLATE_NOOP("StatsTexts", "<= 7 days"),
                                         QT_TRANSLATE_NOOP("StatsTexts", "8 - 30 days"),
                                         QT_TRANSLATE_NOOP("StatsTexts", "31 - 60 days"),
                                         QT_TRANSLATE_NOOP("StatsTexts", "61 - 120 days"),
                                         QT_TRANSLATE_NOOP("StatsTexts", "121 - 365 days"),
                                         QT_TRANSLATE_NOOP("StatsTexts", "1 - 2 years"),
                                         QT_TRANSLATE_NOOP("StatsTexts", "2 - 3 years"),
                                         QT_TRANSLATE_NOOP("StatsTexts", "3 - 4 years"),
                                         QT_TRANSLATE_NOOP("StatsTexts", "Over 4 years")};
    if (index < 0 || index >= int(std::size(labels)))
        return QString();
    return StatsTexts::tr(labels[index]);
}

QString clusterSizeLabel(int index)
{
    static const QStringList labels{QStringLiteral("4K"), QStringLiteral("8K"),
                                    QStringLiteral("16K"), QStringLiteral("32K"),
                                    QStringLiteral("64K")};
    return labels.value(index);
}

namespace
{

// KB are shown as MB from this many KB on.
constexpr double kMegabyteThreshold = 10000;

std::int64_t rounded(double v)
{
    return std::int64_t(std::llround(v));
}

} // namespace

QString SpaceFigures::totalText() const
{
    return FormatGrouped(std::int64_t(total)) + QLatin1Char(' ') + unitText();
}

QString SpaceFigures::freeText() const
{
    return FormatGrouped(rounded(free)) + QLatin1Char(' ') + unitText() + QLatin1Char(' ');
}

QString SpaceFigures::usedText() const
{
    return FormatGrouped(rounded(used())) + QLatin1Char(' ') + unitText() + QLatin1Char(' ');
}

bool SpaceFigures::freeWarning() const
{
    return rounded(used()) <= 5;
}

SpaceFigures computeSpace(const QList<QPair<QChar, DriveGeometry>>& drives)
{
    SpaceFigures f;
    double freeSum = 0;
    double totalSum = 0;
    for (const auto& [letter, geometry] : drives) {
        SpaceFigures::Drive d;
        d.letter = letter;
        double free = double(geometry.freeBytes()) / 1024;
        double total = double(geometry.totalBytes()) / 1024;
        if (total >= kMegabyteThreshold) {
            free /= 1024;
            total /= 1024;
            d.megabytes = true;
        }
        d.free = free;
        d.used = total - free;
        f.drives.append(d);
        freeSum += double(geometry.freeBytes());
        totalSum += double(geometry.totalBytes());
    }
    f.free = freeSum / 1024;
    f.total = totalSum / 1024;
    if (f.total >= kMegabyteThreshold) {
        f.free /= 1024;
        f.total /= 1024;
        f.megabytes = true;
    }
    // A total only says something new beside two or more drives.
    f.totalBars = f.drives.size() > 1;
    return f;
}

DeletedTexts deletedTexts(const DeletionTotals& totals)
{
    DeletedTexts t;
    if (totals.sinceDay >= 0)
        t.since = StatsTexts::tr("Since %1").arg(formatShortDate(dateFromSerial(totals.sinceDay)));
    const QString na = StatsTexts::tr("n/a");
    if (totals.filesDeleted > 0) {
        t.filesDeleted = StatsTexts::tr("%1 files").arg(FormatGrouped(totals.filesDeleted));
        t.bytesDeleted = StatsTexts::tr("%1 bytes")
                             .arg(FormatGrouped(std::max<std::int64_t>(totals.bytesDeleted, 0)));
    } else {
        t.filesDeleted = t.bytesDeleted = na;
    }
    if (totals.filesRecycled > 0) {
        t.filesRecycled = StatsTexts::tr("%1 files").arg(FormatGrouped(totals.filesRecycled));
        t.bytesRecycled = StatsTexts::tr("%1 bytes")
                              .arg(FormatGrouped(std::max<std::int64_t>(totals.bytesRecycled, 0)));
    } else {
        t.filesRecycled = t.bytesRecycled = na;
    }
    return t;
}

QString wholeUnitText(std::int64_t bytes)
{
    if (bytes >= 1048576)
        return FormatGrouped(bytes / 1048576) + QStringLiteral(" MB");
    return FormatGrouped(bytes / 1024) + QStringLiteral(" KB");
}

} // namespace rw
