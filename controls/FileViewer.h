#pragma once

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QRectF>
#include <QString>

#include <climits>
#include <cstdint>

#include "viewer/core/LineIndex.h"
#include "viewer/core/MappedFile.h"

namespace rw
{

// A place in the view: a display line (from 0) and a display column (from
// 0, after tab expansion).
struct TextPos {
    std::int64_t line = 0;
    int column = 0;
    friend bool operator==(const TextPos&, const TextPos&) = default;
    friend bool operator<(const TextPos& a, const TextPos& b)
    {
        return a.line < b.line || (a.line == b.line && a.column < b.column);
    }
};

// The read-only, fixed-font file view: shows a file of any size as text or
// as a hexadecimal dump, with a caret, a selection, copying, searching and
// line access for printing. The file is mapped, never read whole; lines are
// counted only as far as the view needs them (see LineIndex), and only the
// visible lines are painted.
//
// Text mode: one line per CR, LF or CR LF, at most 1023 bytes a line (a
// longer one goes on in the next line), a zero byte shown as a blank, tabs
// expanded to the tab size or shown as one blank. A file whose sampled
// bytes are valid UTF-8 is shown decoded, one column per character, and
// found by its characters; any other file, and any line of it that is no
// valid UTF-8 after all, shows one byte per column in the Windows code page
// (TextFormatter). Hex mode: 16 bytes a line (HexFormatter).
//
// The file may change while it is shown: before it reads, every command and
// every paint checks the file (MappedFile::refresh()); a file cut short or
// grown is shown as it now is, with the caret and the view kept as far as
// the file still reaches.
//
// Every column has one x, taken from the laid-out text of its row (glyphs
// advance by fractional pixels): the text, the selection, the caret and the
// mouse hits all use it, so what is highlighted is what is selected.
class FileViewer : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // What lineCount() says while the lines are not counted yet.
    static constexpr std::int64_t kNotCounted = INT_MAX;
    // The most a copy to the clipboard takes.
    static constexpr int kMaxCopyBytes = 65520;
    // The widest tab; larger sizes would only blow lines up to no purpose.
    static constexpr int kMaxTabSize = 128;
    // Files up to this size have their lines counted when opened.
    static constexpr std::int64_t kCountAtOpenBytes = std::int64_t(4) << 20;

    explicit FileViewer(QWidget* parent = nullptr);
    ~FileViewer() override;

    // The file shown, as the file system's bytes.
    const QByteArray& filePath() const { return m_filePath; }
    void setFilePath(const QByteArray& path) { m_filePath = path; }
    // The file named by a text path (an open dialog's answer, say): the text
    // encoded to the file system's bytes. Never pass a name decoded for
    // display here.
    void setFileName(const QString& name) { m_filePath = QFile::encodeName(name); }
    // Opens filePath() for display; false (and an empty view) when it cannot
    // be read. The caret goes to the start.
    bool open();
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString errorString() const { return m_file.errorString(); }

    // True when text mode shows the file decoded as UTF-8: decided when it
    // is opened (or changes), from a bounded sample (Utf8Text).
    bool decodesUtf8() const { return m_utf8; }
    bool hexMode() const { return m_hex; }
    // Switches the display; the caret stays on the same byte of the file.
    void setHexMode(bool on);
    bool expandTabs() const { return m_expandTabs; }
    void setExpandTabs(bool on);
    int tabSize() const { return m_tabSize; }
    // Sizes outside 1 to kMaxTabSize are ignored.
    void setTabSize(int size);
    QFont fixedFont() const { return m_font; }
    void setFixedFont(const QFont& font);

    std::int64_t fileSize() const { return m_file.size(); }
    // True when every line is counted (always in hex mode).
    bool isLineCountKnown() const;
    // The number of lines, or kNotCounted while they are not all counted.
    std::int64_t lineCount() const;
    // Counts every line (scanning the rest of the file) and returns the count.
    // A long count shows the hourglass and, after a moment, a progress box
    // with Cancel (LongRead); cancelled, it returns the lines counted so far
    // and lineCount() stays kNotCounted. Holes of a sparse file are counted
    // without being read.
    std::int64_t countLines();
    // Memory held by the line index.
    std::size_t indexMemoryBytes() const { return m_index.memoryBytes(); }

    std::int64_t topLine() const { return m_top; }
    void setTopLine(std::int64_t line);
    // Shows line `line` at the top (as far as the end allows); a line at or
    // beyond the known count (kNotCounted, say) counts all lines first and
    // shows the end. The caret goes to the start of that line.
    void moveToLine(std::int64_t line);
    int visibleLines() const;

    TextPos caret() const { return m_caret; }
    // Moves the caret (clamped to the file) and scrolls it into view; with
    // `extend` the selection runs from its anchor to the new place.
    void setCaret(TextPos pos, bool extend = false);

    bool hasSelection() const { return m_anchor != m_caret; }
    TextPos selectionStart() const { return qMin(m_anchor, m_caret); }
    TextPos selectionEnd() const { return qMax(m_anchor, m_caret); }
    void setSelection(TextPos from, TextPos to);
    // Selects every line (counting them first).
    void selectAll();
    // The selected text, lines joined by "\n"; empty and false in `fits` when
    // it would exceed kMaxCopyBytes.
    QString selectedText(bool* fits = nullptr);
    // Puts the selection on the clipboard; a selection above kMaxCopyBytes is
    // refused with the error box "Region is too large (> 64K)". True when copied.
    bool copyToClipboard();

    // Searches from the caret (from the start, or the end when searching
    // backward, with `global`) and selects the match; false when not found.
    bool search(const QString& text, bool backward, bool matchCase, bool global);

    // Line `line` as displayed (tabs expanded); empty past the end.
    QString lineText(std::int64_t line);

    // Where the cell at `pos` is drawn, in viewport pixels: its left edge is
    // where the glyph of that column starts and where the caret stands
    // before it. For a row in view; a row outside the view gives the x of
    // the column as if it were in view.
    QRectF cellRect(TextPos pos);

signals:
    // The caret, the view or the file changed.
    void showStatus();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    class Access;
    // Maps the file anew when it changed on disk and brings the index, the
    // caret and the view in line with it. Run by Access at every entry.
    void sync();
    // Points the line index at the mapped file and where it holds data.
    void resetIndex();
    // Lines in the view: exact when counted, else an estimate.
    std::int64_t rowCount() const;
    bool rowExists(std::int64_t row);
    int rowLength(std::int64_t row);
    // The bytes of a text-mode line.
    LineIndex::Span textSpan(std::int64_t row) { return m_index.lineSpan(row); }
    std::int64_t offsetOf(TextPos pos);
    // The place of a byte; with `asEnd` the end of a range that fills its
    // line stays on that line.
    TextPos posOf(std::int64_t offset, bool asEnd);
    TextPos clampPos(TextPos pos);
    TextPos lastPos();
    TextPos posAt(const QPointF& point);
    void ensureCaretVisible();
    void updateScrollBars();
    void changed();
    // The advance of one cell, in fractional pixels.
    qreal cellWidth() const;
    int lineHeight() const;
    int visibleColumns() const;

    QByteArray m_filePath;
    MappedFile m_file;
    LineIndex m_index;
    bool m_hex = false;
    bool m_utf8 = false;
    bool m_expandTabs = true;
    int m_tabSize = 8;
    int m_hexDigits = 8;
    QFont m_font;
    std::int64_t m_top = 0;
    int m_left = 0; // first visible column
    TextPos m_caret;
    TextPos m_anchor;
    bool m_updatingBars = false;
    int m_depth = 0; // entries running (Access), so only the outer one syncs
    // Set when the scroll range is scaled down to fit an int.
    double m_scrollScale = 1.0;
};

// The name the file viewer window knows the control by.
using TOvcFileViewer = FileViewer;

} // namespace rw
