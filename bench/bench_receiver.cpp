// The receiver on the simulated unit in real time, as the program runs it: polling with
// "Пониженная загрузка ЦП" off and on, and edge-timed; status reads costing 0.02, 1 and 2 ms.
// Measured: each sample's true error (the instant whose level it took against the true centre
// of its bit), how late each start edge was placed, the frames read right, and the receiver
// thread's processor time.
#include "acquisition/critical_thread.h"
#include "acquisition/edge_timed_line.h"
#include "acquisition/line_encoder.h"
#include "acquisition/line_receiver.h"
#include "acquisition/real_time_line.h"
#include "acquisition/simulated_unit.h"
#include "acquisition/timing_check.h"
#include "app/program_state.h"

#include "thread_time.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using namespace qv;
using bench::ThreadCpuSeconds;
using Clock = std::chrono::steady_clock;

std::int64_t Ns(Clock::time_point at) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
}

// Where the unit's bits lie: every edge sits on a grid of bit periods from its frame's start
// edge, the first falling edge after more than 13 bit periods at level 1 (the simulated unit
// has no jitter).
class TrueLine {
public:
    explicit TrueLine(std::int64_t untilNs) {
        SimulatedLine unit(SimulatedUnitSeed);
        std::int64_t highSince = 0;
        for (std::int64_t t = unit.NextChangeAfter(0); t < untilNs; t = unit.NextChangeAfter(t)) {
            if (unit.LevelAt(t) != 0)
                highSince = t;
            else if (t - highSince > 13 * BitNs)
                starts_.push_back(t);
        }
    }
    // Signed distance (ns) from `lineNs` to the nearest bit centre, or to the nearest edge.
    double FromCentre(std::int64_t lineNs) const { return Offset(lineNs, BitNs / 2); }
    double FromEdge(std::int64_t lineNs) const { return Offset(lineNs, 0); }

private:
    double Offset(std::int64_t lineNs, std::int64_t phase) const {
        const std::vector<std::int64_t>& starts = starts_;
        auto after = std::upper_bound(starts.begin(), starts.end(), lineNs);
        if (after == starts.begin()) return 0;
        const std::int64_t into = lineNs - *(after - 1) - phase;
        const std::int64_t nearest = (into + BitNs / 2) / BitNs * BitNs;
        return static_cast<double>(into - nearest);
    }
    static constexpr std::int64_t BitNs = LineTiming{}.BitNs;
    std::vector<std::int64_t> starts_;
};

// The instants the receiver sampled and placed its edges at, on the line's time.
struct Measures : TimingObserver {
    std::int64_t originNs = 0;
    bool edgeTimed = false;
    std::atomic<std::int64_t> lastReadLineNs{0}; // set by the simulated port's reads
    std::int64_t lastWaitNs = 0;
    std::vector<std::int64_t> lateNs, sampleNs, edgeNs;
    void WaitEnded(std::int64_t target, std::int64_t now) override {
        lateNs.push_back(now - target); // the clock counts nanoseconds
        lastWaitNs = now;
    }
    void SampleTaken() override {
        // Polling: the read's own instant; edge-timed: the instant on the stamped line.
        sampleNs.push_back(edgeTimed ? lastWaitNs - originNs : lastReadLineNs.load());
    }
    void EdgeTaken(std::int64_t reference) override { edgeNs.push_back(reference - originNs); }
};

struct RunResult {
    Measures measures;
    double cpuSeconds = 0, wallSeconds = 0;
    std::vector<HandedOverFrame> handed;
    ThreadPriorityLevel priority = ThreadPriorityLevel::Normal;
    AcquisitionMode mode = AcquisitionMode::Polling;
    int missedPairs = 0, unreported = 0;
};

// The receiver thread as the program composes it (ReceiverThread), plus the measurements.
class MeasuredReceiver : public CriticalThread {
public:
    MeasuredReceiver(ProgramState& state, std::uint64_t generation, RunResult& result)
        : state_(state), generation_(generation), result_(result) {}

protected:
    void Execute() override {
        RealTimeLine real(state_.port, state_.ReducedCpu);
        const double cpu0 = ThreadCpuSeconds();
        const auto wall0 = Clock::now();
        EdgeTimedLine line(real.clock, real.line, real.line, real.pump,
                           EdgeTiming::ForFrequency(real.frequency));
        Measures& measures = result_.measures;
        measures.edgeTimed = line.Mode() == AcquisitionMode::EdgeTimed;
        measures.lateNs.reserve(20000);
        result_.handed.reserve(64);
        ReceiverCallbacks callbacks;
        callbacks.frameReady = [this] {
            while (auto handed = state_.handOver.Take()) result_.handed.push_back(*handed);
        };
        LineReceiver receiver(state_, generation_, line, line, line, LinePolarity::Straight,
                              callbacks, &measures);
        receiver.Run();
        result_.cpuSeconds = ThreadCpuSeconds() - cpu0;
        result_.wallSeconds = std::chrono::duration<double>(Clock::now() - wall0).count();
        result_.priority = Priority();
        result_.mode = line.Mode();
        result_.missedPairs = line.MissedPairs();
        result_.unreported = line.UnreportedChanges();
    }

private:
    ProgramState& state_;
    std::uint64_t generation_;
    RunResult& result_;
};

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[index];
}

// "SIM" with the given read cost, reporting its changes or not.
struct BenchPorts : PortSystem {
    SimulatedPortOptions options;
    std::unique_ptr<PortDevice> Open(const std::string&) override {
        return OpenSimulatedPort(SimulatedUnitSeed, options);
    }
    std::vector<std::string> Candidates() override { return {}; }
};

// mode 0: polling, option off; 1: polling, option on; 2: edge-timed. read_us: status read cost.
void BM_ReceiverOnSimInRealTime(benchmark::State& bench) {
    const int mode = static_cast<int>(bench.range(0));
    const std::int64_t readNs = bench.range(1) * 1000;
    const char* secondsText = std::getenv("QV_BENCH_SECONDS");
    const double seconds = secondsText ? std::atof(secondsText) : 12.0;
    RunResult result;
    int correct = 0;
    for (auto _ : bench) {
        auto state = std::make_unique<ProgramState>();
        auto ports = std::make_shared<BenchPorts>();
        const Clock::time_point origin = Clock::now();
        result.measures.originNs = Ns(origin);
        ports->options.ReportsChanges = mode == 2;
        ports->options.ReadCostNs = readNs;
        ports->options.Origin = origin;
        ports->options.OnRead = [&result](std::int64_t lineNs) {
            result.measures.lastReadLineNs = lineNs;
        };
        state->port.UseSystem(ports);
        if (!state->port.OpenPort("SIM")) {
            bench.SkipWithError("cannot open the simulated port");
            break;
        }
        state->ReducedCpu = mode == 1;
        state->StopFlag = 0;
        std::thread receiver = CriticalThread::Start(
            std::make_unique<MeasuredReceiver>(*state, state->handOver.BeginRun(), result));
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        state->StopFlag = 1;
        receiver.join();
        state->port.ReleasePort();
        // The decoded frames against what the unit sent.
        SimulatedEngine engine(SimulatedUnitSeed);
        for (const HandedOverFrame& handed : result.handed) {
            const auto sent = engine.NextFrame();
            bool same = true;
            for (int b = 1; b <= 12; ++b)
                same = same && AssembleByte(handed.Frame, b) == sent[b - 1];
            correct += same;
        }
    }
    const TrueLine truth(static_cast<std::int64_t>((seconds + 2) * 1e9));
    std::vector<double> sampleErrors, edgeDelays;
    for (std::int64_t ns : result.measures.sampleNs)
        sampleErrors.push_back(std::fabs(truth.FromCentre(ns)) / 1000.0);
    for (std::int64_t ns : result.measures.edgeNs)
        edgeDelays.push_back(truth.FromEdge(ns) / 1000.0);
    bench.counters["err_p50_us"] = Percentile(sampleErrors, 0.5);
    bench.counters["err_p99_us"] = Percentile(sampleErrors, 0.99);
    bench.counters["err_max_us"] = Percentile(sampleErrors, 1.0);
    bench.counters["edge_p50_us"] = Percentile(edgeDelays, 0.5);
    bench.counters["edge_p99_us"] = Percentile(edgeDelays, 0.99);
    bench.counters["cpu_percent"] = 100.0 * result.cpuSeconds / result.wallSeconds;
    bench.counters["frames"] = static_cast<double>(result.handed.size());
    bench.counters["frames_correct"] = correct;
    bench.counters["time_critical"] = result.priority == ThreadPriorityLevel::TimeCritical;
    bench.counters["edge_timed"] = result.mode == AcquisitionMode::EdgeTimed;
    bench.counters["missed_pairs"] = result.missedPairs;
    bench.counters["unreported"] = result.unreported;
}

BENCHMARK(BM_ReceiverOnSimInRealTime)
    ->ArgNames({"mode", "read_us"})
    ->ArgsProduct({{0, 1, 2}, {20, 1000, 2000}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The timing check (one second against 1 ms marks) as the menu item runs it, on SIM.
class MeasuredCheck : public CriticalThread {
public:
    MeasuredCheck(ProgramState& state, TimingCheckResult& result, double& cpuSeconds)
        : state_(state), result_(result), cpuSeconds_(cpuSeconds) {}

protected:
    void Execute() override {
        RealTimeLine real(state_.port, state_.ReducedCpu);
        const double cpu0 = ThreadCpuSeconds();
        RunTimingCheck(real.clock, real.pump, real.line, result_);
        cpuSeconds_ = ThreadCpuSeconds() - cpu0;
    }

private:
    ProgramState& state_;
    TimingCheckResult& result_;
    double& cpuSeconds_;
};

void BM_TimingCheck(benchmark::State& bench) {
    auto state = std::make_unique<ProgramState>();
    state->ReducedCpu = bench.range(0) != 0;
    if (!state->port.OpenPort("SIM")) {
        bench.SkipWithError("cannot open the simulated port");
        return;
    }
    TimingCheckResult result;
    double cpu = 0;
    for (auto _ : bench) {
        CriticalThread::Start(std::make_unique<MeasuredCheck>(*state, result, cpu)).join();
    }
    bench.counters["average_us"] = static_cast<double>(result.Sum) / 1000.0 / 1000.0;
    bench.counters["max_us"] = static_cast<double>(result.Maximum) / 1000.0;
    bench.counters["cpu_seconds"] = cpu;
    bench.SetLabel(TimingReportText(result, ","));
}

BENCHMARK(BM_TimingCheck)
    ->ArgName("reduced_cpu")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
