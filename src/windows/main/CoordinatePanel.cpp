#include "windows/main/CoordinatePanel.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace ravelock {

namespace {

QFont PanelFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(13.5);
    font.setWeight(QFont::Normal);
    return font;
}

// A read-only text field claims keys such as Delete, Ctrl+Z and Ctrl+E for
// editing; the window's menu shortcuts must win over that.
class CoordinateField final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
            for (const QAction* action : window()->findChildren<QAction*>()) {
                if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
                    event->ignore();
                    return true;
                }
            }
        }
        return QLineEdit::event(event);
    }
};

} // namespace

std::map<PanelControl, QWidget*> BuildCoordinatePanel(QWidget& client)
{
    std::map<PanelControl, QWidget*> controls;
    struct Control {
        PanelControl control;
        const char* name;
        const char* caption; // labels only
    };
    const Control panel[] = {
        {PanelControl::lblLeft, "lblLeft", "Left "}, {PanelControl::lblRight, "lblRight", "Right "},
        {PanelControl::txtLeft, "txtLeft", nullptr}, {PanelControl::txtRight, "txtRight", nullptr},
        {PanelControl::lblTop, "lblTop", "Top "},    {PanelControl::lblBottom, "lblBottom", "Bottom "},
        {PanelControl::txtTop, "txtTop", nullptr},   {PanelControl::txtBottom, "txtBottom", nullptr},
    };
    const QFont font = PanelFont();
    const QFontMetrics metrics(font);
    for (const Control& entry : panel) {
        QWidget* widget = nullptr;
        if (entry.caption) {
            auto* label = new QLabel(QString::fromLatin1(entry.caption), &client);
            label->setFont(font);
            // Auto-sized to the caption, trailing blank included.
            label->resize(metrics.horizontalAdvance(label->text()), metrics.height());
            widget = label;
        } else {
            auto* field = new CoordinateField(QStringLiteral("0"), &client);
            field->setFont(font);
            field->setFixedSize(49, 27);
            field->setReadOnly(true);
            field->setCursor(Qt::ForbiddenCursor); // after setReadOnly, which resets the pointer
            widget = field;
        }
        widget->setObjectName(QString::fromLatin1(entry.name));
        controls[entry.control] = widget;
    }
    QWidget::setTabOrder(controls[PanelControl::txtLeft], controls[PanelControl::txtRight]);
    QWidget::setTabOrder(controls[PanelControl::txtRight], controls[PanelControl::txtTop]);
    QWidget::setTabOrder(controls[PanelControl::txtTop], controls[PanelControl::txtBottom]);
    return controls;
}

} // namespace ravelock
