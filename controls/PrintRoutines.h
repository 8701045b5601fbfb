#pragma once

#include <QRect>
#include <QSize>

#include <functional>

class QImage;
class QPrintDialog;
class QPrinter;
class QWidget;

namespace rw
{

// Shows the print dialog on `printer` (not owned) over `parent`; `setUp`,
// when given, adjusts the dialog before it shows. True when the user chose
// to print.
bool runPrintDialog(QWidget* parent, QPrinter* printer,
                    const std::function<void(QPrintDialog&)>& setUp = {});

// The printer a print command prints on: `preset` when one is set (tests and
// callers that chose before), otherwise `fallback` once the user accepted the
// print dialog for it; null when the user cancelled. Nothing is owned.
QPrinter* choosePrinter(QWidget* parent, QPrinter* preset, QPrinter& fallback);

// Where an image of `image` pixels goes on a page whose painter viewport is
// `page`: at the page's top left, as large as fits the page with its sides
// in proportion, and with `maxScale` > 0 never more than that many page
// pixels for one image pixel. Empty for an empty image.
QRect imageRectOnPage(QSize image, const QRect& page, double maxScale = 0);

// Prints `image` on one page of `printer`, placed by imageRectOnPage. False
// when the printer could not be opened or finished in error.
bool printImage(QPrinter* printer, const QImage& image, double maxScale = 0);

} // namespace rw
