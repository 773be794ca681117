#include "windows/main/NameEditor.h"

#include <QKeyEvent>

#include <algorithm>

namespace ravelock {

NameEditor::NameEditor(QWidget& viewport, QWidget& back) : QLineEdit(&viewport), back_(back)
{
    setObjectName(QStringLiteral("txtTypedName"));
    setPlaceholderText(QStringLiteral("Name"));
    setToolTip(QStringLiteral("Return adds the entry; Escape leaves the rectangle waiting"));
    hide();
}

bool NameEditor::Begins(const QKeyEvent& event)
{
    const QString text = event.text();
    return text.size() == 1 && text.front().isPrint() && !text.front().isSpace() &&
           !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

void NameEditor::Start(const QString& typed, const QRect& rectangle)
{
    const QWidget& viewport = *parentWidget();
    const QSize size(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16, sizeHint().height());
    // Below the rectangle where there is room, else above it; never out of view.
    QPoint at = rectangle.bottomLeft() + QPoint(0, 3);
    if (at.y() + size.height() > viewport.height())
        at.setY(rectangle.top() - size.height() - 3);
    at.setX(std::clamp(at.x(), 0, std::max(0, viewport.width() - size.width())));
    at.setY(std::clamp(at.y(), 0, std::max(0, viewport.height() - size.height())));
    setGeometry(QRect(at, size));
    setText(typed);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void NameEditor::Stop()
{
    if (hasFocus())
        back_.setFocus(Qt::OtherFocusReason);
    hide();
}

void NameEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit Named(text());
        return;
    case Qt::Key_Escape:
        Stop();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

// A message box over the window takes the keyboard for a while; a click or Tab elsewhere gives up the name.
void NameEditor::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
        hide();
}

} // namespace ravelock
