// The receiver on the simulated unit in real time: how late it notices its sample instants and
// how much processor time its thread takes, with "Пониженная загрузка ЦП" off and on.
#include "acquisition/critical_thread.h"
#include "acquisition/line_receiver.h"
#include "acquisition/real_time_line.h"
#include "acquisition/simulated_unit.h"
#include "acquisition/timing_check.h"
#include "recording/program_state.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <future>
#include <memory>
#include <vector>

namespace {

using namespace qv;

double ThreadCpuSeconds() {
#ifdef _WIN32
    return 0;
#else
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#endif
}

struct LatenessLog : TimingObserver {
    std::vector<std::int64_t> lateNs;
    void WaitEnded(std::int64_t target, std::int64_t now) override {
        lateNs.push_back(now - target); // the clock counts nanoseconds
    }
};

struct RunResult {
    std::vector<std::int64_t> lateNs;
    double cpuSeconds = 0, wallSeconds = 0;
    int frames = 0, framesCorrect = 0;
    std::vector<HandedOverFrame> handed;
    ThreadPriorityLevel priority = ThreadPriorityLevel::Normal;
};

// The receiver thread as the program runs it, plus the measurements.
class MeasuredReceiver : public CriticalThread {
public:
    MeasuredReceiver(ProgramState& state, std::uint64_t generation, RunResult& result,
                     std::promise<void>& done)
        : state_(state), generation_(generation), result_(result), done_(done) {}

protected:
    void Execute() override {
        RealTimeLine real(state_.port, state_.ReducedCpu);
        LatenessLog log;
        log.lateNs.reserve(20000);
        result_.handed.reserve(64);
        ReceiverCallbacks callbacks;
        callbacks.frameReady = [this] {
            ++result_.frames;
            while (auto handed = state_.handOver.Take()) result_.handed.push_back(*handed);
        };
        LineReceiver receiver(state_, generation_, real.line, real.clock, real.pump,
                              LinePolarity::Straight, callbacks, &log);
        const double cpu0 = ThreadCpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        receiver.Run();
        result_.cpuSeconds = ThreadCpuSeconds() - cpu0;
        result_.wallSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        result_.lateNs = std::move(log.lateNs);
        result_.priority = Priority();
        done_.set_value();
    }

private:
    ProgramState& state_;
    std::uint64_t generation_;
    RunResult& result_;
    std::promise<void>& done_;
};

double Percentile(std::vector<std::int64_t> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return static_cast<double>(values[index]);
}

// Reads SIM for a few seconds with the option off (0) or on (1).
void BM_ReceiverOnSimInRealTime(benchmark::State& bench) {
    const bool reduced = bench.range(0) != 0;
    const char* secondsText = std::getenv("QV_BENCH_SECONDS");
    const double seconds = secondsText ? std::atof(secondsText) : 12.0;
    RunResult result;
    for (auto _ : bench) {
        auto state = std::make_unique<ProgramState>();
        state->ReducedCpu = reduced;
        state->port.OpenPort("SIM");
        state->StopFlag = 0;
        std::promise<void> done;
        CriticalThread::Start(
            std::make_unique<MeasuredReceiver>(*state, state->handOver.BeginRun(), result, done));
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        state->StopFlag = 1;
        done.get_future().wait();
        // Check the decoded frames against what the unit sent.
        SimulatedEngine engine(SimulatedUnitSeed);
        for (const HandedOverFrame& handed : result.handed) {
            const auto sent = engine.NextFrame();
            bool same = true;
            for (int b = 1; b <= 12; ++b)
                same = same && AssembleByte(handed.Frame, b) == sent[b - 1];
            result.framesCorrect += same;
            if (std::getenv("QV_BENCH_DEBUG")) {
                for (int b = 1; b <= 12; ++b)
                    std::fprintf(stderr, "%d/%d ", AssembleByte(handed.Frame, b), sent[b - 1]);
                std::fprintf(stderr, "\n");
            }
        }
    }
    bench.counters["late_median_us"] = Percentile(result.lateNs, 0.5) / 1000.0;
    bench.counters["late_p99_us"] = Percentile(result.lateNs, 0.99) / 1000.0;
    bench.counters["late_max_us"] = Percentile(result.lateNs, 1.0) / 1000.0;
    bench.counters["samples"] = static_cast<double>(result.lateNs.size());
    bench.counters["cpu_percent"] = 100.0 * result.cpuSeconds / result.wallSeconds;
    bench.counters["frames"] = result.frames;
    bench.counters["frames_correct"] = result.framesCorrect;
    bench.counters["time_critical"] = result.priority == ThreadPriorityLevel::TimeCritical;
}

BENCHMARK(BM_ReceiverOnSimInRealTime)
    ->ArgName("reduced_cpu")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The timing check (one second against 1 ms marks) as the menu item runs it, on SIM.
class MeasuredCheck : public CriticalThread {
public:
    MeasuredCheck(ProgramState& state, TimingCheckResult& result, double& cpuSeconds,
                  std::promise<void>& done)
        : state_(state), result_(result), cpuSeconds_(cpuSeconds), done_(done) {}

protected:
    void Execute() override {
        RealTimeLine real(state_.port, state_.ReducedCpu);
        const double cpu0 = ThreadCpuSeconds();
        RunTimingCheck(real.clock, real.pump, real.line, result_);
        cpuSeconds_ = ThreadCpuSeconds() - cpu0;
        done_.set_value();
    }

private:
    ProgramState& state_;
    TimingCheckResult& result_;
    double& cpuSeconds_;
    std::promise<void>& done_;
};

void BM_TimingCheck(benchmark::State& bench) {
    auto state = std::make_unique<ProgramState>();
    state->ReducedCpu = bench.range(0) != 0;
    state->port.OpenPort("SIM");
    TimingCheckResult result;
    double cpu = 0;
    for (auto _ : bench) {
        std::promise<void> done;
        CriticalThread::Start(std::make_unique<MeasuredCheck>(*state, result, cpu, done));
        done.get_future().wait();
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
