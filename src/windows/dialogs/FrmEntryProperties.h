#pragma once

#include "workspace/Workspace.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLineEdit;
class QSpinBox;

namespace ravelock {

// An entry's name and corners, to change in place, in a window beside the
// main window. OK applies the values, or the dialog stays open with them where
// `apply` refused them after saying why; `Changed` follows every value while
// it is open.
class FrmEntryProperties final : public QDialog {
    Q_OBJECT
public:
    using Apply = std::function<bool(const Entry&)>; // false where the values were refused
    FrmEntryProperties(QWidget* owner, const Entry& entry, QSize texture, Apply apply);

    Entry Values() const;
    // The corners as the box's, as dragging on the picture sets them.
    void SetBox(const QRect& box);
    void accept() override;

signals:
    void Changed(const Entry& values);

private:
    Apply apply_;

private:
    QLineEdit* txtName_;
    QSpinBox* spnLeft_;
    QSpinBox* spnTop_;
    QSpinBox* spnRight_;
    QSpinBox* spnBottom_;
};

} // namespace ravelock
