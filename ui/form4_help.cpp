#include "ui/form4_help.h"
#include "recording/help_text.h"
#include "ui/window_basics.h"

#include <QPlainTextEdit>
#include <QStringList>

namespace qv {

TForm4::TForm4(QWidget* parent) : QWidget(parent) {
    SetUpFixedWindow(this, QStringLiteral("Помощь"), 606, 529, 269, 79);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(8, 8, 593, 513);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFont(ProgramFont(13));
    QStringList lines;
    for (const std::string& line : HelpLines()) lines << QString::fromStdString(line);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    hide();
}

void TForm4::Open() {
    show();
    raise();
    activateWindow();
}

} // namespace qv
