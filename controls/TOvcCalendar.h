#pragma once

#include <QCalendarWidget>
#include <QColor>
#include <QDate>
#include <QDateTime>

#include <cstdint>
#include <functional>

class QLabel;
class QPainter;

namespace rw
{

// Colours of a month calendar.
struct TOvcCalendarColors {
    QColor activeDayText; // the selected day
    QColor activeDayBack;
    QColor inactiveDaysText; // days of the neighbouring months
    QColor inactiveDaysBack;
    QColor labelsText; // the day-name row
    QColor labelsBack;
    QColor text; // the other days
    QColor back;
};

// A month calendar: one month as a grid of day cells with a row of day
// names. Its date is a whole day number (the Julian day count) that can be
// converted to and from date-times; adding months keeps the day of the
// month, or takes the last day of a shorter month. The navigation bar of the
// underlying widget is hidden: the owner steps months and years itself. A
// title row above the day names says which month and year are shown (the
// month's name in the user's language). Day cells can be drawn by the owner
// (setDrawItem).
class TOvcCalendar : public QCalendarWidget
{
    Q_OBJECT
public:
    // Draws one day cell: the painter, the cell's rectangle, the day of the
    // month and the month (1..12) the cell belongs to.
    using DrawItem = std::function<void(QPainter& painter, const QRect& rect, int day, int month)>;

    explicit TOvcCalendar(QWidget* parent = nullptr);

    // The selected day as a day number; setting it also shows its month.
    std::int64_t julianDate() const { return selectedDate().toJulianDay(); }
    void setJulianDate(std::int64_t day);

    // Conversions between day numbers and date-times (midnight).
    static QDateTime dateTimeOf(std::int64_t day);
    static std::int64_t dayOf(const QDateTime& dateTime);
    // The day `months` months and `years` years after `day` (either may be
    // negative); the day of the month is kept, or the last day of the new
    // month taken when it is shorter.
    static std::int64_t incDate(std::int64_t day, int months, int years);

    // The month shown (1..12) and its year.
    int shownMonth() const { return monthShown(); }
    int shownYear() const { return yearShown(); }
    // The title row's text: the shown month's name and its year ("March 2021").
    QString shownMonthText() const;

    const TOvcCalendarColors& colors() const { return m_colors; }
    void setColors(const TOvcCalendarColors& colors);

    // With a draw routine set, every day cell is drawn by it; without one,
    // cells are drawn in the calendar's colours.
    void setDrawItem(DrawItem draw) { m_draw = std::move(draw); }

signals:
    // A day was double-clicked (or Enter pressed on it).
    void dblClick();

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;

private:
    void updateTitle();

    QLabel* m_title = nullptr; // child; the title row
    TOvcCalendarColors m_colors;
    DrawItem m_draw;
};

} // namespace rw
