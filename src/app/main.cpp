#include "windows/FrmMain.h"
#include "windows/FrmSplash.h"
#include "windows/Version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <memory>

namespace {

// The texture named on the command line, if any. Answers --help and --version
// and refuses other arguments before there is a window, so without a display too.
QString TextureArgument(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Marks regions of a Targa texture and writes them as MappedImage entries."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("texture"), QStringLiteral("A Targa (.tga) file to open."),
                                 QStringLiteral("[texture.tga]"));
    parser.process(app);
    if (parser.positionalArguments().size() > 1)
        parser.showHelp(2);
    return parser.positionalArguments().isEmpty() ? QString()
                                                  : QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
}

} // namespace

int main(int argc, char** argv)
{
    const ravelock::VersionRecord version = ravelock::ProgramVersion();
    QCoreApplication::setApplicationName(QStringLiteral("Ravelock"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
    const QString texture = TextureArgument(argc, argv);
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("dev.ravelock.Ravelock"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/ravelock.ico")));

    std::unique_ptr<ravelock::FrmMain> main;
    auto* splash = new ravelock::FrmSplash(version, [&main, texture] {
        main = std::make_unique<ravelock::FrmMain>();
        main->show();
        if (!texture.isEmpty())
            QTimer::singleShot(0, main.get(), [&main, texture] {
                main->Run([texture](ravelock::MainCommands& commands) { commands.OpenTexture(texture); });
            });
    });
    splash->show();
    return QApplication::exec();
}
