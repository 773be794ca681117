#include "windows/FrmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravelock"));
    ravelock::FrmMain main;
    main.show();
    return QApplication::exec();
}
