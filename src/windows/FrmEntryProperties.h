#pragma once

#include "workspace/Workspace.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLineEdit;
class QSpinBox;

namespace ravelock {

// An entry's name and corners, to change in place. OK applies the values
// unless `refused` says why not, and then the dialog stays open with them;
// `changed` follows every value while it is open.
class FrmEntryProperties final : public QDialog {
    Q_OBJECT
public:
    using Refusal = std::function<bool(const Entry&)>; // true where the values were refused, after saying why
    FrmEntryProperties(QWidget* owner, const Entry& entry, QSize texture, Refusal refused);

    Entry Values() const;

signals:
    void Changed(const Entry& values);
    void Applied(const Entry& values);

private:
    QLineEdit* txtName_;
    QSpinBox* spnLeft_;
    QSpinBox* spnTop_;
    QSpinBox* spnRight_;
    QSpinBox* spnBottom_;
};

} // namespace ravelock
