#include "windows/dialogs/FrmManyEntries.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>

namespace ravelock {

PlanDialog::PlanDialog(QWidget* owner, const char* name, const QString& title)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      form_(new QFormLayout(this)), lblPlan_(new QLabel(this))
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    // Room for the caption in the title bar, where window managers cut it short.
    setMinimumWidth(fontMetrics().horizontalAdvance(title) * 2 + 120);
}

QSpinBox* PlanDialog::AddSpin(QFormLayout& form, const char* name, const QString& label, int low, int high, int value)
{
    auto* box = new QSpinBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    form.addRow(label, box);
    connect(box, &QSpinBox::valueChanged, this, &PlanDialog::Replan);
    return box;
}

QLineEdit* PlanDialog::AddText(QFormLayout& form, const char* name, const QString& label, const QString& value)
{
    auto* field = new QLineEdit(value, this);
    field->setObjectName(QString::fromLatin1(name));
    form.addRow(label, field);
    connect(field, &QLineEdit::textChanged, this, &PlanDialog::Replan);
    return field;
}

void PlanDialog::Finish()
{
    lblPlan_->setObjectName(QStringLiteral("lblPlan"));
    lblPlan_->setWordWrap(true);
    form_->addRow(lblPlan_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    form_->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void PlanDialog::Start(Planner plan, Apply apply)
{
    plan_ = std::move(plan);
    apply_ = std::move(apply);
    Replan();
}

void PlanDialog::Replan()
{
    if (!plan_)
        return;
    const Plan plan = plan_();
    std::vector<QRect> boxes;
    boxes.reserve(plan.entries.size());
    for (const Entry& entry : plan.entries)
        boxes.push_back(entry.Box());
    if (!plan.refusal.isEmpty())
        lblPlan_->setText(plan.refusal);
    else if (plan.entries.empty())
        lblPlan_->setText(QStringLiteral("Nothing to add"));
    else
        lblPlan_->setText(plan.entries.size() == 1 ? QStringLiteral("Adds %1").arg(plan.entries.front().name)
                                                   : QStringLiteral("Adds %1 entries, %2 to %3")
                                                         .arg(plan.entries.size())
                                                         .arg(plan.entries.front().name, plan.entries.back().name));
    emit Planned(boxes);
}

void PlanDialog::accept()
{
    if (apply_ && apply_())
        QDialog::accept();
}

FrmRepeat::FrmRepeat(QWidget* owner, std::vector<Entry> sources, QSize texture)
    : PlanDialog(owner, "frmRepeat", QStringLiteral("Repeat Entries")), sources_(std::move(sources))
{
    QRect all;
    for (const Entry& entry : sources_)
        all |= entry.Box();
    // The next state of a control is most often drawn just below.
    spnOffsetX_ = AddSpin(*form_, "spnOffsetX", QStringLiteral("Offset &X:"), -texture.width(), texture.width(), 0);
    spnOffsetY_ =
        AddSpin(*form_, "spnOffsetY", QStringLiteral("Offset &Y:"), -texture.height(), texture.height(), all.height());
    txtReplace_ = AddText(*form_, "txtReplace", QStringLiteral("&Replace:"), QString());
    txtWith_ = AddText(*form_, "txtWith", QStringLiteral("&With:"), QString());
    spnTimes_ = AddSpin(*form_, "spnTimes", QStringLiteral("&Times:"), 1, 99, 1);
    auto* hint =
        new QLabel(QStringLiteral("A click on the picture puts the first copy's top-left corner there."), this);
    hint->setWordWrap(true);
    form_->addRow(hint);
    Finish();
    spnOffsetX_->setFocus();
    spnOffsetX_->selectAll();
}

RepeatSettings FrmRepeat::Settings() const
{
    return {QPoint(spnOffsetX_->value(), spnOffsetY_->value()), txtReplace_->text().trimmed(), txtWith_->text(),
            spnTimes_->value()};
}

void FrmRepeat::Aim(QPoint texel)
{
    if (sources_.empty())
        return;
    const QPoint offset = texel - sources_.front().Box().topLeft();
    {
        const QSignalBlocker quietX(spnOffsetX_), quietY(spnOffsetY_);
        spnOffsetX_->setValue(offset.x());
        spnOffsetY_->setValue(offset.y());
    }
    Replan();
}

FrmMapShapes::FrmMapShapes(QWidget* owner) : PlanDialog(owner, "frmMapShapes", QStringLiteral("Map All Shapes"))
{
    txtBase_ = AddText(*form_, "txtBase", QStringLiteral("Base &name:"), QStringLiteral("Shape"));
    spnJoin_ = AddSpin(*form_, "spnJoin", QStringLiteral("&Join shapes closer than:"), 0, 16, 0);
    spnJoin_->setSuffix(QStringLiteral(" texels"));
    Finish();
    txtBase_->setFocus();
    txtBase_->selectAll();
}

QString FrmMapShapes::Base() const { return txtBase_->text(); }
int FrmMapShapes::Join() const { return spnJoin_->value(); }

FrmSlice::FrmSlice(QWidget* owner, QSize rectangle)
    : PlanDialog(owner, "frmSlice", QStringLiteral("Slice")), rectangle_(rectangle)
{
    txtBase_ = AddText(*form_, "txtBase", QStringLiteral("Base &name:"), QString());
    cboKind_ = new QComboBox(this);
    cboKind_->setObjectName(QStringLiteral("cboKind"));
    cboKind_->addItems({QStringLiteral("Nine pieces"), QStringLiteral("Grid")});
    form_->addRow(QStringLiteral("&Kind:"), cboKind_);
    auto* pages = new QStackedWidget(this);
    auto* nine = new QWidget(pages);
    auto* nineForm = new QFormLayout(nine);
    nineForm->setContentsMargins(0, 0, 0, 0);
    const char* const borders[4][2] = {{"spnLeft", "&Left:"}, {"spnTop", "To&p:"}, {"spnRight", "R&ight:"},
                                       {"spnBottom", "&Bottom:"}};
    for (int i = 0; i < 4; ++i) {
        const int most = (i % 2 ? rectangle.height() : rectangle.width()) - 1;
        spnBorder_[i] = AddSpin(*nineForm, borders[i][0], QString::fromLatin1(borders[i][1]), 0, std::max(most, 0),
                                std::min(most / 3, 4));
    }
    auto* grid = new QWidget(pages);
    auto* gridForm = new QFormLayout(grid);
    gridForm->setContentsMargins(0, 0, 0, 0);
    spnColumns_ = AddSpin(*gridForm, "spnColumns", QStringLiteral("&Columns:"), 1, rectangle.width(), 1);
    spnRows_ = AddSpin(*gridForm, "spnRows", QStringLiteral("&Rows:"), 1, rectangle.height(), 1);
    spnWidth_ = AddSpin(*gridForm, "spnWidth", QStringLiteral("Cell &width:"), 1, rectangle.width(), rectangle.width());
    spnHeight_ =
        AddSpin(*gridForm, "spnHeight", QStringLiteral("Cell &height:"), 1, rectangle.height(), rectangle.height());
    spnSpacingX_ = AddSpin(*gridForm, "spnSpacingX", QStringLiteral("Spacing &X:"), 0, rectangle.width(), 0);
    spnSpacingY_ = AddSpin(*gridForm, "spnSpacingY", QStringLiteral("Spacing &Y:"), 0, rectangle.height(), 0);
    chkSkipEmpty_ = new QCheckBox(QStringLiteral("&Skip empty cells"), grid);
    chkSkipEmpty_->setObjectName(QStringLiteral("chkSkipEmpty"));
    chkTrim_ = new QCheckBox(QStringLiteral("&Trim cells to their shapes"), grid);
    chkTrim_->setObjectName(QStringLiteral("chkTrim"));
    gridForm->addRow(chkSkipEmpty_);
    gridForm->addRow(chkTrim_);
    pages->addWidget(nine);
    pages->addWidget(grid);
    form_->addRow(pages);
    for (QSpinBox* count : {spnColumns_, spnRows_})
        connect(count, &QSpinBox::valueChanged, this, [this] { Follow(false); });
    for (QSpinBox* size : {spnWidth_, spnHeight_})
        connect(size, &QSpinBox::valueChanged, this, [this] { Follow(true); });
    for (QSpinBox* spacing : {spnSpacingX_, spnSpacingY_})
        connect(spacing, &QSpinBox::valueChanged, this, [this] { Follow(bySize_); });
    for (QCheckBox* box : {chkSkipEmpty_, chkTrim_})
        connect(box, &QCheckBox::toggled, this, &PlanDialog::Replan);
    // The dialog is as tall as the kind shown needs.
    const auto show = [pages](int kind) {
        for (int page = 0; page < pages->count(); ++page)
            pages->widget(page)->setSizePolicy(QSizePolicy::Preferred,
                                               page == kind ? QSizePolicy::Preferred : QSizePolicy::Ignored);
        pages->setCurrentIndex(kind);
    };
    show(0);
    connect(cboKind_, &QComboBox::currentIndexChanged, this, [this, show](int kind) {
        show(kind);
        adjustSize();
        Replan();
    });
    Finish();
    txtBase_->setFocus();
}

void FrmSlice::Follow(bool bySize)
{
    bySize_ = bySize;
    const SliceSettings settings = Settings();
    const QSize gap = settings.spacing;
    const QSignalBlocker quiet[] = {QSignalBlocker(spnColumns_), QSignalBlocker(spnRows_), QSignalBlocker(spnWidth_),
                                    QSignalBlocker(spnHeight_)};
    if (bySize) {
        spnColumns_->setValue((rectangle_.width() + gap.width()) / (settings.size.width() + gap.width()));
        spnRows_->setValue((rectangle_.height() + gap.height()) / (settings.size.height() + gap.height()));
    } else {
        spnWidth_->setValue((rectangle_.width() - (settings.count.width() - 1) * gap.width()) / settings.count.width());
        spnHeight_->setValue((rectangle_.height() - (settings.count.height() - 1) * gap.height()) /
                             settings.count.height());
    }
    Replan();
}

SliceSettings FrmSlice::Settings() const
{
    SliceSettings settings;
    settings.base = txtBase_->text();
    settings.kind = cboKind_->currentIndex() == 0 ? SliceSettings::Kind::NinePieces : SliceSettings::Kind::Grid;
    settings.borders =
        QMargins(spnBorder_[0]->value(), spnBorder_[1]->value(), spnBorder_[2]->value(), spnBorder_[3]->value());
    settings.bySize = bySize_;
    settings.count = QSize(spnColumns_->value(), spnRows_->value());
    settings.size = QSize(spnWidth_->value(), spnHeight_->value());
    settings.spacing = QSize(spnSpacingX_->value(), spnSpacingY_->value());
    settings.skipEmpty = chkSkipEmpty_->isChecked();
    settings.trim = chkTrim_->isChecked();
    return settings;
}

} // namespace ravelock
