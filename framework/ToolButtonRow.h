#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <functional>

class QObject;
class QPushButton;
class QWidget;

namespace rw
{

class ResultGridController;

// Creates a push button of a tool window: caption, objectName and hint as
// given, never the automatic default (Enter reaches only the default button).
// The button is owned by `parent`.
QPushButton* makeToolButton(QWidget* parent, const QString& caption, const QString& name,
                            const QString& hint);

// The row of buttons under a tool window's top panel. It creates the standard
// buttons by role (caption, objectName and hint of the result windows), lays
// them out side by side and wires the result buttons to a grid controller.
// A button may share the place of another one (Abort and Mark take turns on
// one place). The buttons are owned by the parent widget; the row only keeps
// pointers.
class ToolButtonRow
{
public:
    enum Role { Start, Close, Abort, Mark, Delete, Print, Clip, Browse, Details };

    explicit ToolButtonRow(QWidget* parent);

    // Creates the standard button for `role` ("&Start" btScan is the default
    // button) and gives it the next place in the row.
    QPushButton* add(Role role);
    // Creates a window's own button and gives it the next place in the row.
    QPushButton* add(const QString& caption, const QString& name, const QString& hint);
    // Creates the standard button for `role` on the place of `host` (an
    // earlier button of this row) instead of a place of its own.
    QPushButton* addSharing(Role role, QPushButton* host);

    // The button created for `role`; null when the row has none.
    QPushButton* button(Role role) const;

    // Places the row from `left` at `top`, each button `width` x `height` and
    // `gap` pixels right of the previous; sharing buttons go on their host's
    // place, above it.
    void layout(int left, int top, int width, int height, int gap = 3);
    // One past the right edge of the last placed button (0 before layout).
    int right() const;

    // Connects Mark, Print, Clipboard and Details (those the row has) to the
    // grid controller `grid()` returns at click time, so a window that
    // remakes its controller needs no new connections. `context` ends them.
    // Browse is the window's to wire: what it opens differs between windows.
    void connectToGrid(QObject* context, std::function<ResultGridController*()> grid) const;

private:
    QWidget* m_parent;
    QList<QPushButton*> m_placed;
    QList<QPair<QPushButton*, QPushButton*>> m_sharing; // button, host
    QPushButton* m_byRole[Details + 1] = {};
};

} // namespace rw
