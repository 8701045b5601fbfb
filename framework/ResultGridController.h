#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "framework/core/DeleteTarget.h"
#include "framework/core/GridSort.h"
#include "framework/core/MarkTotals.h"
#include "framework/core/ResultLines.h"

class QAbstractButton;
class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QTimer;
class QWidget;

namespace rw
{

class ResultGridModel;
class ResultGridView;

// One entry of a tool's "Sort" submenu.
struct GridSortItem {
    QString caption;    // menu text, e.g. "&Size"
    QString objectName; // e.g. "Sortbysize1"
    QString key;        // name of its direction flag (defaults to objectName)
    int column = 0;     // key column
    SortKind kind = SortKind::Text;
    bool firstDescending = false; // direction of the first sort of a program run
    bool onHeaderClick = true;    // a click on this column's header sorts by it
};

// Where the clipboard text comes from.
enum class ClipboardSource {
    ResultLines, // the result lines in the order they were added, tabs kept
    GridRows     // the grid's data rows in their present order
};

// The make-up of the grid's right-click menu.
enum class GridPopupMenu {
    Full,        // Details, Sort submenu, Mark, Resize, Run, View
    SortAndPanel // the sort items at the top level, a separator, Shrink/Restore top panel
};

// What differs between the tool windows that show a result grid.
struct ResultGridConfig {
    QStringList headers;
    // Column c shows field fieldOrder[c] (counted from 1) of a record's
    // result line; empty means field c + 1.
    QList<int> fieldOrder;
    int markColumn = 0;             // carries the mark
    int sizeColumn = -1;            // drawn right-aligned
    QList<int> rightAlignedColumns; // further right-aligned columns

    QString sortWindowKey; // names this window's direction flags
    QList<GridSortItem> sortItems;
    int defaultSortItem = 0; // checked by ClearGrid
    // Invert the flag before sorting instead of after (the browser's way).
    bool flipBeforeSort = false;
    GridPopupMenu popupMenu = GridPopupMenu::Full;

    QString statusPrefix;                    // put before "%d files %s bytes"
    QLabel* statusLabel = nullptr;           // marked totals are shown here
    QAbstractButton* deleteButton = nullptr; // enabled exactly when files are marked
    QWidget* topPanel = nullptr;             // folded by "Shrink top panel"
    bool resizeMenu = true;                  // the menu offers "Resize" (fold the top panel)

    std::function<QString()> printTitle; // title of the printed report
    std::function<QString()> wildcard;   // file mask handed to the browser

    ClipboardSource clipboard = ClipboardSource::ResultLines;
    int clipboardColumns = -1;         // GridRows: columns 0..n-1 copied; -1 all
    bool clipboardTrailingTab = false; // GridRows: every cell followed by a tab
                                       // instead of cells joined by tabs

    // Widths at 96 dpi of the first columns, the least each gets (scaled by
    // dpi/96): a column is widened just enough that its heading and a value
    // of the kind it shows fit in the grid's font with the cell insets. The
    // last column gets the client width minus lastColumnMargin (unscaled) and
    // minus what the others were widened by, unless lastColumnWidth is set
    // (it is given the widths the columns really got); it too is never
    // narrower than its heading, nor than lastColumnMinimum (at 96 dpi,
    // scaled: its described width at the window's first size). Where the
    // window is too narrow for them all, the grid scrolls sideways.
    QList<int> columnWidths;
    int lastColumnMargin = 0;
    int lastColumnMinimum = 0;
    std::function<int(int clientWidth, const QList<int>& scaledWidths)> lastColumnWidth;

    int cellInset = 2;
    // Double click, Delete key release and header click call the handlers.
    bool connectGridGestures = true;
};

// The result grid handlers every tool window shares: filling, marking with
// counts and status, sorting with direction flags that live for the program
// run, printing, clipboard copy, opening the current file, folding the top
// panel, column widths and the right-click menu. The window owns the view and
// this controller (as a child); the controller owns the model and the menu.
// Row numbers are the model's: data rows from 0, the header is not a row.
class ResultGridController : public QObject
{
    Q_OBJECT
public:
    // Marker text of files found on the search path; removed from a path
    // before any file operation.
    static QString searchPathTag() { return QStringLiteral("*(SEARCHPATH)*"); }

    ResultGridController(QWidget* window, ResultGridView* grid, ResultGridConfig config);
    ~ResultGridController() override;

    ResultGridModel* model() const { return m_model; }
    ResultGridView* grid() const { return m_grid; }
    const ResultGridConfig& config() const { return m_config; }

    // --- filling
    // Headers set, rows, result lines and marks removed, counts zero, the
    // default sort item checked.
    void ClearGrid();
    // The records the next rows come from (a scan's lines); shared with the
    // tool. Keeps nothing of earlier rows.
    void setLines(std::shared_ptr<ResultLines> lines);
    const std::shared_ptr<ResultLines>& lines() const;
    // Appends record `record` of the lines as a row and its line to the
    // result lines. Returns the row.
    std::int64_t addToGrid(std::uint32_t record);
    // Bracket a long fill (a scan's results): the view hears of the rows once.
    // `expectedRows` reserves room. A ClearGrid in between ends the fill.
    void beginFill(std::int64_t expectedRows = 0);
    void endFill();
    // Brackets a fill the user watches (a walk that adds rows as it finds
    // them): the rows added meanwhile reach the view every `intervalMs`
    // while events run, and all of them at endShownFill(). A ClearGrid in
    // between ends the fill.
    void beginShownFill(int intervalMs = 100);
    void endShownFill();
    // Appends an empty row that names no file and has no result line.
    std::int64_t addEmptyRow();
    // Appends a line to the result lines (the clipboard text) without a grid
    // row, such as the notice of an aborted scan.
    void appendResultLine(const QString& line);
    std::int64_t rowsFilled() const;
    // The result lines in the order they were added (formed when asked).
    QStringList lbFiles() const;
    // Puts the result lines in the order `order` gives (record indices),
    // asked for when the lines are first needed, instead of the order the
    // rows were added in: a tool whose list order is costly and rarely
    // needed (the file-hog finder's sorted collection) forms it then. Reset
    // by ClearGrid and setLines.
    void setResultLineOrder(std::function<std::vector<std::uint32_t>()> order);
    std::int64_t resultLineCount() const;

    // The record of a row (ResultGridModel::kNoRecord for none).
    std::uint32_t rowRecord(std::int64_t row) const;
    // The full path of a row as the file system's bytes (empty for none),
    // and as shown (without the search-path tag).
    QByteArray rowPathBytes(std::int64_t row) const;
    QString rowPath(std::int64_t row) const;
    // What deleting the row's file must find: folder, name and identities.
    DeleteTarget rowTarget(std::int64_t row) const;

    // --- marking
    // Toggles the mark of a row; counts the file (bytes as it is now) only
    // when it exists; keeps the marked paths in marking order; shows the
    // status. Nothing for a row that does not exist.
    void deleteOneFile(std::int64_t row);
    // Toggles the current row, then moves to the next unless it is the last.
    void DeleteAllFiles();
    void gridDblClick();
    void MarkThisFile(std::int64_t row);
    void Markall1Click();
    void Unmarkall1Click();
    void clearAllMarks();
    std::int64_t markedCount() const { return m_totals.count(); }
    // The names of one inode count their bytes once.
    std::int64_t markedBytes() const { return m_totals.bytes(); }
    // The marked paths as shown, in marking order.
    QStringList lbDeleted() const;
    // The marked files in marking order, as the deletion takes them.
    QList<DeleteTarget> markedTargets() const;
    void showMarkedStatus();
    void updateDeleteButton();
    // The tool window's Delete button: opens the confirmation window for the
    // marked files when markedCount() is above 0. True when the tool window
    // should close (also when no marked file is counted); false when the
    // confirmation was cancelled.
    bool runDelete();

    // --- sorting
    // Sorts by sort item `item` with its direction flag (then flips it);
    // checks the item. With `changeDirection` false the flag is used as it is.
    void sortByItem(int item, bool changeDirection = true);
    void setSortDescending(int item, bool descending);
    bool sortDescending(int item) const;
    // Sorts by the item whose column was clicked, if any.
    void headerClick(int column);
    int checkedSortItem() const;
    QAction* sortAction(int item) const;

    // --- printing and clipboard
    void btPrintClick();
    // Prints the grid under a title; false (after the error box) on failure.
    bool PrintGrid(const QString& title, QPrinter* printer);
    // The lines PrintGrid writes.
    QStringList printLines(const QString& title, const QDateTime& now) const;
    // Prints to this printer without the print dialog (not owned).
    void setPrinter(QPrinter* printer) { m_printer = printer; }
    void btClipClick();
    QString clipboardText() const;

    // --- opening the current file
    void Run1Click();
    void View1Click();
    void Details1Click();
    void BrowseDirectory1Click();
    // How "Run" opens a file given by its bytes; true on success (default:
    // the desktop's handler).
    void setFileOpener(std::function<bool(const QByteArray&)> opener)
    {
        m_opener = std::move(opener);
    }

    // --- layout
    void savePanelHeight();
    void Shrink1Click();
    void Grow1Click();
    void FormResize(int clientWidth);
    // The width column `column` needs so that its heading and a sample value
    // of its kind (a date of 12/28/2026, a time of 12:59:59 PM, a size of
    // 9,999,999,999, a percentage, a count) are not cut: the texts' widths in
    // the header's and the grid's fonts plus the insets and the grid line.
    // The sample counts only once lines have told the column's kind.
    int contentWidth(int column) const;
    // Smallest client size: panel right + 3 and twice the panel bottom, both
    // scaled by dpi/96; the screen width - 10 when the screen is narrower.
    QSize minimumClientSize(int dpi, int screenWidth) const;

    // The right-click menu (PopupMenu1): Details, Sort, Mark, Resize, Run, View.
    QMenu* popupMenu() const { return m_menu; }

private:
    void buildMenu();
    void toggleRow(std::int64_t row);
    QString currentPath() const;
    std::int64_t currentRow() const;
    // Size of the row's file as it is now (-1 when it is gone or a folder).
    std::int64_t currentSize(std::int64_t row) const;
    // Takes the field each column shows from the lines' layout; true when
    // that changed.
    bool learnColumnFields();

    QWidget* m_window;
    ResultGridView* m_grid;
    ResultGridConfig m_config;
    ResultGridModel* m_model;
    QMenu* m_menu = nullptr;
    QList<QAction*> m_sortActions;
    QAction* m_shrink = nullptr;
    QAction* m_grow = nullptr;

    // The result lines: the records in the order they were added, and lines
    // without a row (kept with the number of records before them).
    std::vector<std::uint32_t> m_added;
    QList<QPair<std::size_t, QString>> m_extraLines;
    mutable std::function<std::vector<std::uint32_t>()> m_lineOrder;
    MarkTotals m_totals;
    // Marking order: each marked record carries the number it was marked
    // with; lbDeleted sorts the marked rows by it.
    std::uint32_t m_markClock = 0;

    // The field each column shows, as the last lines given told it (kept
    // when the grid is cleared, so the widths do not change back and forth).
    std::vector<std::optional<ResultField>> m_columnFields;
    int m_lastClientWidth = -1;    // of the last FormResize
    QTimer* m_showTimer = nullptr; // shows the rows of a shown fill; made on first use

    int m_savedPanelHeight = -1;
    QPrinter* m_printer = nullptr;
    std::function<bool(const QByteArray&)> m_opener;
};

} // namespace rw
