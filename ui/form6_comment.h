#pragma once

#include <QStringList>
#include <QWidget>

class QPushButton;
class QTextEdit;

namespace qv {

// The comment window: the recording's free-text comment.
class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // The comment's lines (RecordingComment); empty when there is no comment. Lines set here
    // come back exactly as they were (the window may show very long ones cut) until the text
    // is edited.
    QStringList CommentLines() const;
    void SetCommentLines(const QStringList& lines);
    void ClearComment();
    // Shows the window with the keyboard focus on "Ок".
    void ShowWithFocusOnOk();

    void Button1Click();

    QTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
};

} // namespace qv
