#include "windows/FrmDelete.h"

#include "workspace/MainCommands.h"
#include "workspace/Twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>

namespace ravelock {

FrmDelete::FrmDelete(MainCommands& main, QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      main_(main), cmbDelete_(new QComboBox(this)), cmdDelete_(new QPushButton(QStringLiteral("Delete Selected"), this))
{
    setObjectName(QStringLiteral("frmDelete"));
    setWindowTitle(QStringLiteral("Delete Entry"));
    resize(PixelsFromTwips(3480), PixelsFromTwips(810));
    cmbDelete_->setObjectName(QStringLiteral("cmbDelete"));
    cmbDelete_->setEditable(false);
    cmbDelete_->setGeometry(0, 0, PixelsFromTwips(3495), PixelsFromTwips(315));
    cmdDelete_->setObjectName(QStringLiteral("cmdDelete"));
    // Keep the button centred where it was laid out, but never clip its caption.
    const int width = std::max(PixelsFromTwips(1335), cmdDelete_->sizeHint().width());
    cmdDelete_->setGeometry(PixelsFromTwips(1080) + (PixelsFromTwips(1335) - width) / 2, PixelsFromTwips(360), width, PixelsFromTwips(375));
    setTabOrder(cmbDelete_, cmdDelete_);
    connect(cmdDelete_, &QPushButton::clicked, this, [this] {
        main_.State().lngRemoveNumber = cmbDelete_->currentIndex() + 1;
        close();
    });
}

void FrmDelete::Load()
{
    cmbDelete_->clear();
    cmbDelete_->addItems(main_.State().colNames);
    cmbDelete_->setCurrentIndex(-1);
    main_.State().lngRemoveNumber = 0;
}

void FrmDelete::closeEvent(QCloseEvent* event)
{
    if (main_.State().lngRemoveNumber != 0)
        main_.RemoveEntry();
    event->accept();
}

// As in any dialog: Escape closes it without a choice, Return presses the button.
void FrmDelete::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        cmdDelete_->click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace ravelock
