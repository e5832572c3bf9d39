#include "support/twips.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(Twips, ConvertToPixelsAtTheWindowsDpi) {
    struct Case {
        int twips, dpi, pixels;
    };
    const Case cases[] = {{1440, 96, 96},  {15, 96, 1},     {7, 96, 0},       {8, 96, 1},
                          {5385, 96, 359}, {4260, 96, 284}, {5385, 144, 539}, {0, 120, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
}

}  // namespace
}  // namespace mapwell
