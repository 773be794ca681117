#include "windows/FrmMain.h"
#include "windows/FrmSplash.h"
#include "windows/Version.h"

#include <QApplication>
#include <QIcon>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravelock"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/ravelock.ico")));
    std::unique_ptr<ravelock::FrmMain> main;
    auto* splash = new ravelock::FrmSplash(ravelock::ProgramVersion(), [&main] {
        main = std::make_unique<ravelock::FrmMain>();
        main->show();
    });
    splash->show();
    return QApplication::exec();
}
