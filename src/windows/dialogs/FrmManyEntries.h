#pragma once

#include "workspace/ManyEntries.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace ravelock {

// A dialog that adds several entries at once: what its fields would add is planned on every
// change (`Planned` outlines it, a line under the fields counts it or says why not), and OK adds
// it, or the dialog stays open with its fields where that was refused. What was typed in its
// fields is there again at its next opening, in this run or a later one.
class PlanDialog : public QDialog {
    Q_OBJECT
public:
    using Planner = std::function<Plan()>;
    using Apply = std::function<bool()>; // false where the entries were refused
    // `hint` stands in for a refusal until a field is changed.
    void Start(Planner plan, Apply apply, const QString& hint = {});
    // Plans again from the fields, as after a change of the state they are planned on.
    void Replan();
    void accept() override;
    void done(int result) override;

signals:
    void Planned(const std::vector<QRect>& boxes);

protected:
    PlanDialog(QWidget* owner, const char* name, const QString& title);
    // Adds the count line and the buttons after the fields.
    void Finish();
    QSpinBox* AddSpin(QFormLayout& form, const char* name, const QString& label, int low, int high, int value);
    QLineEdit* AddText(QFormLayout& form, const char* name, const QString& label, const QString& value);
    QComboBox* AddChoice(QFormLayout& form, const char* name, const QString& label, const QStringList& choices);
    QCheckBox* AddCheck(QFormLayout& form, const char* name, const QString& label);
    // How the entries are numbered: "1, 2, 3" first.
    QComboBox* AddNumbers(QFormLayout& form);
    // Puts back what the fields held when the dialog last closed; before Start, as the fields' own changes do.
    void Recall();
    // A field was changed by the user, not by Recall.
    void Edited();
    QFormLayout* form_;

private:
    QString Key(const QWidget& field) const;

    Planner plan_;
    Apply apply_;
    QString hint_;
    QLabel* lblPlan_;
    std::vector<QWidget*> fields_; // remembered
    bool recalling_ = false;
};

// Copies of the chosen entries at an offset, their names with a word replaced.
class FrmRepeat final : public PlanDialog {
    Q_OBJECT
public:
    FrmRepeat(QWidget* owner, std::vector<Entry> sources);
    const std::vector<Entry>& Sources() const { return sources_; }
    RepeatSettings Settings() const;
    // Sets the offset that puts the first entry's top-left corner on `texel`.
    void Aim(QPoint texel);

private:
    std::vector<Entry> sources_;
    QSpinBox* spnOffsetX_;
    QSpinBox* spnOffsetY_;
    QLineEdit* txtReplace_;
    QLineEdit* txtWith_;
    QSpinBox* spnTimes_;
};

// An entry for every shape no entry covers yet.
class FrmMapShapes final : public PlanDialog {
    Q_OBJECT
public:
    explicit FrmMapShapes(QWidget* owner);
    QString Base() const;
    int Join() const;
    ravelock::Numbers Numbers() const;

private:
    QLineEdit* txtBase_;
    QSpinBox* spnJoin_;
    QComboBox* cboNumbers_;
};

// The rectangle being picked cut into nine pieces or a grid of cells.
class FrmSlice final : public PlanDialog {
    Q_OBJECT
public:
    FrmSlice(QWidget* owner, QSize rectangle);
    SliceSettings Settings() const;

private:
    // Columns and rows follow the cells' size and the other way round; the last edited counts.
    void Follow(bool bySize);

    QSize rectangle_;
    bool bySize_ = false;
    QLineEdit* txtBase_;
    QComboBox* cboKind_;
    QSpinBox* spnBorder_[4];
    QSpinBox* spnGapX_;
    QSpinBox* spnGapY_;
    QLineEdit* txtNames_;
    QComboBox* cboNumbers_;
    QSpinBox* spnColumns_;
    QSpinBox* spnRows_;
    QSpinBox* spnWidth_;
    QSpinBox* spnHeight_;
    QSpinBox* spnSpacingX_;
    QSpinBox* spnSpacingY_;
    QCheckBox* chkSkipEmpty_;
    QCheckBox* chkTrim_;
};

} // namespace ravelock
