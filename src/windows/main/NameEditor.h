#pragma once

#include <QLineEdit>

namespace ravelock {

// Complete Entry begun by typing the name: a line over the picture beside the rectangle waiting for its
// name. It has the keyboard from the first key on, within the window, so nothing typed at full speed is
// lost. Return asks for the name to be taken; Escape, or the keyboard going elsewhere, leaves the
// rectangle waiting.
class NameEditor final : public QLineEdit {
    Q_OBJECT
public:
    // `back` gets the keyboard when the line goes.
    NameEditor(QWidget& viewport, QWidget& back);

    // Whether the key typed can begin a name: a character that is not white space, with no Ctrl or Alt.
    static bool Begins(const QKeyEvent& event);
    // Shows the line holding `typed`, beside `rectangle` (in the viewport's pixels), within the viewport.
    void Start(const QString& typed, const QRect& rectangle);
    void Stop();

signals:
    void Named(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QWidget& back_;
};

} // namespace ravelock
