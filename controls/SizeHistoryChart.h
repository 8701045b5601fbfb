#pragma once

#include <QWidget>

#include <cstdint>
#include <vector>

namespace rw
{

// A small line chart of one size over time (a folder's bytes over its kept
// scans): the points joined in time order, a dot on each, the two chosen
// points ringed, the largest and smallest size and the first and last date
// written at the axes. Drawn in the palette's colours, so it reads in light
// and dark themes alike. Nothing is drawn but a note when it has fewer than
// one point.
class SizeHistoryChart : public QWidget
{
    Q_OBJECT
public:
    struct Point {
        std::int64_t time = 0; // seconds since the epoch
        std::int64_t bytes = 0;
    };

    explicit SizeHistoryChart(QWidget* parent = nullptr);

    // The points in any order; replaces the earlier ones.
    void setPoints(std::vector<Point> points);
    const std::vector<Point>& points() const { return m_points; }
    // The times of the points to ring (the scans being compared); a time
    // with no point is not drawn.
    void setChosen(std::int64_t first, std::int64_t second);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Point> m_points; // in time order
    std::int64_t m_chosen[2] = {-1, -1};
};

} // namespace rw
