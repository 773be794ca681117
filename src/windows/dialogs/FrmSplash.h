#pragma once

#include "windows/dialogs/Version.h"

#include <QWidget>

#include <functional>

class QFrame;
class QLabel;

namespace ravelock {

// The title window. A click on its frame, either picture or either credit
// line, or any key that types a character, calls `proceed` and closes it.
class FrmSplash final : public QWidget {
    Q_OBJECT
public:
    FrmSplash(const VersionRecord& version, std::function<void()> proceed);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Proceed();

    std::function<void()> proceed_;
    QFrame* frame1_;
    QLabel* imgProductName_;
    QLabel* lblVersion_;
    QLabel* imgOrvaneBanner_;
    QLabel* lblWarning_;
    QLabel* lblWarning1_;
    bool done_ = false;
};

} // namespace ravelock
