#include "app/reading_keeper.h"

#include "files/reading_journal.h"

namespace qv {

ReadingKeeper::ReadingKeeper(std::string folder, Events events, ReadingsLimits limits)
    : folder_(std::move(folder)), events_(std::move(events)), limits_(limits),
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

void ReadingKeeper::WaitUntilDone() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return jobs_.empty() && !busy_; });
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
    for (;;) {
        changed_.wait(lock, [this] { return !jobs_.empty() || ending_; });
        if (jobs_.empty()) return; // ending, and nothing left to do
        const Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        std::visit([this](const auto& j) { Do(j); }, job);
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

void ReadingKeeper::Do(const Recover&) {
    if (folder_.empty()) return;
    const std::vector<std::string> names = RecoverReadings(folder_);
    if (!names.empty() && events_.recovered) events_.recovered(names);
    PruneReadings(folder_, limits_);
}

void ReadingKeeper::Do(const Begin& begin) {
    Do(End{}); // a reading that was not ended ends here
    startedAt_ = begin.startedAt;
    failed_ = false;
}

void ReadingKeeper::Do(const Frame& frame) {
    if (failed_) return;
    std::string bytes = JournalRecord(frame.slot, frame.row);
    if (!journal_) { // the reading's first frame: its file begins, with the header
        FileStatus status;
        if (!folder_.empty()) journal_ = CreateReadingJournal(folder_, startedAt_, status);
        if (!journal_) return NotKept();
        bytes.insert(0, JournalHeader);
    }
    if (!journal_->Append(bytes).ok()) NotKept();
}

void ReadingKeeper::Do(const End&) {
    if (!journal_) return;
    std::string name;
    // A recording that cannot be written now (a full disk) is completed at a later start.
    if (FoldJournal(*journal_, name).ok() && !name.empty() && events_.kept) events_.kept(name);
    journal_.reset();
    PruneReadings(folder_, limits_);
}

void ReadingKeeper::NotKept() {
    // What was written so far stays and becomes the reading's recording at its end.
    failed_ = true;
    if (events_.notKept) events_.notKept();
}

std::string RecoveredReadingsText(const std::vector<std::string>& names) {
    std::string text = names.size() == 1 ? "Восстановлено незавершённое чтение: "
                                         : "Восстановлены незавершённые чтения: ";
    for (std::size_t i = 0; i < names.size(); ++i) text += (i ? ", " : "") + names[i];
    return text;
}

std::string NotKeptText() {
    return "Это чтение не записывается на диск: папка чтений недоступна или диск заполнен. "
           "Кадры остаются в памяти; сохраните их через «Файл» → «Сохранить».";
}

} // namespace qv
