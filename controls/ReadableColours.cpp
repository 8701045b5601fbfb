#include "controls/ReadableColours.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace rw::ReadableColours
{

namespace
{

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// A background this light keeps the design's own colours.
bool isLight(const QColor& background)
{
    return luminance(background) >= 0.4;
}

QColor mix(const QColor& from, const QColor& to, double share)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

} // namespace

double luminance(const QColor& colour)
{
    const QColor c = colour.toRgb();
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor textOn(const QColor& background)
{
    return contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background)
               ? QColor(Qt::black)
               : QColor(Qt::white);
}

QColor readableOn(const QColor& wanted, const QColor& background)
{
    if (isLight(background) || contrastRatio(wanted, background) >= kMinimumContrast)
        return wanted;
    // Step toward white; the hue shows while the figure becomes readable.
    // The aim has a margin: styles draw some faces (tab pages, group boxes)
    // a shade lighter than the palette colour they are given.
    const double aim = kMinimumContrast + 1.5;
    for (int step = 1; step <= 20; ++step) {
        const QColor lighter = mix(wanted, Qt::white, step / 20.0);
        if (contrastRatio(lighter, background) >= aim)
            return lighter;
    }
    return textOn(background);
}

QColor groupShade(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    if (isLight(base))
        return QColor(0xE4, 0xEC, 0xF7);
    return mix(base, palette.color(QPalette::Highlight), 0.18);
}

} // namespace rw::ReadableColours
