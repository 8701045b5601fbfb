#pragma once

#include <QDateTime>
#include <QDialog>

class QPushButton;

namespace rw
{

class TOvcCalendar;
class TOvcSpinner;

// The calendar pop-up of the files-by-date window: a small borderless modal
// window ("Calendar") showing one month, with spinners for the year and the
// month and OK / Cancel glyph buttons. Made for one pick: the caller sets the
// date, shows it modally, reads the date back after OK and destroys it.
// A double click on a day closes with OK; the Home key (anywhere in the
// window) moves to today without closing.
class TfrmPickDate : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmPickDate(QWidget* owner = nullptr);
    ~TfrmPickDate() override;

    // The chosen date becomes `value` when it is a valid date-time after the
    // day-count origin (30 December 1899, 00:00), and now otherwise.
    void SetPickedDate(const QDateTime& value);
    // Reads the calendar's day, keeps it as the chosen date and returns it at
    // midnight.
    QDateTime GetPickedDate();

    TOvcCalendar* calendar() const { return m_calendar; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drawDay(QPainter& painter, const QRect& rect, int day, int month) const;

    QDateTime m_picked;
    TOvcCalendar* m_calendar = nullptr;
    TOvcSpinner* m_yearSpinner = nullptr;
    TOvcSpinner* m_monthSpinner = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
    bool m_filtering = false;
};

} // namespace rw
