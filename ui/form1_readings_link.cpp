// The main window and the list of readings: "Последние чтения…", and what it asks to load.
#include "ui/form1_main.h"
#include "ui/other_windows.h"

#include <QDir>

namespace qv {

void TForm1::Attach(TForm11& readings) {
    connect(&readings, &TForm11::loadRequested, this, &TForm1::LoadKeptReading);
    connect(&readings, &TForm11::otherFileRequested, this, &TForm1::LoadOtherReading);
}

void TForm1::RecentReadingsClick() {
    if (TForm11* readings = Other<TForm11>()) readings->Open();
}

void TForm1::LoadKeptReading(const QString& path) {
    if (!SaveChangesFirst()) return;
    if (TForm11* readings = Other<TForm11>()) readings->close();
    LoadRecording(path);
}

void TForm1::LoadOtherReading() {
    QDir().mkpath(services_.readingsFolder); // a first run has no readings yet
    if (LoadChosenRecording(services_.readingsFolder))
        if (TForm11* readings = Other<TForm11>()) readings->close();
}

} // namespace qv
