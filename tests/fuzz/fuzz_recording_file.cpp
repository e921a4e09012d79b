// The recording-file reader fed any bytes: it never crashes; a file it accepts holds 1..2000
// frames of 0/1 samples and times within a day, is written into exactly rows 1..N and saves
// and loads back unchanged; a file it rejects gives nothing of itself.
#include "files/recording_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace {

qv::RecordingStore& Store() {
    static auto store = [] {
        auto s = std::make_unique<qv::RecordingStore>();
        for (int n = 1; n <= qv::MaxFrames; ++n) {
            s->Row(n).Analog[0] = static_cast<std::uint8_t>(n);
            s->Row(n).EndFlag = 1;
            s->Row(n).FrameTime = n;
        }
        return s;
    }();
    return *store;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qv::RecordingLoad load = qv::ParseRecording(bytes);
    qv::RecordingStore& store = Store();
    static auto before = std::make_unique<qv::RecordingStore>();
    *before = store;

    const qv::RecordingDocument& document = load.document;
    if (!load.status.ok()) {
        QV_FUZZ_CHECK(!load.status.message.empty());
        QV_FUZZ_CHECK(document == qv::RecordingDocument{}); // nothing half-read escapes
        return 0;
    }
    qv::ApplyToStore(document, store);

    const int length = document.Length();
    QV_FUZZ_CHECK(length >= 1 && length <= qv::MaxFrames);
    for (int n = 1; n <= qv::MaxFrames; ++n)
        QV_FUZZ_CHECK(store.Row(n) == (n <= length ? document.frames[n - 1] : before->Row(n)));
    for (const qv::FrameRow& row : document.frames) {
        for (auto sample : row.Identifier) QV_FUZZ_CHECK(sample <= 1);
        for (auto bit : row.Flags11) QV_FUZZ_CHECK(bit <= 1);
        for (auto bit : row.Flags12) QV_FUZZ_CHECK(bit <= 1);
        QV_FUZZ_CHECK(row.EndFlag <= 1);
        QV_FUZZ_CHECK(row.FrameTime >= 0.0 && row.FrameTime < 1.0);
    }
    for (const auto& column : document.samples)
        QV_FUZZ_CHECK(column.size() == static_cast<std::size_t>(qv::StoredSampleRows));
    for (const auto& marker : document.markers) QV_FUZZ_CHECK(!marker.empty());

    const qv::RecordingLoad again = qv::ParseRecording(qv::RecordingFileBytes(document));
    QV_FUZZ_CHECK(again.status.ok());
    QV_FUZZ_CHECK(again.document == document);
    return 0;
}
