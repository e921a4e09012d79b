#include "app/reading_keeper.h"

#include "files/file_io.h"
#include "files/file_messages.h"
#include "files/reading_journal.h"

#include <cerrno>

namespace qv {

ReadingKeeper::ReadingKeeper(std::string folder, Events events, KeeperOptions options)
    : folder_(std::move(folder)), events_(std::move(events)), options_(std::move(options)),
      thread_([this] { Run(); }) {}

ReadingKeeper::~ReadingKeeper() {
    EndReading();
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void ReadingKeeper::RecoverUnfinished() {
    Queue(Recover{});
}

void ReadingKeeper::BeginReading(const LocalDateTime& startedAt) {
    Queue(Begin{startedAt});
}

void ReadingKeeper::KeepFrame(int slot, const FrameRow& row) {
    Queue(Frame{slot, row});
}

void ReadingKeeper::EndReading() {
    Queue(End{});
}

bool ReadingKeeper::LatestReadingOnDisk(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, wait, [this] { return jobs_.empty() && !busy_; }) &&
           latestOnDisk_;
}

void ReadingKeeper::Queue(Job job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    changed_.notify_all();
}

void ReadingKeeper::Run() {
    std::unique_lock lock(mutex_);
    const auto ready = [this] { return !jobs_.empty() || ending_; };
    for (;;) {
        // Frames waiting for the disk are tried again when nothing else comes for a while.
        if (written_ < records_.size())
            changed_.wait_for(lock, options_.retryEvery, ready);
        else
            changed_.wait(lock, ready);
        if (jobs_.empty() && ending_) break;
        busy_ = true;
        if (jobs_.empty()) {
            lock.unlock();
            if (WriteWaiting() && ended_) Fold();
        } else {
            const Job job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            std::visit([this](const auto& j) { Do(j); }, job);
        }
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
    lock.unlock();
    Close(); // a reading whose frames still waited for the disk
}

void ReadingKeeper::Do(const Recover&) {
    if (folder_.empty()) return;
    const Recovery recovery = RecoverReadings(folder_);
    for (const FoldResult& reading : recovery.recovered) keep_.push_back(reading.recording);
    if ((!recovery.recovered.empty() || !recovery.failed.empty()) && events_.recovered)
        events_.recovered(recovery);
    PruneReadings(folder_, options_.limits, keep_);
}

void ReadingKeeper::Do(const Begin& begin) {
    Close(); // a reading that was not ended ends here
    startedAt_ = begin.startedAt;
    records_.clear();
    frames_ = 0;
    written_ = 0;
    notKept_ = false;
    std::lock_guard lock(mutex_);
    latestOnDisk_ = true;
}

void ReadingKeeper::Do(const Frame& frame) {
    if (frame.slot != frames_ + 1 || ended_) return; // not of this run
    records_ += JournalRecord(++frames_, frame.row);
    (void)WriteWaiting();
}

void ReadingKeeper::Do(const End&) {
    if (frames_ == 0 || ended_) return;
    ended_ = true;
    // Frames that cannot be written now are written, and the reading folded, by a later try.
    if (WriteWaiting()) Fold();
}

bool ReadingKeeper::WriteWaiting() {
    if (written_ == records_.size()) return true;
    // Gone with its folder: the reading begins a new journal with all its frames.
    if (journal_ && !journal_->StillNamed()) {
        journal_.reset();
        written_ = 0;
    }
    FileStatus status = Failing() || folder_.empty()
                            ? FileStatus::Error(FileErrorKind::Io, ErrnoText(ENOSPC))
                            : FileStatus{};
    if (status.ok() && !journal_) journal_ = CreateReadingJournal(folder_, startedAt_, status);
    if (status.ok()) status = journal_->Append(std::string_view(records_).substr(written_));
    if (status.ok()) written_ = records_.size();
    {
        std::lock_guard lock(mutex_);
        latestOnDisk_ = status.ok();
    }
    // What was written before stays, and becomes the reading's recording at its end.
    if (!status.ok() && !notKept_ && events_.notKept) events_.notKept();
    if (status.ok() && notKept_ && events_.keptAgain) events_.keptAgain();
    notKept_ = !status.ok();
    return status.ok();
}

void ReadingKeeper::Fold() {
    ended_ = false;
    if (!journal_) return;
    FoldResult result;
    result.status = FileStatus::Error(FileErrorKind::Io, ErrnoText(ENOSPC));
    if (!Failing()) result = FoldJournal(*journal_);
    if (!result.status.ok() && events_.notFolded) events_.notFolded(journal_->Path());
    if (result.status.ok() && !result.recording.empty()) {
        if (!latest_.empty()) std::erase(keep_, latest_);
        keep_.push_back(latest_ = result.recording);
        if (events_.kept) events_.kept(result.recording);
    }
    // The hold ends: a journal that stays is the next start's to complete.
    journal_.reset();
    records_.clear();
    frames_ = 0;
    written_ = 0;
    PruneReadings(folder_, options_.limits, keep_);
}

void ReadingKeeper::Close() {
    if (frames_ == 0) return;
    (void)WriteWaiting();
    Fold();
}

std::string RecoveryNoticeText(const Recovery& recovery) {
    int frames = 0;
    bool damaged = false;
    for (const FoldResult& reading : recovery.recovered) {
        frames += reading.frames;
        damaged = damaged || reading.damaged;
    }
    if (damaged) return "Спасено кадров: " + std::to_string(frames) + ", есть потери";
    if (recovery.recovered.empty())
        return "Не восстановлено чтений: " + std::to_string(recovery.failed.size());
    return "Восстановлено чтений: " + std::to_string(recovery.recovered.size());
}

std::string RecoveryDetailsText(const Recovery& recovery, const std::string& folder) {
    std::string text;
    for (const FoldResult& reading : recovery.recovered) {
        text += text.empty() ? "" : "\n";
        if (reading.recording.empty()) { // a damaged journal without one intact frame
            text += "В журнале незавершённого чтения не нашлось целых кадров; он оставлен как " +
                    JoinPath(folder, reading.keptJournal);
            continue;
        }
        text += "Восстановлено незавершённое чтение: " + JoinPath(folder, reading.recording) +
                " (кадров: " + std::to_string(reading.frames) + ")";
        if (reading.damaged)
            text += "; часть его журнала повреждена, журнал оставлен как " +
                    JoinPath(folder, reading.keptJournal);
    }
    for (const std::string& journal : recovery.failed)
        text += (text.empty() ? "" : "\n") +
                std::string("Не удалось восстановить незавершённое чтение из ") +
                JoinPath(folder, journal) + ": программа попробует снова при следующем запуске";
    return text;
}

ReadingKeeper::Events KeeperEvents(const std::string& folder, KeeperNews news) {
    ReadingKeeper::Events events;
    events.recovered = [recovered = news.recovered, folder](const Recovery& recovery) {
        recovered(RecoveryNoticeText(recovery), RecoveryDetailsText(recovery, folder));
    };
    events.notKept = [notice = news.notice] { notice(NotKeptText()); };
    events.keptAgain = [notice = news.notice] { notice(KeptAgainText()); };
    events.notFolded = [notice = news.notice](const std::string& journal) {
        notice(NotFoldedText(journal));
    };
    events.kept = [kept = news.kept, folder](const std::string& name) {
        kept(JoinPath(folder, name));
    };
    return events;
}

std::string NotKeptText() {
    return "Это чтение не записывается на диск: папка чтений недоступна или диск заполнен. "
           "Кадры остаются в памяти; программа допишет их, как только сможет, а сохранить их "
           "можно и через «Файл» → «Сохранить».";
}

std::string NotKeptByCompanionText() {
    return "Это чтение не записано на диск: папка чтений недоступна или диск заполнен. "
           "Его кадры есть только в выводе программы.";
}

std::string KeptAgainText() {
    return "Это чтение снова записывается на диск: все его кадры уже там.";
}

std::string NotFoldedText(const std::string& journalPath) {
    return "Чтение не удалось записать в файл записи. Его кадры остались в журнале " + journalPath +
           "; при следующем запуске программа допишет его.";
}

std::string KeptText(const std::string& recordingPath) {
    return "Последнее чтение: " + recordingPath;
}

} // namespace qv
