// The line-file parser of `quintovar-cli receive` fed any text: it never crashes; an accepted
// file is a recording that starts at time 0 with strictly ascending times and levels 0 or 1,
// and written out again in the same form it parses to the same recording; a refused file
// names a line within the text and says why.
#include "acquisition/line_file.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

std::string Seconds(std::int64_t ns) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%09lld", static_cast<long long>(ns / 1'000'000'000),
                  static_cast<long long>(ns % 1'000'000'000));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qv::LineFileResult result = qv::ParseLineFile(text);
    if (!result.Ok) {
        QV_FUZZ_CHECK(!result.Error.empty());
        QV_FUZZ_CHECK(result.Recording.Changes.empty());
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        QV_FUZZ_CHECK(result.ErrorLine >= 0 && result.ErrorLine <= lines);
        return 0;
    }
    const auto& changes = result.Recording.Changes;
    QV_FUZZ_CHECK(!changes.empty());
    QV_FUZZ_CHECK(changes.front().TimeNs == 0);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        QV_FUZZ_CHECK(changes[i].Level == 0 || changes[i].Level == 1);
        QV_FUZZ_CHECK(changes[i].TimeNs >= 0);
        if (i > 0) QV_FUZZ_CHECK(changes[i].TimeNs > changes[i - 1].TimeNs);
    }
    std::string written;
    for (const auto& change : changes)
        written += Seconds(change.TimeNs) + " " + std::to_string(change.Level) + "\n";
    const qv::LineFileResult again = qv::ParseLineFile(written);
    QV_FUZZ_CHECK(again.Ok);
    QV_FUZZ_CHECK(again.Recording.Changes.size() == changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i) {
        QV_FUZZ_CHECK(again.Recording.Changes[i].TimeNs == changes[i].TimeNs);
        QV_FUZZ_CHECK(again.Recording.Changes[i].Level == changes[i].Level);
    }
    std::size_t cursor = 0;
    QV_FUZZ_CHECK(result.Recording.LevelAt(0, cursor) == changes.front().Level);
    return 0;
}
