#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace ravelock {

// Lists the entries and asks for the chosen one to be removed. It is not
// modal: the main window stays usable while it is open.
class FrmDelete final : public QDialog {
    Q_OBJECT
public:
    explicit FrmDelete(QWidget* owner);

    // Fills the list with `names` and chooses the one at `chosen` (none: -1); runs on every opening.
    void Load(const QStringList& names, int chosen = -1);
    // Offers the entries as they are now, while it is open: the chosen one stays chosen, one that is gone is no
    // longer offered, so that a place always names the entry the user chose.
    void Follow(const QStringList& names);

signals:
    // The chosen entry's place in the list, from 0.
    void RemoveRequested(int index);

private:
    QComboBox* cmbDelete_;
    QPushButton* cmdDelete_;
};

} // namespace ravelock
