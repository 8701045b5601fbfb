#pragma once

#include <QColor>

class QPalette;

namespace rw
{

// Colours chosen for the palette a window is drawn in, so text stays
// readable in light and dark desktop themes alike. Contrast is measured as
// the desktop's accessibility guides measure it: the ratio of the relative
// luminances (plus 0.05) of the lighter and the darker colour, from 1 to 21.
namespace ReadableColours
{

// The text contrast every window keeps: 4.5:1, the accessibility guides'
// figure for normal text.
constexpr double kMinimumContrast = 4.5;

// The relative luminance of a colour, from 0 (black) to 1 (white).
double luminance(const QColor& colour);

// The contrast ratio of two colours (1 to 21; order does not matter).
double contrastRatio(const QColor& a, const QColor& b);

// Black or white, whichever reads better on `background`: the text colour
// for a fixed background the design names (aqua marks, a grey list).
QColor textOn(const QColor& background);

// `wanted` (a text colour the design names: a red warning figure, a blue
// note) as drawn on `background`: unchanged on a light background or where
// it already reads well; on a dark background it is lightened, keeping its
// hue, until it reaches kMinimumContrast.
QColor readableOn(const QColor& wanted, const QColor& background);

// The background of every other group of a grouped result list: a light
// blue (#E4ECF7) on a light base; on a dark base, the base tinted toward
// the highlight colour, so the palette's text stays readable on it.
QColor groupShade(const QPalette& palette);

} // namespace ReadableColours

} // namespace rw
