#include "windows/dialogs/FrmReadme.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUrl>

namespace ravelock {

QString ReadmeAddress()
{
    const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/" RAVELOCK_DOC_FROM_BIN "/README.md"));
    const QString path = QFileInfo::exists(installed) ? installed : QStringLiteral(RAVELOCK_SOURCE_README);
    return QUrl::fromLocalFile(path).toString();
}

FrmReadme::FrmReadme()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      txtURL_(new QLineEdit(ReadmeAddress(), this))
{
    setObjectName(QStringLiteral("frmReadme"));
    setWindowTitle(QStringLiteral("Readme"));
    resize(378, 22);
    txtURL_->setObjectName(QStringLiteral("txtURL"));
    txtURL_->setGeometry(0, 0, 377, 19);
    txtURL_->setFocus();
}

void FrmReadme::Load()
{
    txtURL_->setReadOnly(true);
    // Looks like the text it is, not like a field to type into.
    QPalette palette = txtURL_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    txtURL_->setPalette(palette);
    txtURL_->setFocus();
}

void FrmReadme::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace ravelock
