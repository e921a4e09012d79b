#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

namespace qv {

// The file types of the save dialog: a recording, the CSV export for Excel, and the table of
// decoded values (the companion's `export`).
enum class SaveFileType { Recording = 1, Csv = 2, ValueTable = 3 };

// The answers to "Сохранить изменения в записи?".
enum class SaveAnswer { Yes, No, Cancel };

struct SaveChoice {
    QString fileName;
    SaveFileType type = SaveFileType::Recording;
};

// Message boxes and file dialogs. The program uses the platform's; tests override them so
// that nothing modal ever opens.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain message with a single OK button; its caption is the application title.
    virtual void Message(QWidget* parent, const QString& text);
    // A message with the error icon and the given caption.
    virtual void Error(QWidget* parent, const QString& text, const QString& caption);
    // A notice with an OK button that does not wait for it: the program goes on meanwhile.
    virtual void Notice(QWidget* parent, const QString& text);
    // A question with the buttons "Да", "Нет" and "Отмена" (Escape and the close box cancel).
    virtual SaveAnswer AskSaveChanges(QWidget* parent, const QString& text);

    // The save dialog, opened in `folder` with the type `preferred` chosen; nothing when
    // cancelled.
    virtual std::optional<SaveChoice> AskSaveFile(QWidget* parent, SaveFileType preferred,
                                                  const QString& folder);
    // The save dialog for a picture (PNG), opened in the user's pictures folder; nothing when
    // cancelled.
    virtual std::optional<QString> AskSavePicture(QWidget* parent);
    // The open dialog for recordings, opened in `folder`; nothing when cancelled.
    virtual std::optional<QString> AskOpenFile(QWidget* parent, const QString& folder);
    // The colour picker opened on `initial`; nothing when cancelled.
    virtual std::optional<QColor> AskColour(QWidget* parent, const QColor& initial);
};

} // namespace qv
