#pragma once

#include <QString>

#include <optional>

namespace ravelock {

struct FileDialogSettings {
    QString title;
    QString filter;        // a Qt name filter: "Targa (*.tga)"
    QString defaultSuffix; // "ini", or empty
    QString initialDirectory;
    QString initialFileName;
};

enum class MessageIcon { Information, Exclamation, Critical };
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// Every modal interaction of the main window's commands. The program shows
// real dialogs; the tests script the answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen path, or nothing when the user dismissed the dialog. Choosing
    // an existing file to save to asks nothing: the commands ask.
    virtual std::optional<QString> OpenFile(const FileDialogSettings& settings) = 0;
    virtual std::optional<QString> SaveFile(const FileDialogSettings& settings) = 0;
    virtual Answer Message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons) = 0;
    // The typed text; empty when the user cancelled.
    virtual QString Input(const QString& prompt, const QString& title) = 0;
};

} // namespace ravelock
