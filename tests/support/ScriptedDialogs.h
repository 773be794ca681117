#pragma once

#include "workspace/Dialogs.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <ostream>

// Failures print texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace testing_support {

// Answers the commands' dialogs from a script and records what was asked.
// A question nobody scripted fails the test and is answered as dismissed.
struct ScriptedDialogs : ravelock::Dialogs {
    std::deque<std::optional<QString>> openAnswers, saveAnswers;
    std::deque<ravelock::Answer> messageAnswers;
    std::deque<QString> inputAnswers;
    QStringList messages; // "title: text"
    std::vector<ravelock::MessageIcon> icons;
    std::vector<ravelock::FileDialogSettings> fileDialogs;

    std::optional<QString> OpenFile(const ravelock::FileDialogSettings& settings) override
    {
        fileDialogs.push_back(settings);
        return Next(openAnswers, std::optional<QString>(), "open dialog");
    }
    std::optional<QString> SaveFile(const ravelock::FileDialogSettings& settings) override
    {
        fileDialogs.push_back(settings);
        return Next(saveAnswers, std::optional<QString>(), "save dialog");
    }
    ravelock::Answer Message(const QString& text, const QString& title, ravelock::MessageIcon icon,
                             ravelock::MessageButtons buttons) override
    {
        messages << title + ": " + text;
        icons.push_back(icon);
        if (buttons == ravelock::MessageButtons::Ok)
            return ravelock::Answer::Ok;
        return Next(messageAnswers, ravelock::Answer::Cancel, "message box");
    }
    QString Input(const QString& prompt, const QString& title) override
    {
        EXPECT_EQ(prompt + "|" + title, "Enter Entry Name|Entry Name");
        return Next(inputAnswers, QString(), "input box");
    }

    template <typename T> static T Next(std::deque<T>& answers, T dismissed, const char* what)
    {
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted " << what;
            return dismissed;
        }
        std::swap(dismissed, answers.front());
        answers.pop_front();
        return dismissed;
    }
};

} // namespace testing_support
