#include "acquisition/timing_check.h"

#include "acquisition/reading_state.h"
#include "acquisition/real_time_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace qv {

bool RunTimingCheck(TickClock& clock, Pump& pump, LineSource& line, TimingCheckResult& result) {
    std::int64_t frequency = 0;
    if (!clock.QueryFrequency(frequency) || frequency <= 0) return false;
    const std::int64_t t0 = clock.Now();
    std::int64_t sum = 0;
    std::int64_t maximum = std::numeric_limits<std::int64_t>::min();
    for (int i = 1; i <= TimingCheckMarks; ++i) {
        // The marks stay fixed relative to t0, so a late mark does not shift the later ones.
        const long double exact =
            static_cast<long double>(t0) +
            static_cast<long double>(static_cast<double>(frequency) * 0.001 * i);
        const auto target = static_cast<std::int64_t>(std::llrint(exact));
        std::int64_t now;
        do {
            pump.Pass(target);
            now = clock.Now();
        } while (now <= target);
        line.ReadModemStatus();
        const auto lateness =
            static_cast<std::int64_t>(std::llrint(static_cast<long double>(now) - exact));
        sum += lateness;
        maximum = std::max(maximum, lateness);
    }
    pump.Pass(NoDeadline);
    result = {frequency, sum, maximum};
    return true;
}

std::string TimingReportNumber(double milliseconds, const std::string& decimalSeparator) {
    const double magnitude = std::fabs(milliseconds);
    const int integerDigits =
        magnitude >= 1.0 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 0;
    const int decimals = std::clamp(5 - integerDigits, 0, 4);
    double value = milliseconds;
    if (integerDigits > 5) {
        const double step = std::pow(10.0, integerDigits - 5);
        value = std::nearbyint(value / step) * step;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text == "-0" || text.find_first_not_of("-0.") == std::string::npos)
        if (!text.empty() && text[0] == '-') text.erase(0, 1);
    const std::size_t point = text.find('.');
    std::string integerPart = point == std::string::npos ? text : text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    fraction.resize(4, '0');
    return integerPart + decimalSeparator + fraction;
}

std::string TimingReportText(const TimingCheckResult& result, const std::string& decimalSeparator) {
    const double frequency = static_cast<double>(result.Frequency);
    const double average = static_cast<double>(result.Sum) / 1000.0 / frequency * 1000.0;
    const double maximum = static_cast<double>(result.Maximum) / frequency * 1000.0;
    return "Средняя неточность отсчёта - " + TimingReportNumber(average, decimalSeparator) + "мс." +
           " Мах - " + TimingReportNumber(maximum, decimalSeparator) +
           "мс. При неточности 2 и более мс. возможны сбои.";
}

PrPr::PrPr(ReadingState& state, std::string decimalSeparator, TimingCheckCallbacks callbacks)
    : state_(state), decimalSeparator_(std::move(decimalSeparator)),
      callbacks_(std::move(callbacks)) {}

void PrPr::Execute() {
    RealTimeLine real(state_.port, state_.ReducedCpu);
    TimingCheckResult result;
    if (!RunTimingCheck(real.clock, real.pump, real.line, result)) {
        if (callbacks_.noCounter) callbacks_.noCounter();
    } else if (callbacks_.reportReady) {
        callbacks_.reportReady(TimingReportText(result, decimalSeparator_));
    }
    state_.TimingCheckRunning.store(false);
}

std::thread StartTimingCheck(ReadingState& state, const std::string& decimalSeparator,
                             TimingCheckCallbacks callbacks) {
    bool idle = false;
    if (!state.TimingCheckRunning.compare_exchange_strong(idle, true)) return {};
    return CriticalThread::Start(
        std::make_unique<PrPr>(state, decimalSeparator, std::move(callbacks)));
}

} // namespace qv
