#include "acquisition/line_recording.h"

namespace qv {

int LineRecording::LevelAt(std::int64_t timeNs, std::size_t& cursor) const {
    if (Changes.empty()) return 1;
    if (cursor >= Changes.size() || Changes[cursor].TimeNs > timeNs) cursor = 0;
    while (cursor + 1 < Changes.size() && Changes[cursor + 1].TimeNs <= timeNs) ++cursor;
    return Changes[cursor].Level;
}

} // namespace qv
