#include "controls/FileViewer.h"

#include "base/ProgramMessages.h"
#include "controls/LongRead.h"
#include "viewer/core/HexFormatter.h"
#include "viewer/core/TextFormatter.h"
#include "viewer/core/TextSearch.h"
#include "viewer/core/Utf8Text.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace rw
{

namespace
{
// The largest scroll range used as is; longer files scale the bar.
constexpr std::int64_t kMaxScrollRange = std::int64_t(1) << 30;
constexpr int kMargin = 2;

// The visible text of one row laid out as it is drawn: the one source of
// the x of its columns for painting, highlighting, the caret and mouse hits.
// Columns past the text go on in steps of one cell.
class RowLayout
{
public:
    RowLayout(const QString& text, const QFont& font, const QPaintDevice* device, qreal cell)
        : m_layout(text, font, device), m_cell(cell), m_length(static_cast<int>(text.size()))
    {
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        m_layout.setTextOption(option);
        m_layout.beginLayout();
        m_line = m_layout.createLine();
        if (m_line.isValid())
            m_line.setLineWidth(1e7);
        m_layout.endLayout();
        m_end = m_line.isValid() ? m_line.cursorToX(m_length) : 0.0;
    }

    // The x (from the text's start) where column `column` begins.
    qreal x(int column) const
    {
        if (column <= 0 || !m_line.isValid())
            return column <= 0 ? 0.0 : column * m_cell;
        if (column <= m_length)
            return m_line.cursorToX(column);
        return m_end + (column - m_length) * m_cell;
    }
    // The column boundary nearest to `x`.
    int hit(qreal x) const
    {
        if (x <= 0 || !m_line.isValid())
            return x <= 0 ? 0 : static_cast<int>(std::lround(x / m_cell));
        if (x >= m_end)
            return m_length + static_cast<int>(std::lround((x - m_end) / m_cell));
        return m_line.xToCursor(x, QTextLine::CursorBetweenCharacters);
    }
    void draw(QPainter* painter, const QPointF& at,
              const QList<QTextLayout::FormatRange>& formats) const
    {
        m_layout.draw(painter, at, formats);
    }

private:
    QTextLayout m_layout;
    QTextLine m_line;
    qreal m_cell;
    int m_length;
    qreal m_end = 0.0;
};

} // namespace

// Marks an entry into the viewer from outside (a command or an event):
// the outermost one checks the file first, so every read that follows sees
// the file's current size.
class FileViewer::Access
{
public:
    explicit Access(FileViewer* viewer) : m_viewer(viewer)
    {
        if (m_viewer->m_depth++ == 0)
            m_viewer->sync();
    }
    ~Access() { --m_viewer->m_depth; }
    Access(const Access&) = delete;
    Access& operator=(const Access&) = delete;

private:
    FileViewer* m_viewer;
};

FileViewer::FileViewer(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    setFixedFont(font);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
}

FileViewer::~FileViewer() = default;

bool FileViewer::open()
{
    close();
    const Access access(this);
    const bool ok = m_file.open(m_filePath);
    resetIndex();
    m_hexDigits = HexFormatter::offsetDigits(m_file.size());
    // A small file is counted at once (a few milliseconds), so its total
    // shows from the start; large files are counted only when needed.
    if (m_file.size() <= kCountAtOpenBytes)
        m_index.lineCount();
    changed();
    return ok;
}

void FileViewer::sync()
{
    if (!m_file.refresh())
        return;
    resetIndex();
    m_hexDigits = HexFormatter::offsetDigits(m_file.size());
    if (m_file.size() <= kCountAtOpenBytes)
        m_index.lineCount();
    m_caret = clampPos(m_caret);
    m_anchor = clampPos(m_anchor);
    setTopLine(m_top); // clamps the view to the new end, and tells the change
}

void FileViewer::resetIndex()
{
    m_index.reset(m_file.data(), m_file.size());
    // The holes of a sparse file are counted, not read.
    const LineIndex::DataRanges ranges = [this](std::int64_t offset, std::int64_t* start,
                                                std::int64_t* end) {
        return m_file.dataRange(offset, start, end);
    };
    m_index.setDataRanges(ranges);
    // Decided from a sample, so opening a file of any size stays instant.
    m_utf8 = Utf8Text::sampleIsValid(m_file.data(), m_file.size(), ranges);
    m_index.setUtf8Wrap(m_utf8);
}

void FileViewer::close()
{
    m_file.close();
    m_index.reset(nullptr, 0);
    m_top = 0;
    m_left = 0;
    m_caret = m_anchor = TextPos();
    changed();
}

void FileViewer::setHexMode(bool on)
{
    if (on == m_hex)
        return;
    const Access access(this);
    // Keep the caret on the same byte across the switch.
    const std::int64_t offset = offsetOf(m_caret);
    m_hex = on;
    m_left = 0;
    m_caret = m_anchor = posOf(offset, false);
    m_top = std::max<std::int64_t>(0, m_caret.line - visibleLines() / 2);
    setTopLine(m_top);
    ensureCaretVisible();
    changed();
}

void FileViewer::setExpandTabs(bool on)
{
    const Access access(this);
    m_expandTabs = on;
    m_caret = clampPos(m_caret);
    m_anchor = clampPos(m_anchor);
    changed();
}

void FileViewer::setTabSize(int size)
{
    if (size < 1 || size > kMaxTabSize)
        return;
    const Access access(this);
    m_tabSize = size;
    m_caret = clampPos(m_caret);
    m_anchor = clampPos(m_anchor);
    changed();
}

void FileViewer::setFixedFont(const QFont& font)
{
    const Access access(this);
    m_font = font;
    viewport()->setFont(m_font);
    changed();
}

bool FileViewer::isLineCountKnown() const
{
    return m_hex || m_index.isComplete();
}

std::int64_t FileViewer::lineCount() const
{
    if (m_hex)
        return HexFormatter::lineCount(m_file.size());
    return m_index.isComplete() ? m_index.knownLineCount() : kNotCounted;
}

std::int64_t FileViewer::countLines()
{
    if (m_hex)
        return lineCount();
    const Access access(this);
    if (!m_index.isComplete()) {
        // In slices, letting go of each slice's pages once counted: the
        // count of a huge file costs no more memory than the index. Between
        // slices the window paints and the count can be cancelled; a
        // cancelled count stays incomplete (the lines counted so far).
        LongRead read(window(), tr("Counting lines..."));
        constexpr std::int64_t kSlice = std::int64_t(32) << 20;
        m_file.adviseSequential(m_index.scannedBytes(), m_file.size());
        while (!m_index.isComplete()) {
            const std::int64_t from = m_index.scannedBytes();
            m_index.scanTo(from + kSlice);
            m_file.release(from, m_index.scannedBytes() - from);
            if (!read.step(m_index.scannedBytes(), m_file.size()))
                break;
        }
        changed();
    }
    return m_index.knownLineCount();
}

std::int64_t FileViewer::rowCount() const
{
    return m_hex ? HexFormatter::lineCount(m_file.size()) : m_index.estimatedLineCount();
}

bool FileViewer::rowExists(std::int64_t row)
{
    if (row < 0)
        return false;
    return m_hex ? row < HexFormatter::lineCount(m_file.size()) : m_index.ensureLine(row);
}

int FileViewer::rowLength(std::int64_t row)
{
    if (!rowExists(row))
        return 0;
    if (m_hex) {
        const std::int64_t bytes = std::min<std::int64_t>(
            HexFormatter::kBytesPerLine, m_file.size() - row * HexFormatter::kBytesPerLine);
        return HexFormatter::charColumn(m_hexDigits) + static_cast<int>(bytes);
    }
    const LineIndex::Span span = textSpan(row);
    return TextFormatter::displayColumn(m_file.data() + span.start, span.length, span.length,
                                        m_expandTabs, m_tabSize, m_utf8);
}

QString FileViewer::lineText(std::int64_t line)
{
    const Access access(this);
    if (!rowExists(line))
        return QString();
    if (m_hex) {
        const std::int64_t offset = line * HexFormatter::kBytesPerLine;
        const int count = static_cast<int>(
            std::min<std::int64_t>(HexFormatter::kBytesPerLine, m_file.size() - offset));
        return HexFormatter::formatLine(m_file.data() + offset, count, offset, m_hexDigits,
                                        m_expandTabs);
    }
    const LineIndex::Span span = textSpan(line);
    return TextFormatter::displayText(m_file.data() + span.start, span.length, m_expandTabs,
                                      m_tabSize, m_utf8);
}

std::int64_t FileViewer::offsetOf(TextPos pos)
{
    if (!rowExists(pos.line))
        return m_file.size();
    if (m_hex) {
        const std::int64_t rowStart = pos.line * HexFormatter::kBytesPerLine;
        const int bytes = static_cast<int>(
            std::min<std::int64_t>(HexFormatter::kBytesPerLine, m_file.size() - rowStart));
        const int charAt = HexFormatter::charColumn(m_hexDigits);
        const int hexAt = HexFormatter::hexColumn(m_hexDigits);
        int byte = 0;
        if (pos.column >= charAt)
            byte = pos.column - charAt;
        else if (pos.column >= hexAt)
            byte = (pos.column - hexAt) / 3;
        return rowStart + std::min(byte, bytes);
    }
    const LineIndex::Span span = textSpan(pos.line);
    return span.start + TextFormatter::byteColumn(m_file.data() + span.start, span.length,
                                                  pos.column, m_expandTabs, m_tabSize, m_utf8);
}

TextPos FileViewer::posOf(std::int64_t offset, bool asEnd)
{
    if (offset >= m_file.size())
        return lastPos();
    offset = std::max<std::int64_t>(0, offset);
    if (m_hex) {
        const int charAt = HexFormatter::charColumn(m_hexDigits);
        // The end of a match that fills its row stays on that row.
        if (asEnd && offset > 0 && offset % HexFormatter::kBytesPerLine == 0)
            return {offset / HexFormatter::kBytesPerLine - 1, charAt + HexFormatter::kBytesPerLine};
        return {offset / HexFormatter::kBytesPerLine,
                charAt + static_cast<int>(offset % HexFormatter::kBytesPerLine)};
    }
    std::int64_t line = m_index.lineOfOffset(offset);
    LineIndex::Span span = textSpan(line);
    // The end of a match that fills a wrapped line stays on that line.
    if (asEnd && line > 0 && offset == span.start) {
        --line;
        span = textSpan(line);
    }
    const int byte = static_cast<int>(std::min<std::int64_t>(offset - span.start, span.length));
    return {line, TextFormatter::displayColumn(m_file.data() + span.start, span.length, byte,
                                               m_expandTabs, m_tabSize, m_utf8)};
}

TextPos FileViewer::lastPos()
{
    const std::int64_t count = countLines();
    if (count == 0)
        return {};
    return {count - 1, rowLength(count - 1)};
}

TextPos FileViewer::clampPos(TextPos pos)
{
    if (m_file.size() == 0)
        return {};
    pos.line = std::max<std::int64_t>(0, pos.line);
    if (!rowExists(pos.line))
        pos.line = std::max<std::int64_t>(0, countLines() - 1);
    pos.column = std::clamp(pos.column, 0, rowLength(pos.line));
    return pos;
}

qreal FileViewer::cellWidth() const
{
    return std::max<qreal>(1.0, QFontMetricsF(m_font).horizontalAdvance(QLatin1Char('M')));
}

int FileViewer::lineHeight() const
{
    return std::max(1, static_cast<int>(std::ceil(QFontMetricsF(m_font).lineSpacing())));
}

int FileViewer::visibleLines() const
{
    return std::max(1, viewport()->height() / lineHeight());
}

int FileViewer::visibleColumns() const
{
    return std::max(1, static_cast<int>((viewport()->width() - kMargin) / cellWidth()));
}

void FileViewer::setTopLine(std::int64_t line)
{
    const Access access(this);
    const int vis = visibleLines();
    line = std::max<std::int64_t>(0, line);
    if (!m_hex)
        m_index.ensureLine(line + vis); // scan only as far as the view needs
    const std::int64_t maxTop = std::max<std::int64_t>(0, rowCount() - vis);
    m_top = std::min(line, maxTop);
    changed();
}

void FileViewer::moveToLine(std::int64_t line)
{
    const Access access(this);
    if (line >= kNotCounted || (!m_hex && !m_index.ensureLine(line)))
        line = countLines() - 1;
    line = std::max<std::int64_t>(0, line);
    setTopLine(line);
    m_caret = m_anchor = clampPos({line, 0});
    changed();
}

void FileViewer::setCaret(TextPos pos, bool extend)
{
    const Access access(this);
    m_caret = clampPos(pos);
    if (!extend)
        m_anchor = m_caret;
    ensureCaretVisible();
    changed();
}

void FileViewer::setSelection(TextPos from, TextPos to)
{
    const Access access(this);
    m_anchor = clampPos(from);
    m_caret = clampPos(to);
    ensureCaretVisible();
    changed();
}

void FileViewer::selectAll()
{
    const Access access(this);
    m_anchor = TextPos();
    m_caret = lastPos();
    changed();
}

QString FileViewer::selectedText(bool* fits)
{
    const Access access(this);
    if (fits)
        *fits = true;
    if (!hasSelection())
        return QString();
    const TextPos s = selectionStart();
    const TextPos e = selectionEnd();
    QString out;
    for (std::int64_t row = s.line; row <= e.line; ++row) {
        const QString text = lineText(row);
        const int from = row == s.line ? s.column : 0;
        const int to = row == e.line ? e.column : static_cast<int>(text.size());
        out += text.mid(from, std::max(0, to - from));
        if (row < e.line)
            out += QLatin1Char('\n');
        // Stop early: a selection of a whole large file is never built.
        if (out.size() > kMaxCopyBytes) {
            if (fits)
                *fits = false;
            return QString();
        }
    }
    return out;
}

bool FileViewer::copyToClipboard()
{
    if (!hasSelection())
        return false;
    bool fits = true;
    const QString text = selectedText(&fits);
    if (!fits) {
        ShowErrorMessage(tr("Region is too large (> 64K)"));
        return false;
    }
    QApplication::clipboard()->setText(text);
    return true;
}

bool FileViewer::search(const QString& text, bool backward, bool matchCase, bool global)
{
    const Access access(this);
    // Decoded text is searched for by its characters; hex mode and a file in
    // the code page by the text's bytes there.
    const bool decoded = m_utf8 && !m_hex;
    bool ok = true;
    const QByteArray needle = decoded ? text.toUtf8() : TextFormatter::toAnsi(text, &ok);
    if (!ok || needle.isEmpty() || m_file.size() == 0)
        return false;
    std::int64_t from;
    if (global)
        from = backward ? m_file.size() : 0;
    else if (backward)
        from = offsetOf(hasSelection() ? selectionStart() : m_caret);
    else // just past the start of the current match, so the next one is found
        from = hasSelection() ? offsetOf(selectionStart()) + 1 : offsetOf(m_caret);

    for (;;) {
        const TextSearch::Match match =
            decoded ? TextSearch::findUtf8(m_file.data(), m_file.size(), text, from, backward,
                                           matchCase)
                    : TextSearch::Match{TextSearch::find(m_file.data(), m_file.size(), needle, from,
                                                         backward, matchCase),
                                        needle.size()};
        const std::int64_t hit = match.offset;
        if (hit < 0)
            return false;
        if (!m_hex) {
            // In text mode a match must lie within one displayed line.
            const LineIndex::Span span = textSpan(m_index.lineOfOffset(hit));
            if (hit + match.length > span.start + span.length) {
                from = backward ? hit : hit + 1;
                continue;
            }
        }
        setSelection(posOf(hit, false), posOf(hit + match.length, true));
        return true;
    }
}

void FileViewer::ensureCaretVisible()
{
    const int vis = visibleLines();
    if (m_caret.line < m_top)
        setTopLine(m_caret.line);
    else if (m_caret.line >= m_top + vis)
        setTopLine(m_caret.line - vis + 1);
    const int cols = visibleColumns();
    if (m_caret.column < m_left)
        m_left = m_caret.column;
    else if (m_caret.column >= m_left + cols)
        m_left = m_caret.column - cols + 1;
}

void FileViewer::updateScrollBars()
{
    m_updatingBars = true;
    const int vis = visibleLines();
    const std::int64_t maxTop = std::max<std::int64_t>(0, rowCount() - vis);
    QScrollBar* vbar = verticalScrollBar();
    vbar->setPageStep(vis);
    if (maxTop <= kMaxScrollRange) {
        m_scrollScale = 1.0;
        vbar->setRange(0, static_cast<int>(maxTop));
        vbar->setValue(static_cast<int>(std::min(m_top, maxTop)));
    } else {
        // Billions of lines: the bar moves in steps of several lines.
        m_scrollScale = static_cast<double>(maxTop) / static_cast<double>(kMaxScrollRange);
        vbar->setRange(0, static_cast<int>(kMaxScrollRange));
        vbar->setValue(m_top >= maxTop ? static_cast<int>(kMaxScrollRange)
                                       : static_cast<int>(std::llround(m_top / m_scrollScale)));
    }
    // The horizontal range follows the widest line in view.
    int widest = 0;
    for (std::int64_t row = m_top; row <= m_top + vis && rowExists(row); ++row)
        widest = std::max(widest, rowLength(row) + 1);
    widest = std::max(widest, m_caret.column + 1);
    const int cols = visibleColumns();
    QScrollBar* hbar = horizontalScrollBar();
    hbar->setPageStep(cols);
    hbar->setRange(0, std::max(0, std::max(widest - cols, m_left)));
    hbar->setValue(m_left);
    m_updatingBars = false;
}

void FileViewer::changed()
{
    updateScrollBars();
    viewport()->update();
    emit showStatus();
}

void FileViewer::scrollContentsBy(int, int)
{
    if (m_updatingBars)
        return;
    const Access access(this);
    m_left = horizontalScrollBar()->value();
    QScrollBar* vbar = verticalScrollBar();
    const int value = vbar->value();
    if (value == vbar->maximum() && value > 0) {
        // The bottom of the bar is the end of the file, also before the
        // lines are counted.
        setTopLine(countLines());
        return;
    }
    setTopLine(m_scrollScale == 1.0 ? value : std::llround(value * m_scrollScale));
}

void FileViewer::resizeEvent(QResizeEvent* event)
{
    const Access access(this);
    QAbstractScrollArea::resizeEvent(event);
    setTopLine(m_top);
}

QRectF FileViewer::cellRect(TextPos pos)
{
    const Access access(this);
    const RowLayout row(rowExists(pos.line) ? lineText(pos.line).mid(m_left) : QString(), m_font,
                        viewport(), cellWidth());
    const qreal x = row.x(pos.column - m_left);
    const qreal y = static_cast<qreal>(pos.line - m_top) * lineHeight();
    return QRectF(kMargin + x, y, row.x(pos.column - m_left + 1) - x, lineHeight());
}

void FileViewer::paintEvent(QPaintEvent*)
{
    const Access access(this);
    QPainter p(viewport());
    const QPalette& pal = viewport()->palette();
    p.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    p.setFont(m_font);
    const qreal cell = cellWidth();
    const int lh = lineHeight();
    const int cols = visibleColumns() + 1;
    const bool sel = hasSelection();
    const TextPos s = selectionStart();
    const TextPos e = selectionEnd();
    const int vis = visibleLines();
    QTextCharFormat selected;
    selected.setForeground(pal.color(QPalette::HighlightedText));
    for (int i = 0; i <= vis; ++i) {
        const std::int64_t row = m_top + i;
        if (!rowExists(row))
            break;
        const QString text = lineText(row);
        const RowLayout layout(text.mid(m_left, cols), m_font, viewport(), cell);
        const int y = i * lh;
        QList<QTextLayout::FormatRange> formats;
        if (sel && row >= s.line && row <= e.line) {
            const int from = row == s.line ? s.column : 0;
            // A selected line break shows as one selected cell past the text.
            const int to = row == e.line ? e.column : static_cast<int>(text.size()) + 1;
            const int a = std::max(from, m_left);
            const int b = std::min(to, m_left + cols);
            if (b > a) {
                const qreal left = layout.x(a - m_left);
                const qreal right = layout.x(b - m_left);
                p.fillRect(QRectF(kMargin + left, y, right - left, lh),
                           pal.color(QPalette::Highlight));
                formats.append({a - m_left, b - a, selected});
            }
        }
        p.setPen(pal.color(QPalette::Text));
        layout.draw(&p, QPointF(kMargin, y), formats);
        if (row == m_caret.line && m_caret.column >= m_left) {
            const qreal x = kMargin + layout.x(m_caret.column - m_left);
            p.fillRect(QRectF(x, y, hasFocus() ? 2 : 1, lh), pal.color(QPalette::Text));
        }
    }
    if (m_file.size() == 0 && m_caret.line == m_top)
        p.fillRect(QRect(kMargin, 0, hasFocus() ? 2 : 1, lh), pal.color(QPalette::Text));
}

void FileViewer::keyPressEvent(QKeyEvent* event)
{
    const Access access(this);
    if (event->matches(QKeySequence::Copy) ||
        (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ControlModifier)) {
        copyToClipboard();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int vis = visibleLines();
    TextPos pos = m_caret;
    switch (event->key()) {
    case Qt::Key_Up:
        --pos.line;
        break;
    case Qt::Key_Down:
        ++pos.line;
        break;
    case Qt::Key_PageUp:
        setTopLine(m_top - vis);
        pos.line -= vis;
        break;
    case Qt::Key_PageDown:
        setTopLine(m_top + vis);
        pos.line += vis;
        break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        pos.column = std::max(0, pos.column + step);
        // A character beyond U+FFFF takes two columns; the caret never
        // stands between them.
        const QString text = m_utf8 && !m_hex ? lineText(pos.line) : QString();
        if (pos.column > 0 && pos.column < text.size() && text.at(pos.column).isLowSurrogate())
            pos.column += step;
        break;
    }
    case Qt::Key_Home:
        pos = ctrl ? TextPos() : TextPos{pos.line, 0};
        break;
    case Qt::Key_End:
        pos = ctrl ? lastPos() : TextPos{pos.line, rowLength(pos.line)};
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    setCaret(pos, extend);
}

TextPos FileViewer::posAt(const QPointF& point)
{
    const std::int64_t line =
        m_top + static_cast<int>(std::max<qreal>(0, point.y())) / lineHeight();
    const RowLayout row(rowExists(line) ? lineText(line).mid(m_left) : QString(), m_font,
                        viewport(), cellWidth());
    return {line, m_left + row.hit(point.x() - kMargin)};
}

void FileViewer::mousePressEvent(QMouseEvent* event)
{
    const Access access(this);
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton)
        setCaret(posAt(event->position()), event->modifiers() & Qt::ShiftModifier);
}

void FileViewer::mouseMoveEvent(QMouseEvent* event)
{
    const Access access(this);
    if (event->buttons() & Qt::LeftButton)
        setCaret(posAt(event->position()), true);
}

void FileViewer::wheelEvent(QWheelEvent* event)
{
    const Access access(this);
    const QPoint steps = event->angleDelta() / 40; // three lines a notch
    if (steps.y() != 0)
        setTopLine(m_top - steps.y());
    if (steps.x() != 0) {
        m_left = std::max(0, m_left - steps.x());
        changed();
    }
    event->accept();
}

} // namespace rw
