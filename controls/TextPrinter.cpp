#include "controls/TextPrinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QStringList>

namespace rw
{

TextPrinter::TextPrinter(QPrinter* printer, const QFont& font) : m_printer(printer), m_font(font)
{
    m_font.setStyleHint(QFont::TypeWriter);
    m_font.setFixedPitch(true);
}

TextPrinter::~TextPrinter()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

bool TextPrinter::begin()
{
    if (!m_printer)
        return false;
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer)) {
        m_painter.reset();
        return false;
    }
    m_painter->setFont(m_font);
    // Cut at the right margin: nothing is drawn beyond the printable area.
    const QRect page = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
    m_painter->setClipRect(QRect(0, 0, page.width(), page.height()));
    // The metrics of the font as the painter resolved it for this device.
    const QFontMetrics fm = m_painter->fontMetrics();
    m_lineHeight = fm.lineSpacing();
    m_ascent = fm.ascent();
    m_y = 0;
    m_pages = 1;
    m_lines = 0;
    m_range =
        m_printer->printRange() == QPrinter::PageRange ? m_printer->pageRanges() : QPageRanges();
    m_sheetPage = 0;
    m_sheets = 1; // the painter opened the first sheet
    return true;
}

int TextPrinter::linesPerPage() const
{
    if (!m_printer || m_lineHeight <= 0)
        return 0;
    return qMax(1, m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height() /
                       m_lineHeight);
}

namespace
{

// Tabs to blanks at every eighth column, as a text device lays them out; a
// painter would draw a tab as nothing (or a box).
QString expandTabs(const QString& line)
{
    if (!line.contains('\t'))
        return line;
    QString out;
    out.reserve(line.size() + 16);
    for (QChar ch : line) {
        if (ch == '\t')
            out += QString(8 - out.size() % 8, ' ');
        else
            out += ch;
    }
    return out;
}

} // namespace

bool TextPrinter::writeLine(const QString& line)
{
    if (!m_painter || !m_painter->isActive())
        return false;
    // A text holding line breaks is several lines; each takes its own place
    // on the page, so page breaks stay right.
    const QStringList parts = line.split('\n');
    for (QString part : parts) {
        if (part.endsWith('\r'))
            part.chop(1);
        if (!(m_wrap ? writeWrapped(expandTabs(part)) : writeOneLine(expandTabs(part))))
            return false;
    }
    return true;
}

bool TextPrinter::writeWrapped(const QString& line)
{
    const int width = m_printer->pageLayout().paintRectPixels(m_printer->resolution()).width();
    const QFontMetrics fm = m_painter->fontMetrics();
    QString rest = line;
    while (fm.horizontalAdvance(rest) > width) {
        // The longest beginning that fits, at least one character.
        qsizetype fits = 1;
        qsizetype over = rest.size();
        while (over - fits > 1) {
            const qsizetype mid = (fits + over) / 2;
            if (fm.horizontalAdvance(rest.left(mid)) <= width)
                fits = mid;
            else
                over = mid;
        }
        if (!writeOneLine(rest.left(fits)))
            return false;
        rest.remove(0, fits);
    }
    return writeOneLine(rest);
}

bool TextPrinter::writeOneLine(const QString& line)
{
    const QRect page = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
    if (m_y + m_lineHeight > page.height() && m_y > 0) {
        m_y = 0;
        ++m_pages;
    }
    if (printsPage(m_pages)) {
        // A page outside the chosen range is laid out but takes no sheet;
        // the first printed page goes on the sheet the painter opened.
        if (m_sheetPage != m_pages) {
            if (m_sheetPage != 0) {
                if (!m_printer->newPage())
                    return false;
                ++m_sheets;
            }
            m_sheetPage = m_pages;
        }
        m_painter->drawText(0, m_y + m_ascent, line);
    }
    m_y += m_lineHeight;
    ++m_lines;
    return true;
}

bool TextPrinter::end()
{
    if (!m_painter)
        return false;
    const bool ok = m_painter->end();
    m_painter.reset();
    return ok;
}

} // namespace rw
