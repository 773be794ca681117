#include "windows/dialogs/FrmEntryProperties.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace ravelock {

FrmEntryProperties::FrmEntryProperties(QWidget* owner, const Entry& entry, QSize texture, Apply apply)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      apply_(std::move(apply)), txtName_(new QLineEdit(entry.name, this)), spnLeft_(new QSpinBox(this)),
      spnTop_(new QSpinBox(this)), spnRight_(new QSpinBox(this)), spnBottom_(new QSpinBox(this))
{
    setObjectName(QStringLiteral("frmEntryProperties"));
    setWindowTitle(QStringLiteral("Entry Properties"));
    // Room for the caption in the title bar, where window managers cut it short.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 2 + 80);
    auto* form = new QFormLayout(this);
    txtName_->setObjectName(QStringLiteral("txtName"));
    form->addRow(QStringLiteral("&Name:"), txtName_);
    // The column and row just past the picture count, as a click there does.
    const std::pair<QSpinBox*, std::pair<const char*, int>> fields[] = {{spnLeft_, {"Left", entry.left}},
                                                                        {spnTop_, {"Top", entry.top}},
                                                                        {spnRight_, {"Right", entry.right}},
                                                                        {spnBottom_, {"Bottom", entry.bottom}}};
    for (const auto& [box, field] : fields) {
        const bool across = box == spnLeft_ || box == spnRight_;
        box->setObjectName(QStringLiteral("spn") + QLatin1String(field.first));
        box->setRange(0, across ? texture.width() : texture.height());
        box->setValue(field.second);
        form->addRow(QStringLiteral("&%1:").arg(QLatin1String(field.first)), box);
        connect(box, &QSpinBox::valueChanged, this, [this] { emit Changed(Values()); });
    }
    connect(txtName_, &QLineEdit::textChanged, this, [this] { emit Changed(Values()); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    txtName_->setFocus();
}

void FrmEntryProperties::SetBox(const QRect& box)
{
    {
        const QSignalBlocker quiet[] = {QSignalBlocker(spnLeft_), QSignalBlocker(spnTop_), QSignalBlocker(spnRight_),
                                        QSignalBlocker(spnBottom_)};
        spnLeft_->setValue(box.left());
        spnTop_->setValue(box.top());
        spnRight_->setValue(box.right());
        spnBottom_->setValue(box.bottom());
    }
    emit Changed(Values());
}

void FrmEntryProperties::accept()
{
    if (apply_(Values()))
        QDialog::accept();
}

Entry FrmEntryProperties::Values() const
{
    return {txtName_->text(), spnLeft_->value(), spnTop_->value(), spnRight_->value(), spnBottom_->value()};
}

} // namespace ravelock
