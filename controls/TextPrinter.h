#pragma once

#include <QFont>
#include <QString>

#include <memory>

class QPrinter;
class QPainter;

namespace rw {

// The printer used as a text device: lines in one fixed font, a new page
// whenever one is full. Grids, the viewer and the details window print
// through it. It prints to the QPrinter it is given (not owned), which may
// be a PDF printer in tests.
class TextPrinter {
public:
    // `font` defaults to Courier 9 pt.
    explicit TextPrinter(QPrinter* printer, const QFont& font = QFont(QStringLiteral("Courier"), 9));
    ~TextPrinter();

    // Starts the document; false when the printer cannot be opened.
    bool begin();
    // Writes one line (an empty text gives an empty line); false on a write
    // error. A line longer than the page is cut at the right margin.
    bool writeLine(const QString& line);
    // Ends the document; false on error.
    bool end();

    int linesPerPage() const;
    int pageCount() const { return m_pages; }
    int linesWritten() const { return m_lines; }

private:
    QPrinter* m_printer;
    QFont m_font;
    std::unique_ptr<QPainter> m_painter;
    int m_y = 0;
    int m_lineHeight = 0;
    int m_pages = 0;
    int m_lines = 0;
};

} // namespace rw
