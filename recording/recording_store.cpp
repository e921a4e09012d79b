#include "recording/recording_store.h"

#include <stdexcept>
#include <string>

namespace qv {

const std::array<std::uint8_t, SamplesPerByte>& FlagByteBits(const FrameRow& row, int byte) {
    if (byte == AnalogByteCount + 1) return row.Flags11;
    if (byte == AnalogByteCount + 2) return row.Flags12;
    throw std::out_of_range("flag byte " + std::to_string(byte));
}

std::uint8_t DataByte(const FrameRow& row, int byte) {
    if (byte >= 1 && byte <= AnalogByteCount) return row.Analog[static_cast<std::size_t>(byte - 1)];
    return ByteOfSamples(FlagByteBits(row, byte));
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

FrameRow RowOfFrame(const LineFrame& frame, double frameTime, std::uint8_t endFlag) {
    FrameRow row;
    for (int b = 1; b <= AnalogByteCount; ++b) row.Analog[b - 1] = AssembleByte(frame, b);
    row.Identifier = frame.HeaderSamples;
    const auto bits = [&frame](int byte, std::array<std::uint8_t, SamplesPerByte>& out) {
        for (int k = 0; k < SamplesPerByte; ++k)
            out[k] = frame.DataSamples[(byte - 1) * SamplesPerByte + k] != 0 ? 1 : 0;
    };
    bits(AnalogByteCount + 1, row.Flags11);
    bits(AnalogByteCount + 2, row.Flags12);
    row.FrameTime = frameTime;
    row.EndFlag = endFlag;
    return row;
}

void CommitFrameData(RecordingStore& store, int n, const LineFrame& frame, double frameTime,
                     std::uint8_t endFlag) {
    store.Row(n) = RowOfFrame(frame, frameTime, endFlag);
}

} // namespace qv
