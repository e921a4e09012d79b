// The extra columns: the raw bytes of the frame and the three sample columns.
#include "recording/extra_views_layout.h"
#include "ui/form1_main.h"
#include "ui/long_lines.h"
#include "ui/mouse_button.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextEdit>

namespace qv {

QTextEdit* TForm1::SampleMemo(int column) const {
    return column == 1 ? Memo3 : column == 2 ? Memo4 : Memo5;
}

void TForm1::SampleButtonMouseDown(int column, Qt::MouseButton button) {
    QTextEdit* memo = SampleMemo(column);
    if (button == Qt::RightButton)
        ShowKeptLines(memo, {}, true);
    else if (button == Qt::LeftButton)
        ShowKeptLines(memo, shownValues_, true);
}

void TForm1::N12Click() {
    N12->setChecked(!N12->isChecked());
    QApplication::processEvents();
    ApplyExtraViews();
}

void TForm1::N13Click() {
    N13->setChecked(!N13->isChecked());
    QApplication::processEvents();
    ApplyExtraViews();
}

void TForm1::ApplyExtraViews() {
    const ExtraViewsLayout layout = ExtraViewsFor(N12->isChecked(), N13->isChecked());
    Client->setFixedWidth(layout.windowWidth - FrameAllowance);
    Edit1->resize(layout.infoWidth, Edit1->height());
    ScrollBar1->resize(layout.infoWidth, ScrollBar1->height());
    const std::array<QTextEdit*, 3> memos{Memo3, Memo4, Memo5};
    const std::array<MouseButton*, 3> buttons{Button2, Button3, Button4};
    for (int k = 0; k < 3; ++k) {
        if (layout.sampleLefts) memos[k]->move((*layout.sampleLefts)[k], memos[k]->y());
        if (layout.sampleButtonLefts)
            buttons[k]->move((*layout.sampleButtonLefts)[k], buttons[k]->y());
        memos[k]->setVisible(layout.samplesShown);
        buttons[k]->setVisible(layout.samplesShown);
    }
    Memo6->setVisible(layout.bytesShown);
    Label1->setVisible(layout.bytesShown);
    Label2->setVisible(layout.bytesShown);
    FormResize(); // the client width is set directly, so lay out the markers now too
    MemoDraw(FramePosition());
}

} // namespace qv
