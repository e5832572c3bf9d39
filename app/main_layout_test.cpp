#include "app/main_layout.h"
#include "support/twips.h"

#include <gtest/gtest.h>

#include <set>

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

TEST(MainLayout, EveryControlLiesInsideItsContainerAndContainersComeFirst) {
    std::set<int> seen{IdWindow};
    for (const ControlSpec& c : MainControls()) {
        EXPECT_TRUE(seen.count(c.container)) << c.name << " before its container";
        EXPECT_TRUE(seen.insert(c.id).second) << c.name << " id twice";
        int width = kMainClientWidth, height = kMainClientHeight;
        if (const ControlSpec* parent = FindMainControl(c.container)) {
            width = parent->width;
            height = parent->height;
        }
        EXPECT_GE(c.left, 0) << c.name;
        EXPECT_LE(c.left + c.width, width) << c.name;
        EXPECT_LE(c.top + c.height, height) << c.name;
    }
}

TEST(MainLayout, CaptionsOfTheButtons) {
    EXPECT_STREQ(FindMainControl(IdNowImport)->caption, L"Start Convert");
    EXPECT_STREQ(FindMainControl(IdCommand2)->caption, L"Exit");
}

}  // namespace
}  // namespace mapwell
