// make_line_file OUT FRAMES [SEED [EVERY]]: writes a line file ("<seconds> <level>" a line, the
// format of `quintovar-cli receive`) with FRAMES frames of the simulated engine unit of SEED
// (default that of "SIM"), each after an idle gap of 20 to 29 bit periods, for the fake serial
// port. With EVERY, every EVERY-th frame (frame EVERY, 2 EVERY, ...) carries one framing
// fault, in turn a first stop bit sent as 0 (in bytes 1, 2, ... 11 in turn) and a 2 ms low
// spike in the second stop bit, which the receiver takes for the next byte's start edge.
#include "acquisition/line_encoder.h"
#include "acquisition/simulated_unit.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[2]) < 1) {
        std::fputs("usage: make_line_file OUT FRAMES [SEED [EVERY]]\n", stderr);
        return 2;
    }
    const int frames = std::atoi(argv[2]);
    const std::uint64_t seed =
        argc > 3 ? std::strtoull(argv[3], nullptr, 10) : qv::SimulatedUnitSeed;
    const int every = argc > 4 ? std::atoi(argv[4]) : 0;
    qv::SimulatedEngine engine(seed);
    std::vector<qv::EncodedFrame> encoded;
    for (int n = 0; n < frames; ++n) {
        const auto bytes = engine.NextFrame();
        qv::EncodedFrame frame;
        frame.Bytes.assign(bytes.begin(), bytes.end());
        frame.IdleBitsBefore = 20 + n % 10;
        if (every > 0 && (n + 1) % every == 0) {
            const int planted = (n + 1) / every - 1;
            const int byte = planted / 2 % 11;
            if (planted % 2 == 0)
                frame.Glitches.push_back({byte, 9.1, 9.9});
            else
                frame.Glitches.push_back({byte, 10.25, 10.5});
        }
        encoded.push_back(frame);
    }
    const qv::LineRecording line = qv::EncodeLine(encoded);
    FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 2;
    }
    for (const qv::LevelChange& change : line.Changes)
        std::fprintf(out, "%lld.%09lld %d\n", static_cast<long long>(change.TimeNs / 1'000'000'000),
                     static_cast<long long>(change.TimeNs % 1'000'000'000), change.Level);
    return std::fclose(out) == 0 ? 0 : 2;
}
