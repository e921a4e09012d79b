// The edge-timed path fed arbitrary lines and ports: level stretches of 0.1 ms to 6.5 s, status
// reads of up to 3 ms, change reports late, coarse, missing or cut off by a lost device, and a
// stalled waiting thread. The receiver always ends (the virtual run stops a second after the
// line), hands every frame over to exactly one commit at a slot within the store, and, once the
// device is lost, reports it once and hands nothing more over.
//
// Input: port bytes (read time, wake time, status step, report step, flags: bit 0 no reports,
// bit 1 the device is lost, bit 2 inverted, bit 3 a stall), a lost/stall time byte; then
// stretches of 3 bytes: the level (bit 0), the length in 0.1 ms (16 bits, little-endian).
#include "../acquisition/receiver_test_support.h"
#include "acquisition/edge_timed_line.h"
#include "acquisition/line_receiver.h"
#include "acquisition/virtual_line.h"
#include "app/frame_commit.h"
#include "app/program_state.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

constexpr std::int64_t kMaxLineNs = 3'500'000'000;
constexpr std::int64_t kSteps[] = {0, 1'000'000, 16'000'000, 250'000};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    qv::VirtualPortBehaviour port;
    port.ReadNs = data[0] * 12'000LL;
    port.WakeNs = data[1] * 8'000LL;
    port.StatusStepNs = kSteps[data[2] % 4];
    port.ReportStepNs = kSteps[(data[2] >> 2) % 4];
    port.ReportsChanges = (data[3] & 1) == 0;
    const bool inverted = data[3] & 4;
    const std::int64_t eventNs = data[4] * 14'000'000LL;
    if (data[3] & 2) port.LostAtNs = eventNs;

    qv::LineRecording line;
    std::int64_t t = 0;
    line.Changes.push_back({0, 1});
    for (std::size_t i = 5; i + 3 <= size && t < kMaxLineNs; i += 3) {
        const std::int64_t length = (data[i + 1] | data[i + 2] << 8) * 100'000LL;
        if (length == 0) continue;
        t += length;
        const int level = data[i] & 1;
        if (line.Changes.back().Level != level) line.Changes.push_back({t, level});
    }

    static auto state = std::make_unique<qv::ProgramState>();
    qv::ProgramState& s = *state;
    s.StopFlag = 0;
    s.ReducedCpu = false;
    s.FrameCount = 1;
    const std::uint64_t generation = s.handOver.BeginRun();
    qv::VirtualLine virtualLine(line, 1'000'000, 20'000, line.LastChangeNs() + 1'000'000'000);
    virtualLine.SetBehaviour(port);
    qv::test::StallingWaits waits(virtualLine);
    if (data[3] & 8) virtualLine.At(eventNs, [&waits] { waits.StallNextWait(20'000'000); });

    int frames = 0, lost = 0, ended = 0;
    qv::ReceiverCallbacks callbacks;
    callbacks.frameReady = [&] {
        QV_FUZZ_CHECK(lost == 0 && ended == 0);
        const int slot = s.FrameCount.load();
        QV_FUZZ_CHECK(qv::CommitHandedOverFrame(s, 0.0) == slot);
        QV_FUZZ_CHECK(!s.handOver.Pending());
        s.FrameCount = slot + 1;
        ++frames;
        if (port.LostAtNs >= 0) QV_FUZZ_CHECK(virtualLine.TimeNs() < port.LostAtNs + 3'000'000'000);
    };
    callbacks.deviceLost = [&] { ++lost; };
    callbacks.lineEnded = [&] { ++ended; };
    qv::EdgeTimedLine stamped(virtualLine, virtualLine, waits, virtualLine,
                              qv::VirtualEdgeTiming(1'000'000, 20'000, port));
    qv::LineReceiver receiver(s, generation, stamped, stamped, stamped,
                              inverted ? qv::LinePolarity::Inverted : qv::LinePolarity::Straight,
                              callbacks);
    receiver.Run();
    QV_FUZZ_CHECK(lost + ended == 1);
    QV_FUZZ_CHECK(lost == (port.LostAtNs >= 0 && port.LostAtNs <= virtualLine.TimeNs() ? 1 : 0));
    QV_FUZZ_CHECK(!s.handOver.Pending());
    QV_FUZZ_CHECK(frames <= qv::MaxFrames);
    if (!port.ReportsChanges) QV_FUZZ_CHECK(stamped.Mode() == qv::AcquisitionMode::Polling);
    return 0;
}
