#include "windows/dialogs/FrmDelete.h"

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
    resize(232, 54);
    cmbDelete_->setObjectName(QStringLiteral("cmbDelete"));
    cmbDelete_->setEditable(false);
    cmbDelete_->setGeometry(0, 0, 233, 21);
    cmdDelete_->setObjectName(QStringLiteral("cmdDelete"));
    cmdDelete_->setDefault(true); // Return presses it, as in any dialog
    // Keep the button centred where it was laid out, but never clip its caption.
    const int width = std::max(89, cmdDelete_->sizeHint().width());
    cmdDelete_->setGeometry(72 + (89 - width) / 2, 24, width, 25);
    setTabOrder(cmbDelete_, cmdDelete_);
    connect(cmdDelete_, &QPushButton::clicked, this, [this] {
        const int index = cmbDelete_->currentIndex();
        accept();
        if (index >= 0)
            emit RemoveRequested(index);
    });
}

void FrmDelete::Follow(const QStringList& names)
{
    QStringList offered;
    for (int i = 0; i < cmbDelete_->count(); ++i)
        offered << cmbDelete_->itemText(i);
    if (offered == names)
        return;
    const QString chosen = cmbDelete_->currentText();
    const QSignalBlocker quiet(cmbDelete_);
    cmbDelete_->clear();
    cmbDelete_->addItems(names);
    cmbDelete_->setCurrentIndex(chosen.isEmpty() ? -1 : static_cast<int>(names.indexOf(chosen)));
}

void FrmDelete::Load(const QStringList& names, int chosen)
{
    cmbDelete_->clear();
    cmbDelete_->addItems(names);
    cmbDelete_->setCurrentIndex(chosen);
    cmbDelete_->setFocus(); // the keyboard picks from the list on every opening, not the button
}

} // namespace ravelock
