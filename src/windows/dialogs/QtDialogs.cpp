#include "windows/dialogs/QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace ravelock {

namespace {

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogSettings& settings, bool save)
{
    QFileDialog dialog(parent, settings.title);
    dialog.setNameFilter(settings.filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDirectory(settings.initialDirectory);
    if (!settings.initialFileName.isEmpty())
        dialog.selectFile(settings.initialFileName);
    dialog.setDefaultSuffix(settings.defaultSuffix);
    // The commands ask before a file is replaced: a map's entries are worth a question of their own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtDialogs::OpenFile(const FileDialogSettings& settings)
{
    return RunFileDialog(parent_, settings, false);
}

std::optional<QString> QtDialogs::SaveFile(const FileDialogSettings& settings)
{
    return RunFileDialog(parent_, settings, true);
}

Answer QtDialogs::Message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons)
{
    const QMessageBox::Icon qtIcon = icon == MessageIcon::Information   ? QMessageBox::Information
                                     : icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                                        : QMessageBox::Critical;
    const auto qtButtons = buttons == MessageButtons::Ok ? QMessageBox::StandardButtons(QMessageBox::Ok)
                           : buttons != MessageButtons::YesNoCancel
                               ? QMessageBox::Yes | QMessageBox::No
                               : QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(qtIcon, title, shown, qtButtons, parent_);
    if (buttons == MessageButtons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

QString QtDialogs::Input(const QString& prompt, const QString& title)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

} // namespace ravelock
