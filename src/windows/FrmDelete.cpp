#include "windows/FrmDelete.h"

#include "workspace/Twips.h"

#include <QComboBox>
#include <QPushButton>

#include <algorithm>

namespace ravelock {

FrmDelete::FrmDelete(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      cmbDelete_(new QComboBox(this)), cmdDelete_(new QPushButton(QStringLiteral("Delete Selected"), this))
{
    setObjectName(QStringLiteral("frmDelete"));
    setWindowTitle(QStringLiteral("Delete Entry"));
    setSizeGripEnabled(false);
    resize(PixelsFromTwips(3480), PixelsFromTwips(810));
    cmbDelete_->setObjectName(QStringLiteral("cmbDelete"));
    cmbDelete_->setEditable(false);
    cmbDelete_->setGeometry(0, 0, PixelsFromTwips(3495), PixelsFromTwips(315));
    cmdDelete_->setObjectName(QStringLiteral("cmdDelete"));
    cmdDelete_->setDefault(true); // Return presses it, as in any dialog
    // Keep the button centred where it was laid out, but never clip its caption.
    const int width = std::max(PixelsFromTwips(1335), cmdDelete_->sizeHint().width());
    cmdDelete_->setGeometry(PixelsFromTwips(1080) + (PixelsFromTwips(1335) - width) / 2, PixelsFromTwips(360), width,
                            PixelsFromTwips(375));
    setTabOrder(cmbDelete_, cmdDelete_);
    connect(cmdDelete_, &QPushButton::clicked, this, [this] {
        const int index = cmbDelete_->currentIndex();
        accept();
        if (index >= 0)
            emit RemoveRequested(index);
    });
}

void FrmDelete::Load(const QStringList& names)
{
    cmbDelete_->clear();
    cmbDelete_->addItems(names);
    cmbDelete_->setCurrentIndex(-1);
    cmbDelete_->setFocus(); // the keyboard picks from the list on every opening, not the button
}

} // namespace ravelock
