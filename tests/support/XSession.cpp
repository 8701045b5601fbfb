#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace rwtest
{

namespace
{

std::unique_ptr<QProcess>& server()
{
    static std::unique_ptr<QProcess> s;
    return s;
}

QPoint globalPoint(const QWidget* widget, QPoint at)
{
    if (at.x() < 0)
        at = widget->rect().center();
    // Qt speaks in scaled pixels, the X server in its own.
    const QPoint g = widget->mapToGlobal(at);
    const qreal ratio = widget->devicePixelRatioF();
    return QPoint(qRound(g.x() * ratio), qRound(g.y() * ratio));
}

} // namespace

bool XSession::start()
{
    // Xvfb names its display on the pipe given to -displayfd, so parallel
    // test programs never pick the same one.
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    auto p = std::make_unique<QProcess>();
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->setChildProcessModifier([fd = fds[1]] { ::fcntl(fd, F_SETFD, 0); });
    p->start(QStringLiteral("Xvfb"),
             {QStringLiteral("-displayfd"), QString::number(fds[1]), QStringLiteral("-screen"),
              QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
              QStringLiteral("tcp"), QStringLiteral("-noreset")});
    ::close(fds[1]);
    if (!p->waitForStarted(5000)) {
        ::close(fds[0]);
        return false;
    }
    QByteArray number;
    char c = 0;
    QElapsedTimer t;
    t.start();
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        number.append(c);
    ::close(fds[0]);
    if (number.isEmpty())
        return false;
    setenv("DISPLAY", (":" + number).constData(), 1);
    server() = std::move(p);
    return true;
}

void XSession::stop()
{
    if (server()) {
        server()->terminate();
        server()->waitForFinished(3000);
        server().reset();
    }
}

bool XSession::running()
{
    return server() != nullptr;
}

void XSession::settle(int ms)
{
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (ms > 0)
            ::usleep(2000);
    } while (t.elapsed() < ms);
}

int XSession::xdotool(const QStringList& args, QByteArray* out)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    // Events keep running while xdotool works, so a window that must answer
    // (a drag, a query of the focus) is not stuck. A modal window the input
    // opens runs its loop inside processEvents; the process may be seen to
    // end there, after which waitForFinished only ever says false.
    while (p.state() != QProcess::NotRunning && !p.waitForFinished(10))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitCode();
}

void XSession::click(const QWidget* widget, QPoint at)
{
    settle(50);
    const QPoint g = globalPoint(widget, at);
    xdotool({QStringLiteral("mousemove"), QString::number(g.x()), QString::number(g.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    settle();
}

void XSession::doubleClick(const QWidget* widget, QPoint at)
{
    settle(50);
    const QPoint g = globalPoint(widget, at);
    xdotool({QStringLiteral("mousemove"), QString::number(g.x()), QString::number(g.y()),
             QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
             QStringLiteral("--delay"), QStringLiteral("60"), QStringLiteral("1")});
    settle();
}

void XSession::rightClick(const QWidget* widget, QPoint at)
{
    settle(50);
    const QPoint g = globalPoint(widget, at);
    xdotool({QStringLiteral("mousemove"), QString::number(g.x()), QString::number(g.y()),
             QStringLiteral("click"), QStringLiteral("3")});
    settle();
}

void XSession::key(const QWidget* window, const QStringList& keys)
{
    settle(50);
    if (window) {
        const QString id = QString::number(window->window()->winId());
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
        settle(50);
    }
    QStringList args = {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")};
    args += keys;
    xdotool(args);
    settle();
}

void XSession::type(const QWidget* window, const QString& text)
{
    settle(50);
    if (window) {
        const QString id = QString::number(window->window()->winId());
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
        settle(50);
    }
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
    settle();
}

QString XSession::clipboardText()
{
    // Another program reads the selection; this one must keep serving it
    // meanwhile, so events run while xclip waits.
    QProcess p;
    p.start(QStringLiteral("xclip"),
            {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    while (p.state() != QProcess::NotRunning && !p.waitForFinished(10))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString XSession::windowNameAt(QPoint global)
{
    xdotool(
        {QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())});
    QByteArray out;
    xdotool({QStringLiteral("getmouselocation"), QStringLiteral("--shell")}, &out);
    const qsizetype at = out.indexOf("WINDOW=");
    if (at < 0)
        return QString();
    const QByteArray id = out.mid(at + 7).split('\n').value(0);
    QByteArray name;
    xdotool({QStringLiteral("getwindowname"), QString::fromLatin1(id)}, &name);
    return QString::fromUtf8(name).trimmed();
}

QImage XSession::grab(const QWidget* widget)
{
    settle(50);
    QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const QPoint g = widget->mapToGlobal(QPoint(0, 0));
    // Window 0 is the root window: the picture the X server composes.
    return screen->grabWindow(0, g.x(), g.y(), widget->width(), widget->height()).toImage();
}

int XSession::colourCount(const QImage& image)
{
    QSet<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(line[x]);
    }
    return int(colours.size());
}

bool XSession::shown(const QWidget* widget)
{
    const QWidget* w = widget->window();
    return w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed();
}

bool XSession::waitForShown(const QWidget* widget, int ms)
{
    return waitFor([widget] { return shown(widget); }, ms);
}

} // namespace rwtest
