#include "windows/dialogs/FrmManyEntries.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>

namespace ravelock {

namespace {

Numbers NumbersOf(const QComboBox& choice) { return choice.currentIndex() == 1 ? Numbers::Padded : Numbers::Plain; }

} // namespace

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
    fields_.push_back(box);
    connect(box, &QSpinBox::valueChanged, this, &PlanDialog::Edited);
    return box;
}

QLineEdit* PlanDialog::AddText(QFormLayout& form, const char* name, const QString& label, const QString& value)
{
    auto* field = new QLineEdit(value, this);
    field->setObjectName(QString::fromLatin1(name));
    form.addRow(label, field);
    fields_.push_back(field);
    connect(field, &QLineEdit::textChanged, this, &PlanDialog::Edited);
    return field;
}

QComboBox* PlanDialog::AddChoice(QFormLayout& form, const char* name, const QString& label, const QStringList& choices)
{
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(choices);
    form.addRow(label, box);
    fields_.push_back(box);
    connect(box, &QComboBox::currentIndexChanged, this, &PlanDialog::Edited);
    return box;
}

QCheckBox* PlanDialog::AddCheck(QFormLayout& form, const char* name, const QString& label)
{
    auto* box = new QCheckBox(label, this);
    box->setObjectName(QString::fromLatin1(name));
    form.addRow(box);
    fields_.push_back(box);
    connect(box, &QCheckBox::toggled, this, &PlanDialog::Edited);
    return box;
}

QComboBox* PlanDialog::AddNumbers(QFormLayout& form)
{
    return AddChoice(form, "cboNumbers", QStringLiteral("N&umbers:"),
                     {QStringLiteral("1, 2, 3"), QStringLiteral("01, 02, 03")});
}

QString PlanDialog::Key(const QWidget& field) const
{
    return QStringLiteral("PlanDialogs/%1/%2").arg(objectName(), field.objectName());
}

// Each field is kept by its widget's own value: a spin box's number, a line's text, a choice's caption, a check.
void PlanDialog::Recall()
{
    const QSettings settings(QSettings::UserScope, QStringLiteral("Ravelock"));
    recalling_ = true;
    for (QWidget* field : fields_)
        if (const QVariant value = settings.value(Key(*field)); value.isValid())
            field->metaObject()->userProperty().write(field, value);
    recalling_ = false;
}

void PlanDialog::done(int result)
{
    QSettings settings(QSettings::UserScope, QStringLiteral("Ravelock"));
    for (const QWidget* field : fields_)
        settings.setValue(Key(*field), field->metaObject()->userProperty().read(field));
    QDialog::done(result);
}

void PlanDialog::Edited()
{
    if (recalling_)
        return;
    hint_.clear();
    Replan();
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

void PlanDialog::Start(Planner plan, Apply apply, const QString& hint)
{
    plan_ = std::move(plan);
    apply_ = std::move(apply);
    hint_ = hint;
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
        lblPlan_->setText(hint_.isEmpty() ? plan.refusal : hint_);
    else if (plan.entries.empty())
        lblPlan_->setText(QStringLiteral("Nothing to add"));
    else
        lblPlan_->setText(plan.entries.size() == 1 ? QStringLiteral("Adds %1").arg(plan.entries.front().name)
                                                   : QStringLiteral("Adds %1 entries, %2 to %3")
                                                         .arg(plan.entries.size())
                                                         .arg(plan.entries.front().name, plan.entries.back().name));
    emit Planned(boxes);
}

// A refusal is said once, under the fields, and the dialog stays open with them.
void PlanDialog::accept()
{
    if (!plan_)
        return;
    hint_.clear();
    if (!plan_().refusal.isEmpty()) {
        Replan();
        QApplication::beep();
        return;
    }
    if (apply_ && apply_())
        QDialog::accept();
}

FrmRepeat::FrmRepeat(QWidget* owner, std::vector<Entry> sources)
    : PlanDialog(owner, "frmRepeat", QStringLiteral("Repeat Entries")), sources_(std::move(sources))
{
    QRect all;
    for (const Entry& entry : sources_)
        all |= entry.Box();
    // Any offset is taken as typed; one that sends a copy off the picture is refused by name. The next state of a
    // control is most often drawn just below.
    constexpr int most = 9'999'999; // times the most copies, still an int
    spnOffsetX_ = AddSpin(*form_, "spnOffsetX", QStringLiteral("Offset &X:"), -most, most, 0);
    spnOffsetY_ = AddSpin(*form_, "spnOffsetY", QStringLiteral("Offset &Y:"), -most, most, all.height());
    txtReplace_ = AddText(*form_, "txtReplace", QStringLiteral("&Replace:"), QString());
    txtWith_ = AddText(*form_, "txtWith", QStringLiteral("&With:"), QString());
    spnTimes_ = AddSpin(*form_, "spnTimes", QStringLiteral("&Times:"), 1, 99, 1);
    auto* hint =
        new QLabel(QStringLiteral("A click on the picture puts the first copy's top-left corner there."), this);
    hint->setWordWrap(true);
    form_->addRow(hint);
    Finish();
    Recall();
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
    Edited();
}

FrmMapShapes::FrmMapShapes(QWidget* owner) : PlanDialog(owner, "frmMapShapes", QStringLiteral("Map All Shapes"))
{
    txtBase_ = AddText(*form_, "txtBase", QStringLiteral("Base &name:"), QStringLiteral("Shape"));
    spnJoin_ = AddSpin(*form_, "spnJoin", QStringLiteral("&Join shapes closer than:"), 0, 16, 0);
    spnJoin_->setSuffix(QStringLiteral(" texels"));
    cboNumbers_ = AddNumbers(*form_);
    Finish();
    Recall();
    txtBase_->setFocus();
    txtBase_->selectAll();
}

QString FrmMapShapes::Base() const { return txtBase_->text(); }
int FrmMapShapes::Join() const { return spnJoin_->value(); }
Numbers FrmMapShapes::Numbers() const { return NumbersOf(*cboNumbers_); }

FrmSlice::FrmSlice(QWidget* owner, QSize rectangle)
    : PlanDialog(owner, "frmSlice", QStringLiteral("Slice")), rectangle_(rectangle)
{
    txtBase_ = AddText(*form_, "txtBase", QStringLiteral("Base &name:"), QString());
    txtBase_->setToolTip(QStringLiteral("A * in the name stands where the piece's word or number goes"));
    cboKind_ =
        AddChoice(*form_, "cboKind", QStringLiteral("&Kind:"), {QStringLiteral("Nine pieces"), QStringLiteral("Grid")});
    auto* pages = new QStackedWidget(this);
    auto* nine = new QWidget(pages);
    auto* nineForm = new QFormLayout(nine);
    nineForm->setContentsMargins(0, 0, 0, 0);
    const char* const borders[4][2] = {
        {"spnLeft", "&Left:"}, {"spnTop", "To&p:"}, {"spnRight", "R&ight:"}, {"spnBottom", "&Bottom:"}};
    for (int i = 0; i < 4; ++i) {
        const int most = (i % 2 ? rectangle.height() : rectangle.width()) - 1;
        spnBorder_[i] = AddSpin(*nineForm, borders[i][0], QString::fromLatin1(borders[i][1]), 0, std::max(most, 0),
                                std::min(most / 3, 4));
    }
    spnGapX_ = AddSpin(*nineForm, "spnGapX", QStringLiteral("Spacing &X:"), 0, rectangle.width(), 0);
    spnGapY_ = AddSpin(*nineForm, "spnGapY", QStringLiteral("Spacing &Y:"), 0, rectangle.height(), 0);
    txtNames_ =
        AddText(*nineForm, "txtNames", QStringLiteral("N&ames:"), QString::fromLatin1(SliceSettings::kNinePieces));
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
    chkSkipEmpty_ = AddCheck(*gridForm, "chkSkipEmpty", QStringLiteral("&Skip empty cells"));
    chkTrim_ = AddCheck(*gridForm, "chkTrim", QStringLiteral("&Trim cells to their shapes"));
    cboNumbers_ = AddNumbers(*gridForm);
    pages->addWidget(nine);
    pages->addWidget(grid);
    form_->addRow(pages);
    for (QSpinBox* count : {spnColumns_, spnRows_})
        connect(count, &QSpinBox::valueChanged, this, [this] { Follow(false); });
    for (QSpinBox* size : {spnWidth_, spnHeight_})
        connect(size, &QSpinBox::valueChanged, this, [this] { Follow(true); });
    for (QSpinBox* spacing : {spnSpacingX_, spnSpacingY_})
        connect(spacing, &QSpinBox::valueChanged, this, [this] { Follow(bySize_); });
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
    });
    Finish();
    Recall();
    Follow(false);
    txtBase_->setFocus();
    txtBase_->selectAll();
}

void FrmSlice::Follow(bool bySize)
{
    bySize_ = bySize;
    const SliceSettings settings = Settings();
    const QSize gap(spnSpacingX_->value(), spnSpacingY_->value());
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
    const bool nine = settings.kind == SliceSettings::Kind::NinePieces;
    settings.spacing =
        nine ? QSize(spnGapX_->value(), spnGapY_->value()) : QSize(spnSpacingX_->value(), spnSpacingY_->value());
    settings.skipEmpty = chkSkipEmpty_->isChecked();
    settings.trim = chkTrim_->isChecked();
    settings.names = txtNames_->text();
    settings.numbers = NumbersOf(*cboNumbers_);
    return settings;
}

} // namespace ravelock
