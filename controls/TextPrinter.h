#pragma once

#include <QFont>
#include <QPageRanges>
#include <QString>

#include <memory>

class QPrinter;
class QPainter;

namespace rw
{

// The printer used as a text device: lines in one fixed font, a new page
// whenever one is full. Grids, the viewer and the details window print
// through it. It prints to the QPrinter it is given (not owned), which may
// be a PDF printer in tests. When the printer was given a page range (the
// print dialog's "Pages from ... to"), only those pages of the text reach
// the paper; the text is still laid out from its first page.
class TextPrinter
{
public:
    // `font` defaults to Courier 9 pt.
    explicit TextPrinter(QPrinter* printer,
                         const QFont& font = QFont(QStringLiteral("Courier"), 9));
    ~TextPrinter();

    // Starts the document; false when the printer cannot be opened.
    bool begin();
    // Writes one line (an empty text gives an empty line); false on a write
    // error or before begin(). A line longer than the page is cut at the
    // right margin, or with setWrapLongLines(true) goes on in the next
    // lines. Tabs are set to every eighth column; a text holding line
    // breaks is written as several lines.
    bool writeLine(const QString& line);
    // Lines wider than the page go on in the next lines instead of being
    // cut (a report whose last column must print whole).
    void setWrapLongLines(bool on) { m_wrap = on; }
    // Ends the document; false on error.
    bool end();

    int linesPerPage() const;
    // Pages of the text so far, printed or not.
    int pageCount() const { return m_pages; }
    // Sheets given to the printer: the pages of the chosen range, and at
    // least one (a document without a printed page is one blank sheet).
    int sheetCount() const { return m_sheets; }
    int linesWritten() const { return m_lines; }

private:
    bool writeOneLine(const QString& line);
    bool writeWrapped(const QString& line);
    bool printsPage(int page) const { return m_range.isEmpty() || m_range.contains(page); }

    QPrinter* m_printer;
    QFont m_font;
    std::unique_ptr<QPainter> m_painter;
    int m_y = 0;
    int m_lineHeight = 0;
    int m_ascent = 0;
    int m_pages = 0;
    int m_lines = 0;
    bool m_wrap = false;
    QPageRanges m_range; // empty: every page
    int m_sheetPage = 0; // the page of the text on the sheet in the printer; 0: none yet
    int m_sheets = 0;    // sheets given a page of the text
};

} // namespace rw
