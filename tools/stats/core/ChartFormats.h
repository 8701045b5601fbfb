#pragma once

#include <QString>

namespace rw
{

// The texts the statistics charts write on their bars and axes, in the
// user's locale (thousands separator, decimal point).

// A share in percent with at most one decimal: 12.25 -> "12.3 %", 12 -> "12 %".
QString percentMark(double percent);
// A share in whole percent with thousands separators: 8.6 -> "9 %".
QString wholePercentMark(double percent);
// A whole figure with thousands separators and a unit: "1,234 MB".
QString unitMark(double value, const QString& unit);
// A figure with thousands separators and at most three decimals: "33.333".
QString valueMark(double value);

// The scale of a value axis that starts at 0: `ticks` tick marks (the
// first at 0) `step` apart up to `max`, labelled with `decimals` decimals.
struct AxisScale {
    double max = 1;
    double step = 1;
    int ticks = 2;
    int decimals = 0;
};
// A round scale that holds `highest` with at most about `maxSteps` steps of
// 1, 2 or 5 times a power of ten. With `wholeNumbers` (counts of files) no
// step is below 1, so no two ticks read alike.
AxisScale niceScale(double highest, bool wholeNumbers, int maxSteps = 8);

} // namespace rw

namespace rw
{

// How the space page's bars grow in depth every 50 ms: by `step` percent up
// to `limit`, fewer drives getting deeper bars.
struct DepthGrowth {
    int step = 0;
    int limit = 0;
};
DepthGrowth barDepthGrowth(int drives);

} // namespace rw
