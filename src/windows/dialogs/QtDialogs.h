#pragma once

#include "workspace/Dialogs.h"

class QWidget;

namespace ravelock {

// The commands' modal dialogs as real Qt dialogs, owned by `parent`.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    std::optional<QString> OpenFile(const FileDialogSettings& settings) override;
    std::optional<QString> SaveFile(const FileDialogSettings& settings) override;
    Answer Message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons) override;
    QString Input(const QString& prompt, const QString& title) override;

private:
    QWidget* parent_;
};

} // namespace ravelock
