// The main window and the other windows as a whole: the one place that connects their requests
// to its handlers, closing them for a reading and releasing their pictures at the end.
#include "ui/form1_main.h"
#include "ui/other_windows.h"

#include <QAction>

namespace qv {

void TForm1::AttachWindows(const OtherWindows& windows) {
    windows_ = &windows;
    windows.ForEach([this](auto* window) {
        if (window) Attach(*window);
    });
    RecordingInFile(false); // the comment window exists now
}

void TForm1::Attach(TForm7& big) {
    connect(&big, &TForm7::startStopPressed, this, &TForm1::Button1Click);
    connect(&big, &TForm7::playPressed, this, &TForm1::Button6Click);
    connect(&big, &TForm7::shown, this, &TForm1::ScrollBar1Change);
    connect(&big, &TForm7::closed, this, [this] {
        show();
        MemoDraw(FramePosition());
    });
}

void TForm1::Attach(TForm8& cable) {
    connect(&cable, &TForm8::closed, this, [this] { show(); });
}

void TForm1::Attach(TForm9& live) {
    connect(LiveGraphItem, &QAction::triggered, &live, &TForm9::Open);
    connect(this, &TForm1::closed, &live, &TForm9::SaveChoices);
}

void TForm1::CloseWindowsForReading() {
    if (!windows_) return;
    windows_->ForEach([](auto* window) {
        if constexpr (ClosesForReading<std::remove_pointer_t<decltype(window)>>)
            if (window) window->close();
    });
}

void TForm1::ReleasePictures() {
    if (!windows_) return;
    windows_->ForEach([](auto* window) {
        if constexpr (requires { window->ReleasePictures(); })
            if (window) window->ReleasePictures();
    });
}

} // namespace qv
