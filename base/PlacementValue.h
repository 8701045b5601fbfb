#pragma once

#include <QString>

namespace rw {

// The ten numbers of a window placement entry, in stored order.
struct PlacementValue {
    int flags = 0;
    int showState = 1; // 1 normal, 2 minimised, 3 maximised
    int minX = 0, minY = 0;
    int maxX = 0, maxY = 0;
    int left = 0, top = 0, right = 0, bottom = 0;

    // Applied only when left < right.
    bool isUsable() const { return left < right; }

    // Each of the ten numbers followed by the delimiter.
    QString toText(const QString& delimiter = QStringLiteral(" ")) const;
    // Splits on the delimiter; a piece that is not an integer gives the
    // default (1 for the show state, 0 for the others).
    static PlacementValue fromText(const QString& text,
                                   const QString& delimiter = QStringLiteral(" "));
};

} // namespace rw
