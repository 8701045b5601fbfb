#include "framework/ResultGridController.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPrinter>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "controls/GridCellDelegate.h"
#include "controls/PrintRoutines.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "controls/TextPrinter.h"
#include "controls/WaitCursor.h"
#include "framework/DesktopOpen.h"
#include "framework/TfrmReallyDelete.h"
#include "framework/WindowHooks.h"
#include "framework/core/DeleteRun.h"
#include "framework/core/FileTextFormatter.h"
#include "framework/core/FolderSizeProbe.h"
#include "framework/core/SortFlags.h"

namespace rw
{

namespace
{

int textWidth(const QFont& font, const QString& text)
{
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

} // namespace

ResultGridController::ResultGridController(QWidget* window, ResultGridView* grid,
                                           ResultGridConfig config)
    : QObject(window), m_window(window), m_grid(grid), m_config(std::move(config)),
      m_model(new ResultGridModel(this)), m_opener(&openWithDesktop)
{
    for (GridSortItem& item : m_config.sortItems)
        if (item.key.isEmpty())
            item.key = item.objectName;
    m_model->setMarkColumn(m_config.markColumn);
    m_model->setSizeColumn(m_config.sizeColumn);
    m_model->setRightAlignedColumns(m_config.rightAlignedColumns);
    m_model->setFieldOrder(m_config.fieldOrder);
    m_model->setHeaders(m_config.headers);
    m_grid->setModel(m_model);
    m_grid->cellDelegate()->setInset(m_config.cellInset);
    buildMenu();

    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_menu->popup(m_grid->viewport()->mapToGlobal(pos)); });
    if (m_config.connectGridGestures) {
        connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] { gridDblClick(); });
        connect(m_grid, &ResultGridView::deleteKeyReleased, this, [this] { DeleteAllFiles(); });
        connect(m_grid, &ResultGridView::headerClicked, this,
                [this](int column) { headerClick(column); });
    }
}

ResultGridController::~ResultGridController() = default;

void ResultGridController::buildMenu()
{
    m_menu = new QMenu(m_window);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    auto add = [this](QMenu* menu, const QString& text, const QString& name, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    if (m_config.popupMenu == GridPopupMenu::SortAndPanel) {
        for (int i = 0; i < m_config.sortItems.size(); ++i) {
            QAction* a = m_menu->addAction(m_config.sortItems[i].caption);
            a->setObjectName(m_config.sortItems[i].objectName);
            a->setCheckable(true);
            connect(a, &QAction::triggered, this, [this, i] { sortByItem(i); });
            m_sortActions.append(a);
        }
        m_menu->addSeparator();
        m_shrink = add(m_menu, tr("Shrink top panel"), QStringLiteral("Shrinktoppanel1"),
                       &ResultGridController::Shrink1Click);
        m_grow = add(m_menu, tr("Restore top panel"), QStringLiteral("Restoretoppanel1"),
                     &ResultGridController::Grow1Click);
        m_grow->setEnabled(false);
        return;
    }
    add(m_menu, tr("Details"), QStringLiteral("Details1"), &ResultGridController::Details1Click);

    if (!m_config.sortItems.isEmpty()) {
        QMenu* sort = m_menu->addMenu(tr("Sort"));
        sort->setObjectName(QStringLiteral("Sort1"));
        sort->menuAction()->setObjectName(QStringLiteral("Sort1"));
        for (int i = 0; i < m_config.sortItems.size(); ++i) {
            QAction* a = sort->addAction(m_config.sortItems[i].caption);
            a->setObjectName(m_config.sortItems[i].objectName);
            a->setCheckable(true);
            connect(a, &QAction::triggered, this, [this, i] { sortByItem(i); });
            m_sortActions.append(a);
        }
    }

    QMenu* mark = m_menu->addMenu(tr("Mark"));
    mark->setObjectName(QStringLiteral("Mark1"));
    add(mark, tr("Mark all"), QStringLiteral("Markall1"), &ResultGridController::Markall1Click);
    add(mark, tr("Unmark all"), QStringLiteral("Unmarkall1"),
        &ResultGridController::Unmarkall1Click);

    if (m_config.resizeMenu) {
        QMenu* resize = m_menu->addMenu(tr("Resize"));
        resize->setObjectName(QStringLiteral("Resize1"));
        m_shrink = add(resize, tr("Shrink top panel"), QStringLiteral("Shrink1"),
                       &ResultGridController::Shrink1Click);
        m_grow = add(resize, tr("Restore top panel"), QStringLiteral("Grow1"),
                     &ResultGridController::Grow1Click);
        m_grow->setEnabled(false);
    }

    m_menu->addSeparator();
    add(m_menu, tr("Run"), QStringLiteral("Run1"), &ResultGridController::Run1Click);
    add(m_menu, tr("View"), QStringLiteral("View1"), &ResultGridController::View1Click);
}

// ---------------------------------------------------------------- filling

void ResultGridController::ClearGrid()
{
    m_model->endBulkAppend();
    endShownFill();
    m_model->setHeaders(m_config.headers);
    m_model->clear();
    m_added.clear();
    m_added.shrink_to_fit();
    m_extraLines.clear();
    m_lineOrder = nullptr;
    for (int i = 0; i < m_sortActions.size(); ++i)
        m_sortActions[i]->setChecked(i == m_config.defaultSortItem);
    clearAllMarks();
}

void ResultGridController::setLines(std::shared_ptr<ResultLines> lines)
{
    m_model->endBulkAppend();
    endShownFill();
    m_model->setLines(std::move(lines));
    m_added.clear();
    m_extraLines.clear();
    m_lineOrder = nullptr;
    m_totals.clear();
    // The first lines tell what the columns show: their values must fit.
    if (learnColumnFields() && m_lastClientWidth >= 0)
        FormResize(m_lastClientWidth);
}

bool ResultGridController::learnColumnFields()
{
    const std::shared_ptr<ResultLines>& lines = m_model->lines();
    if (!lines)
        return false;
    std::vector<std::optional<ResultField>> fields;
    for (int c = 0; c < m_config.headers.size(); ++c) {
        const int n = c < m_config.fieldOrder.size() ? m_config.fieldOrder[c] - 1 : c;
        fields.push_back(n >= 0 && n < lines->layout().size()
                             ? std::optional<ResultField>(lines->layout()[n])
                             : std::nullopt);
    }
    if (fields == m_columnFields)
        return false;
    m_columnFields = std::move(fields);
    return true;
}

const std::shared_ptr<ResultLines>& ResultGridController::lines() const
{
    return m_model->lines();
}

std::int64_t ResultGridController::addToGrid(std::uint32_t record)
{
    m_added.push_back(record);
    return m_model->appendRecord(record);
}

void ResultGridController::beginFill(std::int64_t expectedRows)
{
    if (expectedRows > 0)
        m_added.reserve(m_added.size() + static_cast<std::size_t>(expectedRows));
    m_model->beginBulkAppend(expectedRows);
}

void ResultGridController::endFill()
{
    m_model->endBulkAppend();
}

void ResultGridController::beginShownFill(int intervalMs)
{
    if (!m_showTimer) {
        m_showTimer = new QTimer(this);
        connect(m_showTimer, &QTimer::timeout, m_model, &ResultGridModel::showPending);
    }
    // A batch at a time: one insertion per interval keeps a walk of many
    // thousand rows as fast as a fill at the end, and the rows in view.
    m_showTimer->start(intervalMs);
    m_model->beginShownAppend();
}

void ResultGridController::endShownFill()
{
    if (m_showTimer)
        m_showTimer->stop();
    m_model->endShownAppend();
}

std::int64_t ResultGridController::addEmptyRow()
{
    return m_model->appendRecord(ResultGridModel::kNoRecord);
}

void ResultGridController::appendResultLine(const QString& line)
{
    m_extraLines.append({m_added.size(), line});
}

std::int64_t ResultGridController::rowsFilled() const
{
    return m_model->rows();
}

std::int64_t ResultGridController::resultLineCount() const
{
    return std::int64_t(m_added.size()) + m_extraLines.size();
}

void ResultGridController::setResultLineOrder(std::function<std::vector<std::uint32_t>()> order)
{
    m_lineOrder = std::move(order);
}

QStringList ResultGridController::lbFiles() const
{
    if (m_lineOrder) {
        // Formed once; the records stay as they are, only their order
        // changes.
        auto& added = const_cast<std::vector<std::uint32_t>&>(m_added);
        added = m_lineOrder();
        m_lineOrder = nullptr;
    }
    QStringList out;
    out.reserve(qsizetype(resultLineCount()));
    const ResultLines* lines = m_model->lines().get();
    qsizetype extra = 0;
    for (std::size_t i = 0; i <= m_added.size(); ++i) {
        while (extra < m_extraLines.size() && m_extraLines[extra].first == i)
            out.append(m_extraLines[extra++].second);
        if (i < m_added.size() && lines)
            out.append(lines->line(m_added[i]));
    }
    return out;
}

std::uint32_t ResultGridController::rowRecord(std::int64_t row) const
{
    return m_model->record(row);
}

QByteArray ResultGridController::rowPathBytes(std::int64_t row) const
{
    const std::uint32_t rec = rowRecord(row);
    if (rec == ResultGridModel::kNoRecord || !m_model->lines())
        return QByteArray();
    return m_model->lines()->set().pathBytes(rec);
}

QString ResultGridController::rowPath(std::int64_t row) const
{
    return m_model->path(row);
}

DeleteTarget ResultGridController::rowTarget(std::int64_t row) const
{
    DeleteTarget t;
    const std::uint32_t rec = rowRecord(row);
    if (rec == ResultGridModel::kNoRecord || !m_model->lines())
        return t;
    const ResultSet& set = m_model->lines()->set();
    const ResultSet::Folder& folder = set.folder(set.record(rec).folder);
    const std::string_view name = set.name(rec);
    t.folder = folder.path;
    t.folderIdentity = folder.identity;
    t.name = QByteArray(name.data(), qsizetype(name.size()));
    t.identity = set.identity(rec);
    t.shown = set.pathText(rec);
    return t;
}

std::int64_t ResultGridController::currentRow() const
{
    return m_grid->currentRow();
}

QString ResultGridController::currentPath() const
{
    const std::int64_t row = currentRow();
    return row >= 0 && row < rowsFilled() ? rowPath(row) : QString();
}

// ---------------------------------------------------------------- marking

std::int64_t ResultGridController::currentSize(std::int64_t row) const
{
    const std::uint32_t rec = rowRecord(row);
    if (rec == ResultGridModel::kNoRecord || !m_model->lines())
        return -1;
    FolderSizeProbe probe;
    return probe.size(m_model->lines()->set(), rec);
}

QStringList ResultGridController::lbDeleted() const
{
    QStringList out;
    for (const DeleteTarget& t : markedTargets())
        out.append(t.shown);
    return out;
}

QList<DeleteTarget> ResultGridController::markedTargets() const
{
    const ResultLines* lines = m_model->lines().get();
    if (!lines)
        return {};
    std::vector<std::pair<std::uint32_t, std::int64_t>> marked;
    for (std::int64_t row = 0; row < rowsFilled(); ++row) {
        const std::uint32_t rec = rowRecord(row);
        if (rec != ResultGridModel::kNoRecord && lines->set().record(rec).has(ResultRecord::Marked))
            marked.emplace_back(lines->set().record(rec).markOrder, row);
    }
    std::stable_sort(marked.begin(), marked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<DeleteTarget> out;
    out.reserve(qsizetype(marked.size()));
    for (const auto& m : marked)
        out.append(rowTarget(m.second));
    return out;
}

void ResultGridController::toggleRow(std::int64_t row)
{
    const std::uint32_t rec = rowRecord(row);
    if (rec == ResultGridModel::kNoRecord)
        return;
    const bool marking = !m_model->isMarked(row);
    if (marking)
        m_model->lines()->set().record(rec).markOrder = ++m_markClock;
    m_model->setMarked(row, marking);
    // A file that vanished keeps its mark but adds nothing to the totals.
    const std::int64_t size = currentSize(row);
    if (marking)
        m_totals.marked(m_model->lines()->set(), rec, size);
    else
        m_totals.unmarked(m_model->lines()->set(), rec, size);
}

void ResultGridController::deleteOneFile(std::int64_t row)
{
    if (row < 0 || row >= rowsFilled())
        return;
    toggleRow(row);
    showMarkedStatus();
}

void ResultGridController::showMarkedStatus()
{
    if (m_config.statusLabel)
        m_config.statusLabel->setText(
            m_config.statusPrefix +
            tr("%1 files %2 bytes").arg(markedCount()).arg(FormatGrouped(markedBytes())));
}

void ResultGridController::updateDeleteButton()
{
    if (m_config.deleteButton)
        m_config.deleteButton->setEnabled(markedCount() > 0);
}

void ResultGridController::DeleteAllFiles()
{
    const std::int64_t row = currentRow();
    if (row < 0)
        return;
    deleteOneFile(row);
    if (row + 1 < rowsFilled())
        m_grid->selectRow(static_cast<int>(row + 1));
    updateDeleteButton();
}

void ResultGridController::gridDblClick()
{
    const std::int64_t row = currentRow();
    if (row >= 0)
        deleteOneFile(row);
    updateDeleteButton();
}

void ResultGridController::MarkThisFile(std::int64_t row)
{
    deleteOneFile(row);
    updateDeleteButton();
}

void ResultGridController::clearAllMarks()
{
    m_totals.clear();
    m_markClock = 0;
    m_model->clearMarks();
}

void ResultGridController::Markall1Click()
{
    WaitCursor wait;
    clearAllMarks();
    const ResultLines* lines = m_model->lines().get();
    const std::int64_t n = rowsFilled();
    if (lines) {
        // Rows in grid order, each file looked up through its folder's
        // descriptor: one open per folder instead of a path walk per file.
        ResultSet& set = lines->set();
        std::vector<std::uint32_t> records;
        records.reserve(std::size_t(n));
        for (std::int64_t row = 0; row < n; ++row) {
            const std::uint32_t rec = rowRecord(row);
            if (rec == ResultGridModel::kNoRecord)
                continue;
            set.record(rec).markOrder = ++m_markClock;
            records.push_back(rec);
        }
        // Folder by folder (a counting sort: one pass to count, one to place).
        std::vector<std::uint32_t> start(std::size_t(set.folderCount()) + 1, 0);
        for (std::uint32_t rec : records)
            ++start[set.record(rec).folder + 1];
        for (std::size_t f = 1; f < start.size(); ++f)
            start[f] += start[f - 1];
        std::vector<std::uint32_t> byFolder(records.size());
        for (std::uint32_t rec : records)
            byFolder[start[set.record(rec).folder]++] = rec;
        records.swap(byFolder);
        FolderSizeProbe::sizes(set, records, [this, &set](std::uint32_t rec, std::int64_t size) {
            m_totals.marked(set, rec, size);
        });
    }
    // One change notice for the whole column instead of one per row.
    m_model->markAll();
    showMarkedStatus();
    if (m_config.deleteButton)
        m_config.deleteButton->setEnabled(true);
}

void ResultGridController::Unmarkall1Click()
{
    clearAllMarks();
    if (m_config.deleteButton)
        m_config.deleteButton->setEnabled(false);
    showMarkedStatus();
}

bool ResultGridController::runDelete()
{
    // Marked rows whose files have all vanished count nothing: there is
    // nothing to confirm, and the tool window just closes.
    if (markedCount() <= 0)
        return true;
    return runDeleteMarked(m_window, markedTargets(), markedBytes());
}

// ---------------------------------------------------------------- sorting

void ResultGridController::setSortDescending(int item, bool descending)
{
    if (item < 0 || item >= m_config.sortItems.size())
        return;
    SortFlags::instance().setDescending(m_config.sortWindowKey, m_config.sortItems[item].key,
                                        descending);
}

bool ResultGridController::sortDescending(int item) const
{
    if (item < 0 || item >= m_config.sortItems.size())
        return false;
    const GridSortItem& s = m_config.sortItems[item];
    return SortFlags::instance().descending(m_config.sortWindowKey, s.key, s.firstDescending);
}

void ResultGridController::sortByItem(int item, bool changeDirection)
{
    if (item < 0 || item >= m_config.sortItems.size())
        return;
    WaitCursor wait;
    for (QAction* a : m_sortActions)
        a->setChecked(false);
    const GridSortItem& s = m_config.sortItems[item];
    SortFlags& flags = SortFlags::instance();
    bool descending = flags.descending(m_config.sortWindowKey, s.key, s.firstDescending);
    if (changeDirection) {
        if (m_config.flipBeforeSort)
            descending = !descending;
        flags.setDescending(m_config.sortWindowKey, s.key,
                            m_config.flipBeforeSort ? descending : !descending);
    }
    if (rowsFilled() > 1) {
        const int column = s.column;
        const ResultGridModel* model = m_model;
        if (s.kind == SortKind::Number && model->columnShowsSize(column))
            m_model->reorder(SortGridRowsByNumberKey(
                [model, column](std::int64_t row) {
                    std::int64_t size = 0;
                    return model->sizeKey(row, column, &size)
                               ? static_cast<long double>(size)
                               : numberSortKey(model->cell(row, column));
                },
                0, rowsFilled() - 1, descending));
        else
            m_model->reorder(SortGridRows(
                s.kind, [model, column](std::int64_t row) { return model->cell(row, column); }, 0,
                rowsFilled() - 1, descending));
    }
    m_sortActions[item]->setChecked(true);
}

void ResultGridController::headerClick(int column)
{
    for (int i = 0; i < m_config.sortItems.size(); ++i)
        if (m_config.sortItems[i].onHeaderClick && m_config.sortItems[i].column == column) {
            sortByItem(i);
            return;
        }
}

int ResultGridController::checkedSortItem() const
{
    for (int i = 0; i < m_sortActions.size(); ++i)
        if (m_sortActions[i]->isChecked())
            return i;
    return -1;
}

QAction* ResultGridController::sortAction(int item) const
{
    return m_sortActions.value(item);
}

// ---------------------------------------------------------------- printing

QStringList ResultGridController::printLines(const QString& title, const QDateTime& now) const
{
    QStringList lines;
    lines << title
          << tr("Printed : %1  %2")
                 .arg(formatShortDate(now.date()), QLocale().toString(now.time(), longTimeFormat()))
          << QString() << QString();
    const int columns = m_model->columnCount();
    QList<int> pads;
    for (int c = 0; c < columns; ++c)
        pads.append(m_grid->columnWidth(c) / 6);
    auto rowLine = [&](auto cellText) {
        QString line;
        for (int c = 0; c < columns; ++c)
            line += cellText(c).leftJustified(pads[c]) + QLatin1Char(' ');
        return line;
    };
    lines << rowLine([&](int c) { return m_config.headers.value(c); });
    for (std::int64_t row = 0; row < rowsFilled(); ++row)
        lines << rowLine([&](int c) { return m_model->cell(row, c); });
    return lines;
}

bool ResultGridController::PrintGrid(const QString& title, QPrinter* printer)
{
    const QString failure = tr("Error printing report ... quitting");
    TextPrinter out(printer);
    // The last column (a type, a path) prints whole even where the padded
    // columns before it fill the page's width.
    out.setWrapLongLines(true);
    if (!out.begin()) {
        ShowMessageBox(MessageKind::Error, failure);
        return false;
    }
    WaitCursor wait;
    for (const QString& line : printLines(title, QDateTime::currentDateTime()))
        if (!out.writeLine(line)) {
            out.end();
            ShowMessageBox(MessageKind::Error, failure);
            return false;
        }
    if (!out.end()) {
        ShowMessageBox(MessageKind::Error, failure);
        return false;
    }
    return true;
}

void ResultGridController::btPrintClick()
{
    const QString title = m_config.printTitle ? m_config.printTitle() : QString();
    QPrinter dialogPrinter;
    if (QPrinter* printer = choosePrinter(m_window, m_printer, dialogPrinter))
        PrintGrid(title, printer);
}

QString ResultGridController::clipboardText() const
{
    QString text;
    if (m_config.clipboard == ClipboardSource::ResultLines) {
        for (const QString& line : lbFiles())
            text += line + QLatin1Char('\n');
        return text;
    }
    const int columns = m_config.clipboardColumns < 0
                            ? m_model->columnCount()
                            : qMin(m_config.clipboardColumns, m_model->columnCount());
    for (std::int64_t row = 0; row < rowsFilled(); ++row) {
        QString line;
        for (int c = 0; c < columns; ++c) {
            line += m_model->cell(row, c);
            if (m_config.clipboardTrailingTab || c + 1 < columns)
                line += QLatin1Char('\t');
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}

void ResultGridController::btClipClick()
{
    QGuiApplication::clipboard()->setText(clipboardText());
}

// ---------------------------------------------------------------- opening files

void ResultGridController::Run1Click()
{
    const std::int64_t row = currentRow();
    const QByteArray path = rowPathBytes(row);
    if (path.isEmpty() || DeleteRun::fileSize(path) < 0)
        return;
    if (!m_opener(path))
        ShowErrorMessage(tr("Couldn't run %1").arg(rowPath(row)));
}

void ResultGridController::View1Click()
{
    const QByteArray path = rowPathBytes(currentRow());
    if (!path.isEmpty() && DeleteRun::fileSize(path) >= 0 && windowHooks().openViewer)
        windowHooks().openViewer(m_window, path);
}

void ResultGridController::Details1Click()
{
    const QByteArray path = rowPathBytes(currentRow());
    if (!path.isEmpty() && DeleteRun::fileSize(path) >= 0 && windowHooks().openDetails)
        windowHooks().openDetails(m_window, path);
}

void ResultGridController::BrowseDirectory1Click()
{
    const DeleteTarget t = rowTarget(currentRow());
    if (t.folder.isEmpty() || !windowHooks().openBrowser)
        return;
    QByteArray folder = t.folder;
    if (!folder.endsWith('/'))
        folder.append('/');
    windowHooks().openBrowser(
        m_window, folder, m_config.wildcard ? m_config.wildcard() : QStringLiteral("*"), t.name);
}

// ---------------------------------------------------------------- layout

void ResultGridController::savePanelHeight()
{
    if (m_config.topPanel)
        m_savedPanelHeight = m_config.topPanel->height();
}

void ResultGridController::Shrink1Click()
{
    if (!m_config.topPanel)
        return;
    if (m_savedPanelHeight < 0)
        savePanelHeight();
    m_config.topPanel->setFixedHeight(0);
    m_grow->setEnabled(true);
    m_shrink->setEnabled(false);
}

void ResultGridController::Grow1Click()
{
    if (!m_config.topPanel || m_savedPanelHeight < 0)
        return;
    m_config.topPanel->setFixedHeight(m_savedPanelHeight);
    m_grow->setEnabled(false);
    m_shrink->setEnabled(true);
}

int ResultGridController::contentWidth(int column) const
{
    // A cell draws its text `cellInset` pixels inside on both sides (a
    // marked cell from 18 pixels); the grid line takes one pixel of it.
    const QHeaderView* header = m_grid->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QString heading = m_config.headers.value(column);
    int need = textWidth(header->font(), heading) + 2 * margin + 1;
    const std::optional<ResultField> field =
        column < int(m_columnFields.size()) ? m_columnFields[std::size_t(column)] : std::nullopt;
    if (field) {
        // A time of day is sampled in both halves of the day: the two
        // designators ("AM", "PM") differ in width, and a column sized by one
        // of them alone cuts the other.
        QStringList samples{ResultLines::sampleText(*field)};
        if (*field == ResultField::ModifiedTime) {
            FileTextFormatter texts;
            samples.append(texts.timeText(
                texts.pack(QDateTime(QDate(2026, 12, 28), QTime(0, 59, 59)).toSecsSinceEpoch())));
        }
        for (const QString& sample : samples) {
            if (sample.isEmpty())
                continue;
            const int left = column == m_config.markColumn ? 18 : m_config.cellInset;
            need = qMax(need, left + textWidth(m_grid->font(), sample) + m_config.cellInset + 1);
        }
    }
    return need;
}

void ResultGridController::FormResize(int clientWidth)
{
    m_lastClientWidth = clientWidth;
    learnColumnFields();
    const int dpi = m_grid->logicalDpiX();
    const int columns = m_model->columnCount();
    QList<int> widths;
    int widened = 0;
    for (int c = 0; c < m_config.columnWidths.size() && c < columns - 1; ++c) {
        const int scaled = m_config.columnWidths[c] * dpi / 96;
        const int w = qMax(scaled, contentWidth(c));
        widened += w - scaled;
        widths.append(w);
        m_grid->setColumnWidth(c, w);
    }
    if (columns > 0 && (!m_config.columnWidths.isEmpty() || m_config.lastColumnWidth)) {
        // The last column takes what the others leave of the client width.
        const int last = m_config.lastColumnWidth
                             ? m_config.lastColumnWidth(clientWidth, widths)
                             : clientWidth - m_config.lastColumnMargin - widened;
        const int least = qMax(contentWidth(columns - 1), m_config.lastColumnMinimum * dpi / 96);
        m_grid->setColumnWidth(columns - 1, qMax(least, last));
    }
}

QSize ResultGridController::minimumClientSize(int dpi, int screenWidth) const
{
    if (!m_config.topPanel)
        return QSize();
    const QRect panel = m_config.topPanel->geometry();
    int width = (panel.x() + panel.width() + 3) * dpi / 96;
    if (screenWidth < width)
        width = screenWidth - 10;
    const int height = 2 * (panel.y() + qMax(panel.height(), m_savedPanelHeight)) * dpi / 96;
    return QSize(width, height);
}

} // namespace rw
