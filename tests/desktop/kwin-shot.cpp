// Writes KWin's whole desktop as a PNG to standard output, in device pixels, as
// grim does for a wlroots compositor. KWin hands the pixels through a pipe and
// their layout in the reply.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusUnixFileDescriptor>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int pipe[2];
    if (::pipe(pipe) != 0)
        return 1;
    ::fcntl(pipe[0], F_SETFL, O_NONBLOCK);
    QDBusMessage call = QDBusMessage::createMethodCall("org.kde.KWin", "/org/kde/KWin/ScreenShot2",
                                                       "org.kde.KWin.ScreenShot2", "CaptureWorkspace");
    call << QVariantMap{{"native-resolution", true}} << QVariant::fromValue(QDBusUnixFileDescriptor(pipe[1]));
    const QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(call, 10000);
    ::close(pipe[1]);
    QByteArray pixels;
    QVariantMap layout;
    qint64 size = -1; // KWin may keep its end of the pipe open after the pixels: their count says when they are in
    QElapsedTimer waited;
    waited.start();
    while ((size < 0 || pixels.size() < size) && waited.elapsed() < 10000) {
        pollfd ready{pipe[0], POLLIN, 0};
        ::poll(&ready, 1, 10);
        char chunk[65536];
        for (ssize_t got; (got = ::read(pipe[0], chunk, sizeof chunk)) > 0;)
            pixels.append(chunk, got);
        QCoreApplication::processEvents();
        if (size >= 0 || !pending.isFinished())
            continue;
        const QDBusMessage reply = pending.reply();
        if (reply.type() != QDBusMessage::ReplyMessage) {
            std::fprintf(stderr, "ravelock-kwin-shot: %s\n", qPrintable(reply.errorMessage()));
            return 1;
        }
        layout = qdbus_cast<QVariantMap>(reply.arguments().value(0));
        size = qint64(layout["stride"].toInt()) * layout["height"].toInt();
    }
    if (size <= 0 || pixels.size() < size) {
        std::fprintf(stderr, "ravelock-kwin-shot: %lld bytes of pixels\n", static_cast<long long>(pixels.size()));
        return 1;
    }
    const QImage shot(reinterpret_cast<const uchar*>(pixels.constData()), layout["width"].toInt(),
                      layout["height"].toInt(), layout["stride"].toInt(), QImage::Format(layout["format"].toInt()));
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && shot.save(&out, "PNG") ? 0 : 1;
}
