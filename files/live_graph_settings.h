#pragma once

#include "files/file_status.h"
#include "recording/live_scene.h"

#include <string>

namespace qv {

// The live graph window's choices, kept in a section of their own in the settings file so that
// the other sections and their keys keep their meaning. Keys: "Series1".."Series6" (the
// parameter's number, 0 for none), "Scale1".."Scale6" (0 the full range, 1 "по данным"),
// "Flags" (bit f for the panel's flag f), "Span" (frames, 0 for all), "Width" and "Height".
inline constexpr const char* LiveGraphSection = "LiveGraph";

struct LiveGraphSettings {
    LiveChoices choices = DefaultLiveChoices();
    int width = 0; // the window's client size; 0: its first size
    int height = 0;
    bool operator==(const LiveGraphSettings&) const = default;
};

// Missing or unusable values give the defaults (a span the window does not offer, the nearest
// one it does).
LiveGraphSettings LoadLiveGraphSettings(const std::string& path);
// Writes the section, keeping every other line; fails as SaveSettings does.
FileStatus SaveLiveGraphSettings(const std::string& path, const LiveGraphSettings& settings);

} // namespace qv
