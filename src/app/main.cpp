#include "app/Batch.h"
#include "windows/dialogs/FrmSplash.h"
#include "windows/dialogs/Version.h"
#include "windows/main/FrmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QProcess>
#include <QTextStream>
#include <QTimer>

#include <memory>

namespace {

// The texture named on the command line and the map to open on it, if any. Answers --help and --version
// and refuses other arguments before there is a window, so without a display too.
QStringList FileArguments(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Marks regions of a Targa texture and writes them as MappedImage entries.\n\n"
                       "Commands that open no window (see ravelock(1)):\n") +
        ravelock::batch::Usage().chopped(1));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("texture"), QStringLiteral("A Targa (.tga) file to open."),
                                 QStringLiteral("[texture.tga"));
    parser.addPositionalArgument(QStringLiteral("map"), QStringLiteral("A map of it, saved before, to go on with."),
                                 QStringLiteral("[map.ini]]"));
    parser.process(app);
    if (parser.positionalArguments().size() > 2)
        parser.showHelp(2);
    QStringList files;
    for (const QString& file : parser.positionalArguments())
        files << QFileInfo(file).absoluteFilePath();
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    const ravelock::VersionRecord version = ravelock::ProgramVersion();
    QCoreApplication::setApplicationName(QStringLiteral("Ravelock"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
    if (argc > 1 && ravelock::batch::IsCommand(QString::fromLocal8Bit(argv[1]))) {
        // No QGuiApplication: the commands need no display.
        QCoreApplication app(argc, argv);
        QTextStream out(stdout), err(stderr);
        return ravelock::batch::Run(QCoreApplication::arguments().mid(1), out, err);
    }
    const QStringList files = FileArguments(argc, argv);
#ifdef RAVELOCK_CONSOLE
    // ravelock.com answers in the console; the window is ravelock.exe's, which the console does not wait for.
    {
        QCoreApplication app(argc, argv);
        const QString window = QCoreApplication::applicationDirPath() + QStringLiteral("/ravelock.exe");
        return QProcess::startDetached(window, files) ? 0 : 2;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("dev.ravelock.Ravelock"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/ravelock.ico")));

    std::unique_ptr<ravelock::FrmMain> main;
    auto* splash = new ravelock::FrmSplash(version, [&main, files] {
        main = std::make_unique<ravelock::FrmMain>();
        main->show();
        if (!files.isEmpty())
            QTimer::singleShot(0, main.get(), [&main, files] {
                main->Run([files](ravelock::MainCommands& commands) { commands.OpenFiles(files); });
            });
    });
    splash->show();
    return QApplication::exec();
}
