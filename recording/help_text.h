#pragma once

#include <array>
#include <string>
#include <vector>

namespace qv {

// The user guide of the help window: 48 lines in five sections, one empty line between two
// sections.
const std::vector<std::string>& HelpLines();

// One label of the About window: its place in client pixels, its font and its text.
struct AboutLabel {
    const char* name; // "Label1".."Label5"
    int left;
    int top;
    int pixelSize;
    bool bold;
    const char* text;
};
const std::array<AboutLabel, 5>& AboutLabels();

} // namespace qv
