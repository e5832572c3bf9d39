// The progress of a run as the main window and the command line show it: lines done of the
// lines in the list, lines failed, the pace, and the time left once the pace can be judged.
// Platform-neutral; the caller gives the clock.
#pragma once

#include <algorithm>
#include <optional>
#include <string>

namespace mapwell {

class RunMeter {
public:
    // The time left is first estimated after this many lines or seconds, whichever comes first.
    static constexpr int kFirstEstimateLines = 20;
    static constexpr double kFirstEstimateSeconds = 5;

    void Start(int linesInList, double nowSeconds);
    void Update(int done, int failed, double nowSeconds);

    int Done() const { return done_; }
    int Failed() const { return failed_; }
    // The lines in the list; never fewer than those done (a list that grew while it was read).
    int Total() const { return std::max(total_, done_); }
    double LinesPerSecond() const;
    // The seconds left at the pace so far; none before the first estimate or the first line.
    std::optional<double> SecondsLeft() const;
    // True when the progress is to be shown again, as of the last update: at the list's last
    // line, or once `everySeconds` have passed since it was last shown (the start counts as
    // shown).
    bool ShowDue(double everySeconds);

private:
    int total_ = 0, done_ = 0, failed_ = 0;
    double start_ = 0, now_ = 0, shownAt_ = 0;
};

// "0:42", "12:05", "1:02:03", rounded up to whole seconds.
std::wstring DurationText(double seconds);

// Beside the window's bar: "1234 of 10000 lines, 1:55 left".
std::wstring WindowProgressText(const RunMeter& meter);

// The command line's line: "1234 of 10000 lines, 3 failed, 87.5 lines/s, 1:55 left".
std::wstring ConsoleProgressText(const RunMeter& meter);

}  // namespace mapwell
