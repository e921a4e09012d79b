#pragma once

#include "acquisition/critical_thread.h"
#include "acquisition/line_interfaces.h"

#include <cstdint>
#include <string>

namespace qv {

// What the program tells the user about a reading beyond its fixed texts (UTF-8).

// In the information field when the machine has no high-resolution counter.
inline constexpr char NoCounterText[] = "Однако не хотит:)";

// No frame has arrived for this long while reading: the line has gone quiet.
constexpr int QuietLineMs = 5000;

// The information field while reading and no frame has come for QuietLineMs.
std::string QuietLineText();

// Appended to the reading notice when the commit fell behind and frames were dropped.
std::string DroppedFramesText(std::uint64_t dropped);

// A line for the port box's hint: how the line is followed and at which thread priority.
std::string AcquisitionText(AcquisitionMode mode, ThreadPriorityLevel priority);

// Shown once when the receiver could not get real-time priority, with what to do about it.
std::string LowPriorityText();

// The message when the port stops answering while reading; `portName` is empty when no port
// was open at all.
std::string DeviceLostText(const std::string& portName);

} // namespace qv
