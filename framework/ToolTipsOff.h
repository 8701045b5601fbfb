#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace rw
{

// Turns the hints of a window and its controls off for as long as it lives:
// a run that pumps events must not pop hints up under the moving cursor.
// Made on the stack around the run; ends also when the run leaves by an
// exception or the window goes away meanwhile.
class ToolTipsOff : public QObject
{
    Q_OBJECT
public:
    explicit ToolTipsOff(QWidget* window);
    ~ToolTipsOff() override;

    ToolTipsOff(const ToolTipsOff&) = delete;
    ToolTipsOff& operator=(const ToolTipsOff&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
};

} // namespace rw
