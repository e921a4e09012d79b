#include "app/reading_session.h"
#include "files/csv_export.h"
#include "files/decoded_export.h"
#include "files/file_name.h"
#include "files/readings_folder.h"
#include "files/recording_file.h"
#include "ui/form1_main.h"
#include "ui/long_lines.h"
#include "ui/other_windows.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QFileInfo>
#include <QTextEdit>
#include <QTimer>

namespace qv {

namespace {

std::vector<std::string> ToLines(const QStringList& lines) {
    std::vector<std::string> result;
    result.reserve(lines.size());
    for (const QString& line : lines) result.push_back(line.toStdString());
    return result;
}

QStringList FromLines(const std::vector<std::string>& lines) {
    QStringList result;
    for (const std::string& line : lines) result << QString::fromStdString(line);
    return result;
}

} // namespace

void TForm1::N2Click() {
    LoadRecording(QString());
}

void TForm1::N3Click() {
    SaveRecording();
}

void TForm1::Timer2Timer() {
    Timer2->stop();
    if (!services_.arguments.isEmpty()) LoadRecording(services_.arguments.constFirst());
}

QString TForm1::DialogFolder() const {
    return lastFileFolder_.isEmpty() ? services_.documentsFolder : lastFileFolder_;
}

void TForm1::RememberFolderOf(const QString& fileName) {
    lastFileFolder_ = QFileInfo(fileName).absolutePath();
}

bool TForm1::SaveRecording() {
    // The end of the run commits every frame handed over before it, and none can come after:
    // a tick of the commit timer finds nothing to change in the store while it is written.
    SetReadingStopped(true);
    const std::optional<SaveChoice> choice =
        services_.dialogs->AskSaveFile(this, lastSaveType_, DialogFolder());
    if (!choice) return false;
    RememberFolderOf(choice->fileName);

    std::array<std::vector<std::string>, SampleColumnCount> samples{
        ToLines(KeptLines(Memo3)), ToLines(KeptLines(Memo4)), ToLines(KeptLines(Memo5))};
    const RecordingDocument document = DocumentFromStore(state_.store, RecordingLength(), samples,
                                                         markers_, ToLines(CommentLines()));

    const std::string path = choice->fileName.toStdString();
    lastSaveType_ = choice->type;
    FileStatus status;
    switch (choice->type) {
    case SaveFileType::Recording:
        status = SaveRecordingFile(path, document);
        break;
    case SaveFileType::Csv:
        status = ExportCsvFile(path, document);
        break;
    case SaveFileType::ValueTable:
        status = ExportSpreadsheetTableFile(path, document, state_.settings, DecimalSeparator());
        break;
    }
    if (!status.ok()) {
        services_.dialogs->Message(this, status.kind == FileErrorKind::CannotCreate
                                             ? QString::fromUtf8(CannotCreateText)
                                             : QString::fromStdString(status.message));
        return false;
    }
    SetInfo(QString::fromStdString(SavedToText(path)));
    if (choice->type == SaveFileType::Recording) RecordingInFile(false);
    return true;
}

bool TForm1::LoadChosenRecording(const QString& folder) {
    if (!SaveChangesFirst()) return false;
    SetReadingStopped(true);
    const std::optional<QString> chosen =
        services_.dialogs->AskOpenFile(this, folder.isEmpty() ? DialogFolder() : folder);
    if (chosen) LoadRecording(*chosen);
    return chosen.has_value();
}

void TForm1::LoadRecording(const QString& fileName) {
    if (fileName.isEmpty()) {
        (void)LoadChosenRecording(QString());
        return;
    }
    SetReadingStopped(true);
    const QString& name = fileName;
    RememberFolderOf(name);
    // The whole file is read first; only a valid one replaces anything.
    const RecordingLoad load = LoadRecordingFile(name.toStdString());
    if (load.status.kind == FileErrorKind::NotThisProgram) {
        SetInfo(QString::fromUtf8(NotThisProgramText));
        if (!load.status.message.empty() && load.status.message != NotThisProgramText)
            services_.dialogs->Message(this, QString::fromStdString(load.status.message));
    } else if (!load.status.ok()) {
        services_.dialogs->Message(this, QString::fromStdString(load.status.message));
        return;
    } else {
        RecordingDocument document = load.document;
        DateFramesOfReading(QFileInfo(name).fileName().toStdString(), document.frames);
        const int length = document.Length();
        for (int n = 1; n <= MaxFrames; ++n) state_.store.Row(n).Analog.fill(0);
        ApplyToStore(document, state_.store);
        const std::array<QTextEdit*, 3> sampleMemos{Memo3, Memo4, Memo5};
        for (int k = 0; k < SampleColumnCount; ++k)
            ShowKeptLines(sampleMemos[k], FromLines(document.samples[k]), true);
        for (int m = 0; m < FrameMarkerCount; ++m) SetMarker(m + 1, document.markers[m]);
        if (TForm6* comment = Other<TForm6>())
            comment->SetCommentLines(FromLines(document.comment));

        view_.SetLength(length);
        view_.SetFrame(length);
        view_.RecordingChanged();
        MemoDraw(length);
        session_.RecordingReplaced(length);
        RecordingInFile(false);
        SetInfo(QString::fromStdString(LoadedFromText(name.toStdString())));
    }
    GraphRestartAfterLoad();
    if (TForm6* comment = Other<TForm6>(); comment && !comment->CommentLines().isEmpty())
        comment->ShowWithFocusOnOk();
}

} // namespace qv
