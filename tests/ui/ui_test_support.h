#pragma once

#include "ui/form1_main.h"
#include "ui/quintovar_app.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::test {

// Dialogs that never open: messages are recorded, file names come from the test.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        QString caption; // empty for a plain message
    };
    std::vector<Shown> messages;
    std::deque<std::optional<SaveChoice>> saveAnswers;
    std::deque<std::optional<QString>> openAnswers;
    int saveAsked = 0;
    int openAsked = 0;
    SaveFileType lastSaveType = SaveFileType::Recording; // the type the save dialog offered first

    void Message(QWidget*, const QString& text) override { messages.push_back({text, {}}); }
    void Error(QWidget*, const QString& text, const QString& caption) override {
        messages.push_back({text, caption});
    }
    std::vector<QString> notices;
    void Notice(QWidget*, const QString& text) override { notices.push_back(text); }
    std::deque<SaveAnswer> saveChangesAnswers; // "Нет" when none is left
    int saveChangesAsked = 0;
    SaveAnswer AskSaveChanges(QWidget*, const QString&) override {
        ++saveChangesAsked;
        if (saveChangesAnswers.empty()) return SaveAnswer::No;
        const SaveAnswer answer = saveChangesAnswers.front();
        saveChangesAnswers.pop_front();
        return answer;
    }
    std::vector<QString> foldersAsked; // the folder each file dialog opened in
    std::optional<SaveChoice> AskSaveFile(QWidget*, SaveFileType preferred,
                                          const QString& folder) override {
        ++saveAsked;
        lastSaveType = preferred;
        foldersAsked.push_back(folder);
        if (saveAnswers.empty()) return std::nullopt;
        auto answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    std::deque<std::optional<QColor>> colourAnswers;
    std::vector<QColor> colourAsked; // the colour each colour dialog opened on
    std::optional<QColor> AskColour(QWidget*, const QColor& initial) override {
        colourAsked.push_back(initial);
        if (colourAnswers.empty()) return std::nullopt;
        auto answer = colourAnswers.front();
        colourAnswers.pop_front();
        return answer;
    }
    std::deque<QString> pictureAnswers;
    std::optional<QString> AskSavePicture(QWidget*) override {
        if (pictureAnswers.empty()) return std::nullopt;
        const QString answer = pictureAnswers.front();
        pictureAnswers.pop_front();
        return answer;
    }
    std::optional<QString> AskOpenFile(QWidget*, const QString& folder) override {
        ++openAsked;
        foldersAsked.push_back(folder);
        if (openAnswers.empty()) return std::nullopt;
        auto answer = openAnswers.front();
        openAnswers.pop_front();
        return answer;
    }
};

// A menu item's caption as the user reads it, without its mnemonic mark.
inline QString Caption(const QAction* item) {
    return QString(item->text()).remove(QLatin1Char('&'));
}

// Runs the event loop until `done` holds or `timeoutMs` passes.
template <typename Predicate> bool WaitFor(Predicate done, int timeoutMs = 2000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QStringList MemoLines(const QTextEdit* memo);

} // namespace qv::test
