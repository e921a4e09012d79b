#include "files/recording_document.h"

#include <algorithm>

namespace qv {

RecordingDocument
DocumentFromStore(const RecordingStore& store, int length,
                  const std::array<std::vector<std::string>, SampleColumnCount>& samples,
                  const std::array<std::string, FrameMarkerCount>& markers,
                  const std::vector<std::string>& comment) {
    RecordingDocument document;
    const int n = std::clamp(length, 1, MaxFrames);
    document.frames.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) document.frames.push_back(store.Row(i));
    document.samples = samples;
    document.markers = markers;
    document.comment = comment;
    return document;
}

void ApplyToStore(const RecordingDocument& document, RecordingStore& store) {
    const int n = std::min(document.Length(), MaxFrames);
    for (int i = 1; i <= n; ++i) store.Row(i) = document.frames[static_cast<std::size_t>(i - 1)];
}

const std::string& SampleRow(const std::vector<std::string>& column, int r) {
    static const std::string empty;
    return r >= 0 && r < static_cast<int>(column.size()) ? column[static_cast<std::size_t>(r)]
                                                         : empty;
}

} // namespace qv
