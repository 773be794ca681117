#pragma once

#include <QWidget>

class QLineEdit;

namespace ravelock {

// The address of the readme: the one installed with the program, else the
// one in the source tree the program was built from.
QString ReadmeAddress();

// Shows where the readme lives, in a field the user can select and copy from.
class FrmReadme final : public QWidget {
    Q_OBJECT
public:
    FrmReadme();
    void Load();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* txtURL_;
};

} // namespace ravelock
