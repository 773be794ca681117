#include "windows/FrmReadme.h"

#include "workspace/Twips.h"

#include <QLineEdit>

namespace ravelock {

FrmReadme::FrmReadme()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      txtURL_(new QLineEdit(kReadmeAddress, this))
{
    setObjectName(QStringLiteral("frmReadme"));
    setWindowTitle(QStringLiteral("Readme"));
    resize(PixelsFromTwips(5670), PixelsFromTwips(330));
    txtURL_->setObjectName(QStringLiteral("txtURL"));
    txtURL_->setGeometry(0, 0, PixelsFromTwips(5655), PixelsFromTwips(285));
    txtURL_->setFocus();
}

void FrmReadme::Load()
{
    txtURL_->setReadOnly(true);
    txtURL_->setFocus();
}

} // namespace ravelock
