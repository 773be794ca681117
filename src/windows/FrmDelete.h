#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;

namespace ravelock {

class MainCommands;

// Lists the entries and removes the chosen one when it closes. It talks to the
// main window only through colNames, lngRemoveNumber and RemoveEntry.
class FrmDelete final : public QWidget {
    Q_OBJECT
public:
    FrmDelete(MainCommands& main, QWidget* owner);

    // Fills the list from colNames and clears the choice; runs on every opening.
    void Load();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    MainCommands& main_;
    QComboBox* cmbDelete_;
    QPushButton* cmdDelete_;
};

} // namespace ravelock
