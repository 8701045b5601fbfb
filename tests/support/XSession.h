#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

class QWidget;

namespace rwtest
{

// Tests that go through the window system: a real X server (Xvfb) started
// for the test program, and input sent to it with xdotool, so modality,
// focus and stacking apply as they do for a user. The test main starts the
// server before the application when RW_XVFB is set (the e2e test folders
// set it), and stops it at the end.
class XSession
{
public:
    // Starts Xvfb on a free display and points DISPLAY at it; false when it
    // cannot be started. Called by the test main.
    static bool start();
    static void stop();
    static bool running();

    // Left click at a widget's point (its centre by default), through the X
    // server. Lets pending events run before and after.
    static void click(const QWidget* widget, QPoint at = QPoint(-1, -1));
    static void doubleClick(const QWidget* widget, QPoint at = QPoint(-1, -1));
    // Right click (button 3), as a user opens a context menu.
    static void rightClick(const QWidget* widget, QPoint at = QPoint(-1, -1));
    // Gives the keyboard focus to the widget's top-level window, then sends
    // key names as xdotool knows them ("Return", "Next", "ctrl+End", "Tab").
    static void key(const QWidget* window, const QStringList& keys);
    // Types text into the focused window.
    static void type(const QWidget* window, const QString& text);
    // The X clipboard (CLIPBOARD selection) as another program reads it.
    static QString clipboardText();
    // The top-level X window at a screen point, by its title (empty: none).
    static QString windowNameAt(QPoint global);

    // What the X server shows where the widget is (its area of the screen,
    // with whatever covers it): a grab of the root window.
    static QImage grab(const QWidget* widget);
    // The number of distinct colours of an image (a blank page has one or two).
    static int colourCount(const QImage& image);
    // True once the widget's window is mapped and exposed.
    static bool shown(const QWidget* widget);
    static bool waitForShown(const QWidget* widget, int ms = 3000);

    // Runs events for `ms` milliseconds (input and painting arrive then).
    static void settle(int ms = 150);
    // Waits up to `ms` for `ready` to hold, running events meanwhile.
    template <typename F> static bool waitFor(F ready, int ms = 3000)
    {
        for (int waited = 0; waited < ms; waited += 20) {
            if (ready())
                return true;
            settle(20);
        }
        return ready();
    }

private:
    static int xdotool(const QStringList& args, QByteArray* out = nullptr);
};

} // namespace rwtest
