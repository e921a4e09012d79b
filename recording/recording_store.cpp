#include "recording/recording_store.h"

#include <stdexcept>
#include <string>

namespace qv {

std::uint8_t AssembleByte(const LineFrame& frame, int byteIndex) {
    if (byteIndex < 1 || byteIndex > DataByteCount)
        throw std::out_of_range("byte index " + std::to_string(byteIndex));
    const int first = (byteIndex - 1) * SamplesPerByte;
    std::uint8_t value = 0;
    for (int k = 0; k < SamplesPerByte; ++k)
        if (frame.DataSamples[first + k] != 0) value |= static_cast<std::uint8_t>(1u << k);
    return value;
}

RecordingStore::RecordingStore() : rows_(MaxFrames) {}

FrameRow& RecordingStore::Row(int n) {
    if (!IsValidFrame(n)) throw std::out_of_range("frame " + std::to_string(n));
    return rows_[n - 1];
}

const FrameRow& RecordingStore::Row(int n) const {
    if (!IsValidFrame(n)) throw std::out_of_range("frame " + std::to_string(n));
    return rows_[n - 1];
}

void RecordingStore::DeleteFrame(int n, int length) {
    for (int k = n + 1; k <= length; ++k) Row(k - 1) = Row(k);
}

void CommitFrameData(RecordingStore& store, int n, const LineFrame& frame, double frameTime) {
    FrameRow& row = store.Row(n);
    const std::uint8_t endFlag = row.EndFlag;
    row = RowOfFrame(frame, frameTime);
    row.EndFlag = endFlag;
}

FrameRow RowOfFrame(const LineFrame& frame, double frameTime) {
    FrameRow row;
    for (int i = 1; i <= 10; ++i) row.Analog[i - 1] = AssembleByte(frame, i);
    row.Identifier = frame.HeaderSamples;
    for (int k = 0; k < SamplesPerByte; ++k) {
        row.Flags11[k] = frame.DataSamples[10 * SamplesPerByte + k] != 0 ? 1 : 0;
        row.Flags12[k] = frame.DataSamples[11 * SamplesPerByte + k] != 0 ? 1 : 0;
    }
    row.FrameTime = frameTime;
    return row;
}

} // namespace qv
