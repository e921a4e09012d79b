// The main window and the comment window: "Коментарий к данным" and the comment's lines.
#include "ui/form1_main.h"
#include "ui/other_windows.h"

namespace qv {

void TForm1::N28Click() {
    if (TForm6* comment = Other<TForm6>()) comment->show();
}

QStringList TForm1::CommentLines() const {
    const TForm6* comment = Other<TForm6>();
    return comment ? comment->CommentLines() : QStringList();
}

} // namespace qv
