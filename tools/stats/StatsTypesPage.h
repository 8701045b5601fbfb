#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>
#include <vector>

class QAction;
class QButtonGroup;
class QChartView;
class QMenu;
class QPrinter;
class QScrollBar;
class QWidget;

namespace rw
{

class ResultGridController;
class ResultGridView;
class StatsCollector;

// The "Types" page of the statistics window: one row per file extension
// with its description, bytes, file count and average size, shown as the
// shared result grid (printed through its PrintGrid) or as a pie of the
// first twelve rows by size, count or average.
class StatsTypesPage : public QObject
{
    Q_OBJECT
public:
    // Builds the controls on `page`; `window` owns the grid's controller.
    StatsTypesPage(QWidget* page, QWidget* window);

    // The radio buttons a running collection disables.
    QList<QWidget*> runControls() const;
    QChartView* pieView() const { return m_chartTypesPie; }
    QScrollBar* scrollBar() const { return m_scrollBar2; }
    ResultGridController* gridController() const { return m_controller; }
    // "Listing" is chosen (the grid is shown rather than the pie).
    bool listingChosen() const;

    // Empties the grid.
    void clear();
    // Fills the grid from the type table, then shows the grid or the pie.
    void doFileTypes(const StatsCollector& stats);
    // Sorts by column 0 to 4 (text ascending, figures descending) and
    // checks the menu item; needs two rows or more.
    void sortTypes(int column);
    // Shows the grid or the pie the radio buttons ask for.
    void rgTypesClick();
    // Prints the grid under `title`; false when printing failed.
    bool print(const QString& title, QPrinter* printer);

private:
    struct TypeLine {
        QString extension;
        QString description;
        std::int64_t bytes = 0;
        std::int64_t count = 0;
        std::int64_t average() const { return count > 0 ? bytes / count : 0; }
    };
    void fillTypeGrid();

    std::vector<TypeLine> m_typeLines;
    QButtonGroup* m_rgTypes;
    ResultGridView* m_gridView;
    ResultGridController* m_controller;
    QChartView* m_chartTypesPie;
    QScrollBar* m_scrollBar2;
    QMenu* m_typeMenu;
    QList<QAction*> m_sortActions;
};

} // namespace rw
