// Keeping readings on disk as they arrive. BM_CommitWithJournal: the main thread's time for one
// commit through the reading session, with the readings folder (a real keeper on a folder in
// the system's temporary directory) and without; frames handed over back to back (the keeper
// is busy syncing, commits queue up), or one every `gap_ms`, as while reading (each commit wakes
// the idle keeper).
// `keeper_us_a_frame`: back to back, the keeper's time to write and sync each frame (the disk
// work per frame, which the main thread never waits for). BM_RecoverReading: completing the journal
// that a killed reading of `frames` frames left (what the next start does before it says so),
// also with one damaged record in its middle. BM_KeeperCatchUp: writing the frames that a full
// disk held back, once there is room again. BM_ListReadings: the list of a folder of 200
// readings of `frames` frames each ("Последние чтения…" and `quintovar-cli readings`), with the
// files in the system's cache, as after the first look.
#include "app/program_state.h"
#include "app/reading_keeper.h"
#include "app/reading_session.h"
#include "files/reading_journal.h"
#include "files/readings_folder.h"
#include "files/readings_list.h"
#include "files/recording_file.h"

#include "thread_time.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>
#include <vector>

namespace {

using namespace qv;
using bench::ThreadCpuSeconds;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path EmptyFolder(const char* name) {
    const fs::path folder = fs::temp_directory_path() / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at),
                     values.end());
    return values[at];
}

void BM_CommitWithJournal(benchmark::State& state) {
    const bool keep = state.range(0) != 0;
    const auto gap = std::chrono::milliseconds(state.range(1));
    const fs::path folder = EmptyFolder("qv_bench_commit");
    std::vector<double> commitUs, commitCpuUs;
    double keeperSeconds = 0; // from the first commit until the keeper has synced the last
    {
        ReadingKeeper keeper(folder.string(), {});
        ProgramState program;
        ReadingSession session(program, keep ? &keeper : nullptr);
        int run = 0;
        // Each run starts a second later: every reading gets a name of its own.
        const auto start = [&] { return session.Start(FromFrameTime(46000.5 + ++run / 86400.0)); };
        std::uint64_t generation = start();
        LineFrame frame;
        const auto first = Clock::now();
        for (auto _ : state) {
            if (!session.Reading()) generation = start(); // the store was full
            frame.DataSamples[0] = static_cast<std::uint8_t>(commitUs.size() & 1);
            program.handOver.Publish(generation, frame.DataSamples, frame.HeaderSamples, 0,
                                     program.FrameCount);
            const double cpuBefore = ThreadCpuSeconds();
            const auto before = Clock::now();
            const ReadingSession::Commit commit = session.CommitNext(46000.5);
            const auto after = Clock::now();
            commitCpuUs.push_back((ThreadCpuSeconds() - cpuBefore) * 1e6);
            benchmark::DoNotOptimize(commit);
            const double seconds = std::chrono::duration<double>(after - before).count();
            state.SetIterationTime(seconds);
            commitUs.push_back(seconds * 1e6);
            if (gap.count() > 0) std::this_thread::sleep_for(gap);
        }
        (void)session.End(RunEnd::Stop, 46000.5);
        (void)keeper.LatestReadingOnDisk(std::chrono::minutes(1));
        keeperSeconds = std::chrono::duration<double>(Clock::now() - first).count();
    }
    state.counters["p50_us"] = Percentile(commitUs, 0.50);
    state.counters["p99_us"] = Percentile(commitUs, 0.99);
    state.counters["max_us"] = Percentile(commitUs, 1.0);
    state.counters["cpu_p99_us"] = Percentile(commitCpuUs, 0.99);
    state.counters["cpu_max_us"] = Percentile(commitCpuUs, 1.0);
    // Back to back, the keeper writes and syncs one frame after another: its time a frame.
    if (keep && gap.count() == 0)
        state.counters["keeper_us_a_frame"] =
            keeperSeconds * 1e6 / static_cast<double>(commitUs.size());
    fs::remove_all(folder);
}
BENCHMARK(BM_CommitWithJournal)
    ->ArgNames({"keep", "gap_ms"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 5})
    ->Iterations(4000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

void BM_RecoverReading(benchmark::State& state) {
    const auto frames = static_cast<int>(state.range(0));
    const bool damaged = state.range(1) != 0;
    const fs::path folder = EmptyFolder("qv_bench_recover");
    // The journal as a killed reading leaves it: the header and one record a frame; with one
    // byte of the middle record flipped when `damaged`.
    std::string journal(JournalHeader);
    FrameRow row;
    for (int slot = 1; slot <= frames; ++slot) {
        row.Analog[0] = static_cast<std::uint8_t>(slot);
        row.FrameTime = 46000.5 + slot / 86400.0;
        journal += JournalRecord(slot, row);
    }
    if (damaged) journal[JournalHeader.size() + (frames / 2) * JournalRecordBytes + 20] ^= 0x10;
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
        std::ofstream(folder / ("2026-12-09_14-03-11" + std::string(JournalSuffix)),
                      std::ios::binary)
            << journal;
        state.ResumeTiming();
        const Recovery recovery = RecoverReadings(folder.string());
        if (recovery.recovered.size() != 1 || recovery.recovered[0].damaged != damaged ||
            recovery.recovered[0].frames != frames - (damaged ? 1 : 0))
            state.SkipWithError("not recovered");
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_RecoverReading)
    ->ArgNames({"frames", "damaged"})
    ->Args({20, 0})
    ->Args({123, 0})
    ->Args({2000, 0})
    ->Args({2000, 1})
    ->Unit(benchmark::kMillisecond);

// The keeper after a full disk: `frames` - 1 frames could not be written; room comes back, and
// the next frame brings them all to the disk (the journal is created then, with every record in
// one write and one sync). The time from that frame's arrival until everything is on disk.
void BM_KeeperCatchUp(benchmark::State& state) {
    const auto frames = static_cast<int>(state.range(0));
    const fs::path folder = EmptyFolder("qv_bench_catch_up");
    std::atomic<bool> full = true;
    KeeperOptions options;
    options.failWrites = [&full] { return full.load(); };
    FrameRow row;
    std::optional<ReadingKeeper> keeper;
    for (auto _ : state) {
        state.PauseTiming();
        keeper.reset(); // folds the previous reading
        for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
        full = true;
        keeper.emplace(folder.string(), ReadingKeeper::Events{}, options);
        keeper->BeginReading(FromFrameTime(46000.5));
        for (int slot = 1; slot < frames; ++slot) keeper->KeepFrame(slot, row);
        (void)keeper->LatestReadingOnDisk(std::chrono::minutes(1));
        full = false;
        state.ResumeTiming();
        keeper->KeepFrame(frames, row);
        (void)keeper->LatestReadingOnDisk(std::chrono::minutes(1));
    }
    keeper.reset();
    if (!fs::exists(folder / "2025-12-09_12-00-00.kvr")) state.SkipWithError("not kept");
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(frames) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    fs::remove_all(folder);
}
BENCHMARK(BM_KeeperCatchUp)
    ->Arg(10)
    ->Arg(200)
    ->Arg(2000)
    ->Iterations(20) // the frames held back take longer to queue than to write
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_ListReadings(benchmark::State& state) {
    const auto frames = static_cast<int>(state.range(0));
    constexpr int Readings = 200; // as many as the folder keeps
    const fs::path folder = EmptyFolder("qv_bench_list");
    RecordingDocument document;
    document.frames.resize(static_cast<std::size_t>(frames));
    for (int n = 0; n < frames; ++n) document.frames[n].FrameTime = 0.5 + n * 1.4 / 86400;
    document.comment = {"Прогрев до 80 °C, потом холостой ход", "вторая строка"};
    const std::string bytes = RecordingFileBytes(document);
    for (int i = 0; i < Readings; ++i) {
        const LocalDateTime start{2026, 1 + i / 28, 1 + i % 28, 9, 0, 0, 0};
        std::ofstream(folder / (ReadingBaseName(start) + std::string(RecordingSuffix)),
                      std::ios::binary)
            << bytes;
    }
    for (auto _ : state) {
        const std::vector<ReadingRow> rows = ReadingRows(ScanReadingsFolder(folder.string()));
        if (rows.size() != Readings || rows[0].cells[2] != std::to_string(frames))
            state.SkipWithError("not listed");
        benchmark::DoNotOptimize(rows);
    }
    state.counters["MB_read"] = static_cast<double>(bytes.size()) * Readings / 1e6;
    fs::remove_all(folder);
}
BENCHMARK(BM_ListReadings)->ArgName("frames")->Arg(100)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
