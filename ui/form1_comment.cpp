// The main window and the comment window: "Коментарий к данным" and the comment's lines.
#include "ui/form1_main.h"
#include "ui/form6_comment.h"

namespace qv {

void TForm1::N28Click() {
    if (windows_.form6) windows_.form6->show();
}

QStringList TForm1::CommentLines() const {
    return windows_.form6 ? windows_.form6->CommentLines() : QStringList();
}

} // namespace qv
