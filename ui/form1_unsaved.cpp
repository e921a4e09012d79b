// "Сохранить изменения в записи?": asked before "Выход", the close box, "Читать" or
// "Загрузить" drop a recording that holds what no file has.
#include "app/reading_session.h"
#include "ui/form1_main.h"
#include "ui/long_lines.h"

namespace qv {

TForm1::FileContents TForm1::ContentsNow() const {
    return {markers_, {KeptLines(Memo3), KeptLines(Memo4), KeptLines(Memo5)}, CommentLines()};
}

void TForm1::RecordingInFile(bool newReading) {
    inFile_ = ContentsNow();
    framesDeleted_ = false;
    readingInMemory_ = newReading;
}

bool TForm1::SaveChangesFirst() {
    if (askingToSave_) return false; // a second request while the question is open
    // Asked again after a save as a table, which keeps no comment, markers or samples.
    for (;;) {
        // The keeper answers within milliseconds unless the disk hangs; then the reading
        // counts as not on disk.
        const bool unsaved =
            framesDeleted_ || ContentsNow() != inFile_ ||
            (readingInMemory_ && !session_.LatestRunOnDisk(std::chrono::seconds(1)));
        if (!unsaved) return true;
        askingToSave_ = true;
        const SaveAnswer answer = services_.dialogs->AskSaveChanges(
            this, QStringLiteral("Сохранить изменения в записи?"));
        askingToSave_ = false;
        if (answer != SaveAnswer::Yes) return answer == SaveAnswer::No;
        if (!SaveRecording()) return false;
    }
}

} // namespace qv
