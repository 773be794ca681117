#include "windows/main/KeptSize.h"

#include <QTimer>
#include <QWidget>

namespace ravelock {

void KeptSize::Resize(QSize wanted)
{
    if (window_.size() != wanted)
        sizesLeft_.append(window_.size());
    wanted_ = wanted;
    reassertions_ = 0;
    window_.resize(wanted);
}

void KeptSize::Resized()
{
    if (!wanted_.isValid() || window_.size() == wanted_)
        return;
    if (!sizesLeft_.contains(window_.size())) {
        wanted_ = QSize(); // the user's own size from now on
        sizesLeft_.clear();
        return;
    }
    if (!burst_.isValid() || burst_.hasExpired(1000)) {
        burst_.start();
        reassertions_ = 0;
    }
    if (reassertions_ < 3) {
        ++reassertions_;
        QTimer::singleShot(0, &window_, [this] {
            if (wanted_.isValid())
                window_.resize(wanted_);
        });
    }
}

} // namespace ravelock
