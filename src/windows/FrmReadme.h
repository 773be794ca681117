#pragma once

#include <QWidget>

class QLineEdit;

namespace ravelock {

inline const QString kReadmeAddress = QStringLiteral("https://ravelock.dev/docs/readme.html");

// Shows where the readme lives, in a field the user can select and copy from.
class FrmReadme final : public QWidget {
    Q_OBJECT
public:
    FrmReadme();
    void Load();

private:
    QLineEdit* txtURL_;
};

} // namespace ravelock
