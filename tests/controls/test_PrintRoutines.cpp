#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QPrinter>

#include "controls/PrintRoutines.h"
#include "tests/support/TestEnvironment.h"

using namespace rw;

TEST(PrintRoutines, ImageFillsThePageInProportionUnlessCapped)
{
    struct Case {
        QSize image;
        QRect page;
        double maxScale;
        QRect expected;
    } cases[] = {
        // Wider than high: the width decides.
        {{200, 100}, {0, 0, 1000, 1000}, 0, {0, 0, 1000, 500}},
        // Higher than wide: the height decides.
        {{100, 400}, {0, 0, 1000, 1000}, 0, {0, 0, 250, 1000}},
        // Capped below what the page would take.
        {{200, 100}, {0, 0, 1000, 1000}, 2.0, {0, 0, 400, 200}},
        // A cap above the page's limit changes nothing.
        {{200, 100}, {0, 0, 1000, 1000}, 50.0, {0, 0, 1000, 500}},
        // Larger than the page: shrunk to it.
        {{4000, 1000}, {0, 0, 800, 800}, 3.0, {0, 0, 800, 200}},
        // Nothing to print.
        {{0, 0}, {0, 0, 800, 800}, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(imageRectOnPage(c.image, c.page, c.maxScale), c.expected)
            << c.image.width() << "x" << c.image.height() << " cap " << c.maxScale;
}

TEST(PrintRoutines, PresetPrinterIsUsedWithoutADialogAndAnImagePrints)
{
    QPrinter preset;
    QPrinter fallback;
    EXPECT_EQ(choosePrinter(nullptr, &preset, fallback), &preset);

    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    const QString file = rwtest::testRoot() + QStringLiteral("/image.pdf");
    pdf.setOutputFileName(file);
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_TRUE(printImage(&pdf, image, 4.0));
    EXPECT_GT(QFileInfo(file).size(), 0);
}
