#include "windows/dialogs/FrmSplash.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace ravelock {

namespace {

QFont ArialFont(double points, QFont::Weight weight)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

QLabel* Picture(const QString& resource, int left, int top, QWidget* parent)
{
    auto* picture = new QLabel(parent);
    picture->setPixmap(QPixmap(resource));
    picture->setFrameStyle(QFrame::Box | QFrame::Plain);
    picture->setLineWidth(1);
    picture->setMargin(1);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setGeometry(left, top, 404, 59);
    return picture;
}

QLabel* Line(const QString& text, const QFont& font, int left, int top, int width, int height, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setGeometry(left, top, width, height);
    return label;
}

} // namespace

FrmSplash::FrmSplash(const VersionRecord& version, std::function<void()> proceed)
    // A plain frameless window, not a splash-type one: window managers give
    // splash windows no keyboard focus, and keys must proceed.
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), proceed_(std::move(proceed)), frame1_(new QFrame(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(492, 221);
    setFocusPolicy(Qt::StrongFocus);

    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame1_->setGeometry(8, 0, 472, 214);
    imgProductName_ = Picture(QStringLiteral(":/product-name.gif"), 32, 16, frame1_);
    lblVersion_ = Line(QStringLiteral("Version"), ArialFont(12, QFont::Bold), 8, 80, 459, 19, frame1_);
    lblVersion_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // A click on the version line does nothing; it must not reach the frame.
    lblVersion_->setAttribute(Qt::WA_NoMousePropagation);
    imgOrvaneBanner_ = Picture(QStringLiteral(":/maker-banner.gif"), 32, 104, frame1_);
    const QFont small = ArialFont(8.25, QFont::Normal);
    lblWarning_ = Line(QStringLiteral("Warning"), small, 8, 168, 457, 13, frame1_);
    lblWarning1_ = Line(QStringLiteral("Warning"), small, 8, 192, 457, 13, frame1_);
    imgProductName_->setObjectName(QStringLiteral("imgProductName"));
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    imgOrvaneBanner_->setObjectName(QStringLiteral("imgOrvaneBanner"));
    lblWarning_->setObjectName(QStringLiteral("lblWarning"));
    lblWarning1_->setObjectName(QStringLiteral("lblWarning1"));
    for (QLabel* line : {lblWarning_, lblWarning1_})
        line->resize(line->width(), std::max(line->height(), line->fontMetrics().height()));

    lblVersion_->setText(
        QStringLiteral("Version %1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
    // The line sizes itself to its text, centred where it was laid out, so a
    // click beside the text reaches the frame.
    const QRect box = lblVersion_->geometry();
    const QSize text = lblVersion_->sizeHint();
    lblVersion_->setGeometry(box.center().x() - text.width() / 2, box.top(), text.width(),
                             std::max(box.height(), text.height()));
    lblWarning_->setText(version.fileDescription);
    lblWarning1_->setText(version.comments);

    for (QWidget* clickable :
         std::initializer_list<QWidget*>{frame1_, imgProductName_, imgOrvaneBanner_, lblWarning_, lblWarning1_})
        clickable->installEventFilter(this);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void FrmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    activateWindow();
}

void FrmSplash::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty())
        Proceed();
    else
        QWidget::keyPressEvent(event);
}

bool FrmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            Proceed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmSplash::Proceed()
{
    if (done_)
        return;
    done_ = true;
    proceed_();
    close();
}

} // namespace ravelock
