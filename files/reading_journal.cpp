#include "files/reading_journal.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace qv {
namespace {

std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutLittleEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

std::uint64_t GetLittleEndian(std::string_view in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= std::uint64_t{static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)])}
                 << (8 * i);
    return value;
}

template <std::size_t N> void PutBytes(std::string& out, const std::array<std::uint8_t, N>& a) {
    out.append(reinterpret_cast<const char*>(a.data()), N);
}

template <std::size_t N>
void GetBytes(std::string_view in, std::size_t& at, std::array<std::uint8_t, N>& a) {
    std::memcpy(a.data(), in.data() + at, N);
    at += N;
}

} // namespace

std::string JournalRecord(int slot, const FrameRow& row) {
    std::string record;
    record.reserve(JournalRecordBytes);
    PutLittleEndian(record, static_cast<std::uint16_t>(slot), 2);
    PutBytes(record, row.Analog);
    PutBytes(record, row.Identifier);
    PutBytes(record, row.Flags11);
    PutBytes(record, row.Flags12);
    record.push_back(static_cast<char>(row.EndFlag));
    PutLittleEndian(record, std::bit_cast<std::uint64_t>(row.FrameTime), 8);
    PutLittleEndian(record, Crc32(record), 4);
    return record;
}

JournalContents ParseJournal(std::string_view bytes) {
    JournalContents contents;
    const bool header = bytes.starts_with(JournalHeader);
    constexpr std::size_t Checked = JournalRecordBytes - 4;
    std::size_t at = header ? JournalHeader.size() : 0, lastEnd = at;
    std::uint64_t lastSlot = 0;
    while (bytes.size() - at >= JournalRecordBytes) {
        const std::string_view record = bytes.substr(at, JournalRecordBytes);
        const std::uint64_t slot = GetLittleEndian(record, 0, 2);
        // The slot first: it rules out most garbage without the checksum's cost.
        if (slot <= lastSlot || slot > MaxFrames ||
            Crc32(record.substr(0, Checked)) != GetLittleEndian(record, Checked, 4)) {
            ++at;
            continue;
        }
        contents.damaged = contents.damaged || at != lastEnd || slot != lastSlot + 1;
        FrameRow& row = contents.frames.emplace_back();
        std::size_t field = 2;
        GetBytes(record, field, row.Analog);
        GetBytes(record, field, row.Identifier);
        GetBytes(record, field, row.Flags11);
        GetBytes(record, field, row.Flags12);
        row.EndFlag = static_cast<std::uint8_t>(record[field++]);
        row.FrameTime = std::bit_cast<double>(GetLittleEndian(record, field, 8));
        lastSlot = slot;
        at += JournalRecordBytes;
        lastEnd = at;
    }
    // More than a cut record after the last intact one: the last record itself is damaged.
    contents.damaged = contents.damaged || bytes.size() - lastEnd >= JournalRecordBytes;
    contents.ours = header || !contents.frames.empty();
    return contents;
}

} // namespace qv
