// Load, save and CSV export of a full 2000-frame recording.
#include "files/csv_export.h"
#include "files/recording_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

qv::RecordingDocument FullRecording() {
    std::mt19937 random(2000);
    qv::RecordingDocument document;
    for (int n = 0; n < qv::MaxFrames; ++n) {
        qv::FrameRow row;
        for (auto& byte : row.Analog) byte = static_cast<std::uint8_t>(random());
        for (auto& sample : row.Identifier) sample = random() & 1u;
        for (auto& bit : row.Flags11) bit = random() & 1u;
        for (auto& bit : row.Flags12) bit = random() & 1u;
        row.EndFlag = random() & 1u;
        row.FrameTime = (36000.0 + n * 1.25) / 86400.0;
        document.frames.push_back(row);
    }
    for (auto& column : document.samples)
        for (int r = 0; r < 26; ++r) column.push_back("Значение " + std::to_string(r));
    document.comment = {"Холостой ход, прогретый двигатель", "Второй заезд"};
    return document;
}

std::string TempFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_LoadRecordingFile(benchmark::State& state) {
    const std::string path = TempFile("qv_bench_load.kvr");
    if (!qv::SaveRecordingFile(path, FullRecording()).ok()) state.SkipWithError("cannot save");
    for (auto _ : state) {
        qv::RecordingLoad load = qv::LoadRecordingFile(path);
        benchmark::DoNotOptimize(load);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadRecordingFile)->Unit(benchmark::kMillisecond);

void BM_ParseRecording(benchmark::State& state) {
    const std::string bytes = qv::RecordingFileBytes(FullRecording());
    for (auto _ : state) {
        qv::RecordingLoad load = qv::ParseRecording(bytes);
        benchmark::DoNotOptimize(load);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseRecording)->Unit(benchmark::kMillisecond);

// The whole save: serialise, write a temporary file, flush it to disk and rename it.
void BM_SaveRecordingFile(benchmark::State& state) {
    const qv::RecordingDocument document = FullRecording();
    const std::string path = TempFile("qv_bench_save.kvr");
    for (auto _ : state)
        if (!qv::SaveRecordingFile(path, document).ok()) state.SkipWithError("save failed");
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveRecordingFile)->Unit(benchmark::kMillisecond);

void BM_RecordingFileBytes(benchmark::State& state) {
    const qv::RecordingDocument document = FullRecording();
    for (auto _ : state) benchmark::DoNotOptimize(qv::RecordingFileBytes(document));
}
BENCHMARK(BM_RecordingFileBytes)->Unit(benchmark::kMillisecond);

void BM_ExportCsvFile(benchmark::State& state) {
    const qv::RecordingDocument document = FullRecording();
    const std::string path = TempFile("qv_bench_export.csv");
    for (auto _ : state)
        if (!qv::ExportCsvFile(path, document).ok()) state.SkipWithError("export failed");
    std::filesystem::remove(path);
}
BENCHMARK(BM_ExportCsvFile)->Unit(benchmark::kMillisecond);

void BM_CsvExportBytes(benchmark::State& state) {
    const qv::RecordingDocument document = FullRecording();
    for (auto _ : state) benchmark::DoNotOptimize(qv::CsvExportBytes(document));
}
BENCHMARK(BM_CsvExportBytes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
