#include "app/window/run_meter.h"

#include "support/text.h"

#include <algorithm>
#include <cmath>

namespace mapwell {

void RunMeter::Start(int linesInList, double nowSeconds) {
    total_ = std::max(0, linesInList);
    done_ = failed_ = 0;
    start_ = now_ = shownAt_ = nowSeconds;
}

void RunMeter::Update(int done, int failed, double nowSeconds) {
    done_ = done;
    failed_ = failed;
    now_ = nowSeconds;
}

double RunMeter::LinesPerSecond() const {
    const double elapsed = now_ - start_;
    return elapsed > 0 ? done_ / elapsed : 0;
}

std::optional<double> RunMeter::SecondsLeft() const {
    const double pace = LinesPerSecond();
    if (pace <= 0 || (done_ < kFirstEstimateLines && now_ - start_ < kFirstEstimateSeconds)) {
        return std::nullopt;
    }
    return (Total() - done_) / pace;
}

bool RunMeter::ShowDue(double everySeconds) {
    if (done_ < Total() && now_ - shownAt_ < everySeconds) {
        return false;
    }
    shownAt_ = now_;
    return true;
}

std::wstring DurationText(double seconds) {
    const long long whole = static_cast<long long>(std::ceil(std::max(0.0, seconds)));
    const auto twoDigits = [](long long n) { return (n < 10 ? L"0" : L"") + DecimalText(n); };
    if (whole >= 3600) {
        return DecimalText(whole / 3600) + L":" + twoDigits(whole / 60 % 60) + L":" +
               twoDigits(whole % 60);
    }
    return DecimalText(whole / 60) + L":" + twoDigits(whole % 60);
}

namespace {

std::wstring LinesDone(const RunMeter& meter) {
    return DecimalText(meter.Done()) + L" of " + DecimalText(meter.Total()) + L" lines";
}

std::wstring TimeLeft(const RunMeter& meter) {
    const std::optional<double> left = meter.SecondsLeft();
    return left ? L", " + DurationText(*left) + L" left" : L"";
}

}  // namespace

std::wstring WindowProgressText(const RunMeter& meter) {
    return LinesDone(meter) + TimeLeft(meter);
}

std::wstring ConsoleProgressText(const RunMeter& meter) {
    const long long tenths = std::llround(meter.LinesPerSecond() * 10);
    return LinesDone(meter) + L", " + DecimalText(meter.Failed()) + L" failed, " +
           DecimalText(tenths / 10) + L"." + DecimalText(tenths % 10) + L" lines/s" +
           TimeLeft(meter);
}

}  // namespace mapwell
