#include "ui/form5_about.h"
#include "recording/help_text.h"
#include "ui/window_basics.h"

#include <QLabel>

namespace qv {

TForm5::TForm5(QWidget* parent) : QWidget(parent) {
    SetUpFixedWindow(this, QStringLiteral("О программе"), 363, 186, 445, 101);
    QLabel** fields[] = {&Label1, &Label2, &Label3, &Label4, &Label5};
    int k = 0;
    for (const AboutLabel& about : AboutLabels()) {
        auto* label = new QLabel(QString::fromUtf8(about.text), this);
        label->setObjectName(QString::fromLatin1(about.name));
        label->setFont(ProgramFont(about.pixelSize, about.bold));
        label->move(about.left, about.top);
        label->adjustSize();
        *fields[k++] = label;
    }
    hide();
}

void TForm5::Open() {
    show();
    raise();
    activateWindow();
}

} // namespace qv
