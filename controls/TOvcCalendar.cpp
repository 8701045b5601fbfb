#include "controls/TOvcCalendar.h"

#include <QPainter>
#include <QTextCharFormat>

namespace rw
{

TOvcCalendar::TOvcCalendar(QWidget* parent) : QCalendarWidget(parent)
{
    setNavigationBarVisible(false);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setGridVisible(false);
    const QPalette p = palette();
    setColors({p.color(QPalette::HighlightedText), p.color(QPalette::Highlight), QColor(Qt::black),
               QColor(Qt::gray), QColor(Qt::black), p.color(QPalette::Button),
               p.color(QPalette::WindowText), p.color(QPalette::Base)});
    connect(this, &QCalendarWidget::activated, this, [this] { emit dblClick(); });
}

void TOvcCalendar::setJulianDate(std::int64_t day)
{
    const QDate date = QDate::fromJulianDay(day);
    if (!date.isValid())
        return;
    setSelectedDate(date);
    setCurrentPage(date.year(), date.month());
}

QDateTime TOvcCalendar::dateTimeOf(std::int64_t day)
{
    return QDateTime(QDate::fromJulianDay(day), QTime(0, 0));
}

std::int64_t TOvcCalendar::dayOf(const QDateTime& dateTime)
{
    return dateTime.date().toJulianDay();
}

std::int64_t TOvcCalendar::incDate(std::int64_t day, int months, int years)
{
    // QDate's month and year steps already keep the day or clamp it to the
    // new month's last day.
    return QDate::fromJulianDay(day).addYears(years).addMonths(months).toJulianDay();
}

void TOvcCalendar::setColors(const TOvcCalendarColors& colors)
{
    m_colors = colors;
    QTextCharFormat header;
    header.setForeground(colors.labelsText);
    header.setBackground(colors.labelsBack);
    setHeaderTextFormat(header);
    // Weekend days are not set apart.
    QTextCharFormat plain;
    plain.setForeground(colors.text);
    setWeekdayTextFormat(Qt::Saturday, plain);
    setWeekdayTextFormat(Qt::Sunday, plain);
    updateCells();
}

void TOvcCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const
{
    painter->save();
    if (m_draw) {
        m_draw(*painter, rect, date.day(), date.month());
    } else {
        const bool inMonth = date.month() == monthShown();
        const bool active = date == selectedDate();
        const QColor back = active    ? m_colors.activeDayBack
                            : inMonth ? m_colors.back
                                      : m_colors.inactiveDaysBack;
        const QColor text = active    ? m_colors.activeDayText
                            : inMonth ? m_colors.text
                                      : m_colors.inactiveDaysText;
        painter->fillRect(rect, back);
        painter->setPen(text);
        painter->drawText(rect, Qt::AlignCenter, QString::number(date.day()));
    }
    painter->restore();
}

} // namespace rw
