#pragma once

namespace qv {

// Everything that shows one of the named flags: the panel, the graph, the decoded export
// and the big-font window all read it from here.
struct FlagInfo {
    int byte;                   // 11 or 12
    int bit;                    // 0..7
    const char* label;          // the panel's label, e.g. "11.0  Переоб.посл.зап.:"
    const char* on;             // the panel's word for a set bit
    const char* off;            // the panel's word for a clear bit
    const char* graphOn;        // the graph's word at the cursor for a set bit
    const char* graphOff;       // the graph's word at the cursor for a clear bit
    const char* name;           // the decoded export's column is flag_<byte>_<bit>_<name>
    const char* bigFontCaption; // the big-font window's label beside the flag's picture
};

constexpr int NamedFlagCount = 12;
// Flag `index` (0..NamedFlagCount - 1) in panel order, which is byte order; throws
// std::out_of_range for another index.
const FlagInfo& NamedFlag(int index);

} // namespace qv
