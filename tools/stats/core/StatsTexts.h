#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <cstdint>

#include "base/Settings.h"
#include "platform/Drives.h"

namespace rw
{

// Row labels of the statistics pages.
// Size class 0..11: "0 - 16K" ... "Over 16MB".
QString sizeClassLabel(int index);
// Age class 0..9: "Not recorded" ... "Over 4 years".
QString ageClassLabel(int index);
// Cluster size 0..4: "4K" ... "64K".
QString clusterSizeLabel(int index);

// The figures of the drive-space page for the ticked drives. Each drive is
// shown in KB, or in MB when its capacity is 10,000 KB or more; the page's
// totals follow the same rule on their sum.
struct SpaceFigures {
    struct Drive {
        QChar letter;
        double free = 0; // in the drive's own unit
        double used = 0;
        bool megabytes = false;
    };
    QList<Drive> drives;
    double total = 0; // in the page's unit
    double free = 0;
    bool megabytes = false;
    // A "Total" bar pair follows the drives' bars (more than one drive).
    bool totalBars = false;

    double used() const { return total - free; }
    // The label texts: "1,234" + " MB", free and used with "MB " / "KB ".
    QString totalText() const;
    QString freeText() const;
    QString usedText() const;
    QString unitText() const { return megabytes ? QStringLiteral("MB") : QStringLiteral("KB"); }
    // The free figure is drawn in red when almost nothing is used.
    bool freeWarning() const;
};

// Drive letters with their geometry; drives whose query failed are left out
// by the caller.
SpaceFigures computeSpace(const QList<QPair<QChar, DriveGeometry>>& drives);

// The texts of the deleted-files page.
struct DeletedTexts {
    QString since; // "Since " + date, or empty when no date is set
    QString filesDeleted;
    QString bytesDeleted;
    QString filesRecycled;
    QString bytesRecycled;
};
DeletedTexts deletedTexts(const DeletionTotals& totals);

// A byte total as whole megabytes ("12 MB") from 1 MB up, else whole
// kilobytes ("900 KB").
QString wholeUnitText(std::int64_t bytes);

} // namespace rw
