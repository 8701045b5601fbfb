#include "controls/TextPrinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace rw {

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
    m_lineHeight = QFontMetrics(m_font, m_printer).lineSpacing();
    m_y = 0;
    m_pages = 1;
    m_lines = 0;
    return true;
}

int TextPrinter::linesPerPage() const
{
    if (!m_printer || m_lineHeight <= 0)
        return 0;
    return qMax(1, m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height() /
                       m_lineHeight);
}

bool TextPrinter::writeLine(const QString& line)
{
    if (!m_painter || !m_painter->isActive())
        return false;
    const int pageHeight =
        m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height();
    if (m_y + m_lineHeight > pageHeight && m_y > 0) {
        if (!m_printer->newPage())
            return false;
        m_y = 0;
        ++m_pages;
    }
    const QFontMetrics fm(m_font, m_printer);
    m_painter->drawText(0, m_y + fm.ascent(), line);
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
