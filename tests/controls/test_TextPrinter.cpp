#include <gtest/gtest.h>

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>

#include <memory>

#include "controls/TextPrinter.h"
#include "tests/support/TestEnvironment.h"

using namespace rw;

namespace
{

std::unique_ptr<QPrinter> pdfPrinter(const QString& name,
                                     QPageSize::PageSizeId size = QPageSize::A4)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(rwtest::testRoot() + '/' + name);
    printer->setPageSize(QPageSize(size));
    return printer;
}

// Pages of a PDF file as its page objects count them.
int pdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return int(QString::fromLatin1(f.readAll()).count(page));
}

// Prints `lines` lines and returns the pages of the resulting file.
int printLines(const QString& name, int lines, int* perPage = nullptr)
{
    auto printer = pdfPrinter(name);
    TextPrinter tp(printer.get());
    if (!tp.begin())
        return -1;
    if (perPage)
        *perPage = tp.linesPerPage();
    for (int i = 0; i < lines; ++i)
        tp.writeLine(QStringLiteral("line %1").arg(i + 1));
    const int counted = tp.pageCount();
    if (!tp.end())
        return -1;
    const int inFile = pdfPages(printer->outputFileName());
    return counted == inFile ? inFile : -100 - counted;
}

} // namespace

TEST(TextPrinter, NothingIsWrittenWithoutAnOpenDocument)
{
    TextPrinter none(nullptr);
    EXPECT_FALSE(none.begin());
    EXPECT_FALSE(none.writeLine("x"));
    EXPECT_EQ(none.linesPerPage(), 0);

    auto printer = pdfPrinter("closed.pdf");
    TextPrinter tp(printer.get());
    EXPECT_FALSE(tp.writeLine("before begin"));
    ASSERT_TRUE(tp.begin());
    ASSERT_TRUE(tp.end());
    EXPECT_FALSE(tp.writeLine("after end"));
    EXPECT_EQ(pdfPages(printer->outputFileName()), 1) << "an empty document is one page";
}

TEST(TextPrinter, NewPageStartsWhenOneIsFull)
{
    int perPage = 0;
    ASSERT_EQ(printLines("one.pdf", 1, &perPage), 1);
    ASSERT_GT(perPage, 20) << "9 pt lines on A4";
    EXPECT_EQ(printLines("full.pdf", perPage), 1);
    EXPECT_EQ(printLines("spill.pdf", perPage + 1), 2);
    EXPECT_EQ(printLines("three.pdf", 2 * perPage + 1), 3);
    EXPECT_EQ(printLines("exact.pdf", 3 * perPage), 3);
}

TEST(TextPrinter, LineBreaksInsideATextAreLinesOfTheirOwn)
{
    auto printer = pdfPrinter("breaks.pdf");
    TextPrinter tp(printer.get());
    ASSERT_TRUE(tp.begin());
    const int perPage = tp.linesPerPage();
    for (int i = 0; i < perPage - 1; ++i)
        ASSERT_TRUE(tp.writeLine(QString()));
    ASSERT_TRUE(tp.writeLine("last on page 1\r\nfirst on page 2\nsecond\tcolumn"));
    EXPECT_EQ(tp.linesWritten(), perPage + 2);
    EXPECT_EQ(tp.pageCount(), 2);
    ASSERT_TRUE(tp.end());
    EXPECT_EQ(pdfPages(printer->outputFileName()), 2);
}

TEST(TextPrinter, SmallerPaperHoldsFewerLines)
{
    auto a4 = pdfPrinter("a4.pdf");
    auto a6 = pdfPrinter("a6.pdf", QPageSize::A6);
    TextPrinter big(a4.get());
    TextPrinter small(a6.get());
    ASSERT_TRUE(big.begin());
    ASSERT_TRUE(small.begin());
    EXPECT_LT(small.linesPerPage(), big.linesPerPage());
    const int perPage = small.linesPerPage();
    for (int i = 0; i < perPage * 2; ++i)
        small.writeLine(QString(500, 'w')); // far wider than the page
    EXPECT_EQ(small.pageCount(), 2);
    EXPECT_TRUE(big.end());
    EXPECT_TRUE(small.end());
    EXPECT_EQ(pdfPages(a6->outputFileName()), 2);
}

TEST(TextPrinter, APageRangePrintsOnlyThosePages)
{
    // Pages of the text, the range chosen in the print dialog, and the
    // sheets that reach the paper.
    const struct {
        const char* file;
        int textPages;
        int from;
        int to;
        int sheets;
    } cases[] = {
        {"range-1-1.pdf", 3, 1, 1, 1},  {"range-2-2.pdf", 3, 2, 2, 1},
        {"range-2-3.pdf", 3, 2, 3, 2},  {"range-1-9.pdf", 3, 1, 9, 3},
        {"range-past.pdf", 2, 5, 6, 1}, // nothing to print: one blank sheet
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto printer = pdfPrinter(c.file);
        printer->setPrintRange(QPrinter::PageRange);
        printer->setFromTo(c.from, c.to);
        TextPrinter tp(printer.get());
        ASSERT_TRUE(tp.begin());
        const int lines = tp.linesPerPage() * (c.textPages - 1) + 1;
        for (int i = 0; i < lines; ++i)
            ASSERT_TRUE(tp.writeLine(QStringLiteral("line %1").arg(i + 1)));
        EXPECT_EQ(tp.pageCount(), c.textPages);
        EXPECT_EQ(tp.sheetCount(), c.sheets);
        ASSERT_TRUE(tp.end());
        EXPECT_EQ(pdfPages(printer->outputFileName()), c.sheets);
    }
}

TEST(TextPrinter, AllPagesPrintWhenTheRangeIsNotChosen)
{
    // A range left in the printer from an earlier dialog counts only while
    // "Pages from ... to" is the choice.
    auto printer = pdfPrinter("all-pages.pdf");
    printer->setFromTo(1, 1);
    printer->setPrintRange(QPrinter::AllPages);
    TextPrinter tp(printer.get());
    ASSERT_TRUE(tp.begin());
    for (int i = 0; i < tp.linesPerPage() + 1; ++i)
        ASSERT_TRUE(tp.writeLine(QStringLiteral("line")));
    ASSERT_TRUE(tp.end());
    EXPECT_EQ(pdfPages(printer->outputFileName()), 2);
}

TEST(TextPrinter, LongLinesGoOnInTheNextLinesWhenAskedTo)
{
    auto printer = pdfPrinter("wrapped.pdf", QPageSize::A6);
    TextPrinter tp(printer.get());
    tp.setWrapLongLines(true);
    ASSERT_TRUE(tp.begin());
    ASSERT_TRUE(tp.writeLine("short"));
    EXPECT_EQ(tp.linesWritten(), 1);
    // Far wider than an A6 page: every character printed, in several lines.
    ASSERT_TRUE(tp.writeLine(QString(300, 'w') + "END"));
    EXPECT_GT(tp.linesWritten(), 3);
    ASSERT_TRUE(tp.end());

    auto cut = pdfPrinter("cut.pdf", QPageSize::A6);
    TextPrinter plain(cut.get());
    ASSERT_TRUE(plain.begin());
    ASSERT_TRUE(plain.writeLine(QString(300, 'w') + "END"));
    EXPECT_EQ(plain.linesWritten(), 1) << "without wrapping the line is cut at the margin";
    ASSERT_TRUE(plain.end());
}
