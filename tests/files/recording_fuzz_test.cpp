#include "files/recording_file.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace qv {
namespace {

// One random change of a valid file: the kinds of damage a disk, an editor or a truncated
// download produce.
std::string Mutate(std::string bytes, std::mt19937& random) {
    auto pick = [&random](std::size_t n) { return n == 0 ? 0 : random() % n; };
    const int mutations = 1 + static_cast<int>(random() % 4);
    for (int m = 0; m < mutations; ++m) {
        const std::size_t at = pick(bytes.size() + 1);
        switch (random() % 9) {
        case 0: // flip a byte
            if (!bytes.empty()) bytes[pick(bytes.size())] = static_cast<char>(random());
            break;
        case 1: // truncate
            bytes.resize(at);
            break;
        case 2: // delete a stretch
            bytes.erase(at, pick(40));
            break;
        case 3: { // insert random bytes
            std::string noise(pick(12), '\0');
            for (char& c : noise) c = static_cast<char>(random());
            bytes.insert(at, noise);
            break;
        }
        case 4: // insert a line break
            bytes.insert(at, random() % 2 ? "\r\n" : "\n");
            break;
        case 5: // a number that does not fit
            bytes.insert(at, random() % 2 ? "99999999999" : "-2147483648");
            break;
        case 6: // an end-of-file byte or a lone CR
            bytes.insert(at, random() % 2 ? "\x1A" : "\r");
            break;
        case 7: { // duplicate a stretch
            const std::string part = bytes.substr(at, pick(60));
            bytes.insert(at, part);
            break;
        }
        default: // another frame count
            if (bytes.size() > 28) {
                const std::size_t end = bytes.find('\n', 28);
                const std::string counts[] = {"0", "1", "2", "3", "2000", "2001", "-5", ""};
                bytes.replace(28, end == std::string::npos ? 0 : end - 28 - 1,
                              counts[pick(std::size(counts))]);
            }
        }
    }
    return bytes;
}

TEST(RecordingFuzz, DamagedFilesNeverCrashAndRejectedOnesGiveNothing) {
    std::mt19937 random(20261208);
    RecordingDocument base = test::VariedDocument(3, 11);
    const std::string original = RecordingFileBytes(base);

    auto store = std::make_unique<RecordingStore>();
    for (int n = 1; n <= MaxFrames; ++n) store->Row(n).Analog[0] = static_cast<std::uint8_t>(n);
    auto before = std::make_unique<RecordingStore>();

    int accepted = 0, rejected = 0;
    for (int i = 0; i < 2500; ++i) {
        const std::string bytes = Mutate(original, random);
        const RecordingLoad load = ParseRecording(bytes);
        const RecordingDocument& document = load.document;
        if (!load.status.ok()) {
            ++rejected;
            EXPECT_NE(load.status.kind, FileErrorKind::None);
            EXPECT_FALSE(load.status.message.empty());
            ASSERT_EQ(document, RecordingDocument{}) << i; // nothing half-read escapes
            continue;
        }
        ++accepted;
        *before = *store;
        ApplyToStore(document, *store);
        ASSERT_GE(document.Length(), 1);
        ASSERT_LE(document.Length(), MaxFrames);
        for (int n = 1; n <= MaxFrames; ++n)
            ASSERT_EQ(store->Row(n),
                      n <= document.Length() ? document.frames[n - 1] : before->Row(n));
        for (const auto& column : document.samples) ASSERT_EQ(column.size(), 25u);
        for (const auto& marker : document.markers) ASSERT_FALSE(marker.empty());
        for (const FrameRow& row : document.frames) {
            for (auto sample : row.Identifier) ASSERT_LE(sample, 1);
            ASSERT_GE(row.FrameTime, 0.0);
            ASSERT_LT(row.FrameTime, 1.0);
        }
        // What was accepted saves and loads back unchanged.
        const RecordingLoad again = ParseRecording(RecordingFileBytes(document));
        ASSERT_TRUE(again.status.ok()) << again.status.message;
        ASSERT_EQ(again.document, document) << i;
    }
    // The mutations must exercise both outcomes to mean anything.
    RecordProperty("accepted", accepted);
    RecordProperty("rejected", rejected);
    EXPECT_GT(accepted, 100);
    EXPECT_GT(rejected, 100);
}

} // namespace
} // namespace qv
