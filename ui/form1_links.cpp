// The main window and the other windows as a whole: the one place that connects their requests
// to its handlers, closing them for a reading and releasing their pictures at the end.
#include "ui/form1_main.h"
#include "ui/form3_graph.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"
#include "ui/form6_comment.h"
#include "ui/form7_bigfont.h"
#include "ui/form8_cable.h"

namespace qv {

void TForm1::AttachWindows(const OtherWindows& windows) {
    windows_ = windows;
    if (TForm7* big = windows_.form7) {
        connect(big, &TForm7::startStopPressed, this, &TForm1::Button1Click);
        connect(big, &TForm7::playPressed, this, &TForm1::Button6Click);
        connect(big, &TForm7::shown, this, &TForm1::ScrollBar1Change);
        connect(big, &TForm7::closed, this, [this] {
            show();
            MemoDraw(FramePosition());
        });
    }
    if (windows_.form8) connect(windows_.form8, &TForm8::closed, this, [this] { show(); });
}

void TForm1::CloseWindowsForReading() {
    for (QWidget* window : std::initializer_list<QWidget*>{windows_.form3, windows_.form4,
                                                           windows_.form5, windows_.form6})
        if (window) window->close();
}

void TForm1::ReleasePictures() {
    if (windows_.form3) windows_.form3->ReleaseBitmap();
    if (windows_.form7) windows_.form7->ReleasePictures();
}

} // namespace qv
