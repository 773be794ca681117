#pragma once

#include "workspace/Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <stdexcept>

namespace testing_support {

// Answers the commands' dialogs from a script and records what was asked.
// An unscripted question fails the test by throwing.
class ScriptedDialogs : public ravelock::Dialogs {
public:
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<ravelock::Answer> messageAnswers;
    std::deque<QString> inputAnswers;

    struct Shown {
        QString text;
        QString title;
        ravelock::MessageIcon icon;
        ravelock::MessageButtons buttons;
    };
    std::vector<Shown> messages;
    std::vector<ravelock::FileDialogSettings> fileDialogs;
    QStringList inputs; // "prompt|title"

    std::optional<QString> OpenFile(const ravelock::FileDialogSettings& settings) override
    {
        fileDialogs.push_back(settings);
        return Next(openAnswers, "open dialog");
    }
    std::optional<QString> SaveFile(const ravelock::FileDialogSettings& settings) override
    {
        fileDialogs.push_back(settings);
        return Next(saveAnswers, "save dialog");
    }
    ravelock::Answer Message(const QString& text, const QString& title, ravelock::MessageIcon icon,
                             ravelock::MessageButtons buttons) override
    {
        messages.push_back({text, title, icon, buttons});
        if (buttons == ravelock::MessageButtons::Ok)
            return ravelock::Answer::Ok;
        return Next(messageAnswers, "message box");
    }
    QString Input(const QString& prompt, const QString& title) override
    {
        inputs << prompt + "|" + title;
        return Next(inputAnswers, "input box");
    }

private:
    template <typename T>
    static T Next(std::deque<T>& answers, const char* what)
    {
        if (answers.empty())
            throw std::logic_error(std::string("unscripted ") + what);
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace testing_support
