#pragma once

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <memory>

namespace testing_support {

// Real input and the real screen: the X server (xdotool), a wlroots compositor (a virtual pointer, grim,
// swaymsg) or KWin (its fake input and screenshots, windows where the runner's rule puts them). Positions are
// device pixels.
class Desktop {
public:
    static QString Unavailable()
    {
        if (QGuiApplication::platformName() == "xcb")
            return QStandardPaths::findExecutable("xdotool").isEmpty() ? "needs xdotool on X" : QString();
        if (OnKWin())
            return QFile::exists(RAVELOCK_KWIN_POINTER) ? QString() : "needs KWin's pointer and screenshots";
        const bool sway =
            OnWayland() && QFile::exists(RAVELOCK_WL_POINTER) && !QStandardPaths::findExecutable("grim").isEmpty();
        return sway ? QString() : "needs xdotool on X, or grim and the virtual pointer on Wayland";
    }
    static bool OnWayland() { return QGuiApplication::platformName() == "wayland"; }
    static bool OnKWin() { return OnWayland() && qEnvironmentVariable("XDG_CURRENT_DESKTOP") == "KDE"; }
    // Keys can be sent only on X; the compositor's virtual pointer has no keyboard.
    static bool RealKeys() { return QGuiApplication::platformName() == "xcb" && Unavailable().isEmpty(); }

    explicit Desktop(QWidget& window) : window_(window) {}

    static QByteArray Output(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(10000);
        return process.readAllStandardOutput();
    }
    QImage Screenshot() const
    {
        if (OnKWin())
            return QImage::fromData(Output(RAVELOCK_KWIN_SHOT, {}), "PNG");
        return OnWayland() ? QImage::fromData(Output("grim", {"-"}), "PNG") : window_.screen()->grabWindow(0).toImage();
    }
    // The client's top left as the X server has it, in device pixels: Qt's logical geometry may be half a pixel off.
    QPoint ClientOnX() const
    {
        const QString info = Output("xwininfo", {"-id", QString::number(window_.winId())});
        const auto at = [&info](const char* axis) {
            const QRegularExpression field(QString("Absolute upper-left %1:\\s+(-?\\d+)").arg(axis));
            return field.match(info).captured(1).toInt();
        };
        return QPoint(at("X"), at("Y"));
    }
    // The frame's top left as the X server and the window manager have it: the client's, less _NET_FRAME_EXTENTS.
    QPoint FrameOnX() const
    {
        const QStringList extents =
            QString(Output("xprop", {"-id", QString::number(window_.winId()), "_NET_FRAME_EXTENTS"}))
                .section('=', 1)
                .split(',');
        return ClientOnX() - QPoint(extents.value(0).toInt(), extents.value(2).toInt());
    }
    QRect ClientOnScreen() const { return OnScreen("window_rect", window_.geometry()); }
    QRect FrameOnScreen() const { return OnScreen("deco_rect", window_.frameGeometry()); }
    QRect WorkArea() const
    {
        return OnWayland() ? QRect(QPoint(0, 0), window_.screen()->size() * Scale())
                           : Scaled(window_.screen()->availableGeometry());
    }
    // As the frame's close button does.
    void CloseFromTheFrame()
    {
        const QString pid = QString::number(QCoreApplication::applicationPid());
        if (QGuiApplication::platformName() == "xcb")
            QProcess::execute("wmctrl", {"-c", window_.windowHandle()->title()});
        else if (OnWayland())
            for (int tries = 0;
                 tries < 30 && QProcess::execute("swaymsg", {"-q", QString("[pid=%1] kill").arg(pid)}) != 0; ++tries)
                QTest::qWait(100); // until the compositor has mapped the window
        else
            window_.close();
    }
    void Settle() const
    {
        QRect before;
        for (int same = 0, tries = 0; same < 3 && tries < 30; ++tries) {
            QTest::qWait(100);
            const QRect now = ClientOnScreen();
            same = now == before ? same + 1 : 0;
            before = now;
        }
    }
    QPointF DeviceOrigin(const QWidget& widget) const
    {
        const QPoint client = OnWayland() ? ClientOnScreen().topLeft() : ClientOnX();
        return QPointF(client) + QPointF(widget.mapTo(&window_, QPoint(0, 0))) * Scale();
    }
    // The device pixel that holds the middle of a texel of a picture drawn at `zoom`.
    QPoint Texel(const QWidget& picture, QPointF texel, qreal zoom = 1) const
    {
        const QPointF at = DeviceOrigin(picture) + (texel + QPointF(0.5, 0.5)) * zoom * Scale();
        return QPoint(int(at.x()), int(at.y()));
    }
    static QStringList ClickOnX(QPoint at, bool shift = false)
    {
        const QStringList click{"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"};
        return shift ? QStringList{"keydown", "shift"} + click + QStringList{"keyup", "shift"} : click;
    }
    // With Shift held only on X: the compositor's virtual pointer has no keyboard.
    void Click(QPoint at, bool shift = false)
    {
        if (!OnWayland()) {
            X(ClickOnX(at, shift));
            return;
        }
        if (!pointer_) {
            pointer_ = std::make_unique<QProcess>();
            pointer_->start(OnKWin() ? RAVELOCK_KWIN_POINTER : RAVELOCK_WL_POINTER);
            pointer_->waitForStarted();
            QTest::qWait(300); // the window takes the new pointer device
        }
        QString line;
        if (OnKWin()) { // KWin rounds to whole logical pixels: the pixel's top left
            const QPointF logical = QPointF(at) / OutputScale();
            line = QString("%1 %2 click\n").arg(logical.x()).arg(logical.y());
        } else { // at the pixel's centre: a half-pixel grid over the output
            const QSize grid = window_.screen()->size() * Scale() * 2;
            line = QString("%1 %2 %3 %4 click\n")
                       .arg(2 * at.x() + 1)
                       .arg(2 * at.y() + 1)
                       .arg(grid.width())
                       .arg(grid.height());
        }
        pointer_->write(line.toUtf8());
        pointer_->waitForReadyRead(5000);
        pointer_->readAll();
    }
    // Real key presses on X, in xdotool's names ("ctrl+alt+z"), to the window that has the keyboard.
    static void Keys(const QStringList& keys) { X(QStringList{"key", "--delay", "50"} + keys); }
    static void Type(const QString& text) { X({"type", "--delay", "50", text}); }
    // xdotool's commands, chained as it chains them.
    static void X(const QStringList& commands) { QProcess::execute("xdotool", commands); }
    ~Desktop()
    {
        if (pointer_) {
            pointer_->closeWriteChannel();
            pointer_->waitForFinished(5000);
        }
    }

private:
    qreal Scale() const { return window_.devicePixelRatioF(); }
    static qreal OutputScale() { return qEnvironmentVariable("RAVELOCK_OUTPUT_SCALE", "1").toDouble(); }
    QRect Scaled(const QRect& r) const
    {
        return QRect((QPointF(r.topLeft()) * Scale()).toPoint(), (QSizeF(r.size()) * Scale()).toSize());
    }
    // On Wayland only the compositor's tree knows where the window is.
    QRect OnScreen(const char* part, const QRect& known) const
    {
        if (!OnWayland())
            return Scaled(known);
        if (OnKWin()) {
            const QStringList at = qEnvironmentVariable("RAVELOCK_WINDOW_AT").split(',');
            const QPointF frame = QPointF(at.value(0).toInt(), at.value(1).toInt()) * OutputScale();
            const QPointF inFrame = QPointF(known.topLeft() - window_.frameGeometry().topLeft()) * Scale();
            return QRect((frame + inFrame).toPoint(), (QSizeF(known.size()) * Scale()).toSize());
        }
        const QJsonObject node = Find(QJsonDocument::fromJson(Output("swaymsg", {"-t", "get_tree"})).object());
        const auto rect = [&node](const QString& key) {
            const QJsonObject r = node[key].toObject();
            return QRect(r["x"].toInt(), r["y"].toInt(), r["width"].toInt(), r["height"].toInt());
        };
        const QRect container = rect("rect");
        return Scaled(part == QString("window_rect") ? rect(part).translated(container.topLeft())
                                                     : container.united(rect(part)));
    }
    QJsonObject Find(const QJsonObject& node) const
    {
        if (node["pid"].toInt() == QCoreApplication::applicationPid() &&
            node["name"].toString() == window_.windowHandle()->title())
            return node;
        for (const char* children : {"nodes", "floating_nodes"})
            for (const QJsonValue child : node[children].toArray())
                if (QJsonObject found = Find(child.toObject()); !found.isEmpty())
                    return found;
        return {};
    }

    QWidget& window_;
    std::unique_ptr<QProcess> pointer_;
};

} // namespace testing_support
