// Window layouts are written in twips (1/1440 inch); this is the one conversion to pixels.
#pragma once

namespace mapwell {

constexpr int kTwipsPerInch = 1440;

// Pixels for `twips` at `dpi` dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kTwipsPerInch / 2) / kTwipsPerInch
                                        : -((-scaled + kTwipsPerInch / 2) / kTwipsPerInch));
}

}  // namespace mapwell
