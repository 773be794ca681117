#pragma once

#include "targa/TargaModule.h"
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

// Shows the decoder's messages through the window's dialogs.
class DialogErrorReporter final : public targa::ErrorReporter {
public:
    explicit DialogErrorReporter(Dialogs& dialogs) : dialogs_(dialogs) {}
    void ShowError(const std::string& title, const std::string& text) override
    {
        dialogs_.Message(QString::fromStdString(text), QString::fromStdString(title), MessageIcon::Critical,
                         MessageButtons::Ok);
    }

private:
    Dialogs& dialogs_;
};

// "Targa (*.tga)|*.tga" as a Qt name filter.
QString QtNameFilter(const QString& filter);

} // namespace ravelock
