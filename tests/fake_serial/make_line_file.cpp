// make_line_file OUT FRAMES [SEED]: writes a line file ("<seconds> <level>" a line, the format
// of `quintovar-cli receive`) with FRAMES frames of the simulated engine unit of SEED (default
// that of "SIM"), each after an idle gap of 20 to 29 bit periods, for the fake serial port.
#include "acquisition/line_encoder.h"
#include "acquisition/simulated_unit.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[2]) < 1) {
        std::fputs("usage: make_line_file OUT FRAMES [SEED]\n", stderr);
        return 2;
    }
    const int frames = std::atoi(argv[2]);
    const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : qv::SimulatedUnitSeed;
    qv::SimulatedEngine engine(seed);
    std::vector<qv::EncodedFrame> encoded;
    for (int n = 0; n < frames; ++n) {
        const auto bytes = engine.NextFrame();
        qv::EncodedFrame frame;
        frame.Bytes.assign(bytes.begin(), bytes.end());
        frame.IdleBitsBefore = 20 + n % 10;
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
