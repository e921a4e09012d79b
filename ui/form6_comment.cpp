#include "ui/form6_comment.h"
#include "ui/long_lines.h"
#include "ui/window_basics.h"

#include <QPushButton>
#include <QTextEdit>

namespace qv {

TForm6::TForm6(QWidget* parent) : QWidget(parent) {
    SetUpFixedWindow(this, QStringLiteral("Коментарий к данным"), 512, 455, 288, 110);
    Memo1 = new QTextEdit(this);
    Memo1->setGeometry(8, 8, 497, 417);
    Memo1->setAcceptRichText(false);
    Memo1->setFont(ProgramFont(13));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Typed lines are kept whole (the memo wraps them only on screen).
    Memo1->setLineWrapMode(QTextEdit::WidgetWidth);
    Button1 = new QPushButton(QStringLiteral("Ок"), this);
    Button1->setGeometry(368, 432, 137, 17);
    Button1->setDefault(true); // Enter presses "Ок" as Space does
    connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
    hide();
}

QStringList TForm6::CommentLines() const {
    return KeptLines(Memo1);
}

void TForm6::SetCommentLines(const QStringList& lines) {
    ShowKeptLines(Memo1, lines, false);
}

void TForm6::ClearComment() {
    ShowKeptLines(Memo1, {}, false);
}

void TForm6::ShowWithFocusOnOk() {
    show();
    raise();
    activateWindow();
    Button1->setFocus();
}

void TForm6::Button1Click() {
    hide();
}

} // namespace qv
