#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

namespace rw
{

class CheckListBox;

// The top panel ("pnlTop") of a tool window, `height` pixels high, owned by
// `window`; it holds the search controls and the button row.
QFrame* makeTopPanel(QWidget* window, int height);

// The sunken status panel at the foot of a tool window, `height` pixels high,
// owned by `window`. With `arialFont` its text is 12-pixel Arial.
QLabel* makeStatusPanel(QWidget* window, const QString& name, int height = 19,
                        bool arialFont = true);

// The drive check list ("pckDrive") on a top panel at `geometry`. Owned by
// `panel`; filled by the caller.
CheckListBox* makeDriveCheckList(QWidget* panel, const QRect& geometry);

// Stacks top panel, grid (taking the spare height) and status panel in
// `window` without margins or spacing.
void stackToolWindow(QWidget* window, QWidget* topPanel, QWidget* grid, QWidget* statusPanel);

// Keeps `window` no smaller than `designSize` scaled to the screen's
// resolution (sizes are designed at 96 dots per inch), but never wider than
// the screen's available width less 10 pixels.
void applyScaledMinimumSize(QWidget* window, QSize designSize);

// Keeps `window` no narrower than `contentWidth` and no lower than twice its
// top panel, both scaled to the screen's resolution; never wider than the
// screen's available width less 10 pixels.
void applyToolMinimumSize(QWidget* window, int contentWidth, int panelHeight);

// Keeps the drive list `gap` pixels from the right edge of a window
// `windowWidth` wide, but never left of `minLeft`.
void placeDriveListRight(QWidget* driveList, int windowWidth, int minLeft, int gap);

} // namespace rw
