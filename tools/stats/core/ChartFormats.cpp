#include "tools/stats/core/ChartFormats.h"

#include <QLocale>

#include <cmath>

namespace rw
{

QString percentMark(double percent)
{
    const double rounded = std::round(percent * 10) / 10;
    const bool whole = std::fabs(rounded - std::round(rounded)) < 1e-9;
    return QLocale().toString(rounded, 'f', whole ? 0 : 1) + QStringLiteral(" %");
}

QString wholePercentMark(double percent)
{
    return QLocale().toString(std::round(percent), 'f', 0) + QStringLiteral(" %");
}

QString unitMark(double value, const QString& unit)
{
    return QLocale().toString(std::round(value), 'f', 0) + QLatin1Char(' ') + unit;
}

QString valueMark(double value)
{
    QString text = QLocale().toString(value, 'f', 3);
    // "#,##0.###": trailing zeros of the decimals are not written.
    const QChar point = QLocale().decimalPoint().at(0);
    if (text.contains(point)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(1);
    }
    return text;
}

AxisScale niceScale(double highest, bool wholeNumbers, int maxSteps)
{
    AxisScale s;
    if (!(highest > 0) || !std::isfinite(highest)) {
        s.max = 1;
        s.step = wholeNumbers ? 1 : 0.2;
        s.ticks = wholeNumbers ? 2 : 6;
        s.decimals = wholeNumbers ? 0 : 1;
        return s;
    }
    const double rough = highest / maxSteps;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power * 10;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (power * m >= rough * (1 - 1e-9)) {
            step = power * m;
            break;
        }
    }
    if (wholeNumbers && step < 1)
        step = 1;
    const int steps = std::max(1, int(std::ceil(highest / step - 1e-9)));
    s.step = step;
    s.max = step * steps;
    s.ticks = steps + 1;
    s.decimals = step >= 1 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
    return s;
}

} // namespace rw

namespace rw
{

DepthGrowth barDepthGrowth(int drives)
{
    if (drives <= 2)
        return {6, 60};
    if (drives <= 4)
        return {3, 30};
    if (drives <= 6)
        return {2, 20};
    return {2, 10};
}

} // namespace rw
