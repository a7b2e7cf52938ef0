// The image control's arithmetic: accepted zooms, the virtual size it scrolls over, and where the picture goes,
// fitted or scrolled.
#include <gtest/gtest.h>

#include "framework/controls/image/image_rules.h"

namespace vorpex::image {
namespace {

TEST(ImageRules, ZoomsFromFiveToTwentyThousandPercent) {
    const std::pair<int64_t, bool> cases[] = {{4, false}, {5, true}, {100, true}, {20000, true}, {20001, false},
                                              {0, false}, {-100, false}};
    for (const auto& [zoom, accepted] : cases) EXPECT_EQ(zoomAccepted(zoom), accepted) << zoom;
}

TEST(ImageRules, VirtualSizeIsThePictureAtZoomAndScale) {
    const struct {
        bool autoFit;
        std::optional<Extent> picture;
        int64_t zoom, scale;
        Extent expected;
    } cases[] = {
        {false, Extent{200, 100}, 150, 100, {300, 150}},
        {false, Extent{200, 100}, 100, 125, {250, 125}},      // the application's scale multiplies
        {false, Extent{3, 3}, 50, 100, {2, 2}},               // 1.5 rounds half away from zero, as MulDiv
        {false, Extent{200, 100}, 5, 100, {10, 5}},
        {false, Extent{65535, 1}, 20000, 100, {13107000, 200}},
        {true, Extent{200, 100}, 150, 100, {0, 0}},           // fitted: nothing to scroll
        {false, std::nullopt, 150, 100, {0, 0}},              // no picture
        {false, Extent{0, 0}, 300, 100, {0, 0}},              // an empty picture
    };
    for (const auto& c : cases)
        EXPECT_EQ(virtualSize(c.autoFit, c.picture, c.zoom, c.scale), c.expected)
            << c.zoom << " " << c.scale << " " << c.autoFit;
}

TEST(ImageRules, AFittedPictureIsCentredShrunkAndNeverEnlarged) {
    const struct {
        Extent picture, client;
        Box expected;
    } cases[] = {
        {{20, 10}, {100, 50}, {40, 20, 60, 30}},    // smaller: centred, not enlarged
        {{200, 50}, {100, 100}, {0, 37, 100, 62}},  // wider: the width fits, proportions kept, centred vertically
        {{50, 200}, {100, 100}, {37, 0, 62, 100}},  // taller: the height fits, centred horizontally
        {{400, 400}, {100, 50}, {25, 0, 75, 50}},   // both: the height decides last
        {{21, 11}, {100, 50}, {39, 19, 60, 30}},    // halves round toward zero
        {{20, 10}, {0, 0}, {0, 0, 0, 0}},           // a control with no room draws nothing
        {{0, 0}, {100, 50}, {50, 25, 50, 25}},
    };
    for (const auto& c : cases) {
        const Box b = fittedBox(c.picture, c.client);
        EXPECT_EQ(b, c.expected) << c.picture.width << "x" << c.picture.height << " in " << c.client.width << "x"
                                 << c.client.height << ": " << b.left << "," << b.top << "," << b.right << ","
                                 << b.bottom;
    }
}

TEST(ImageRules, TheScrolledPictureStartsAtTheClientOrigin) {
    EXPECT_EQ(scrolledBox(0, 0, {300, 150}), (Box{0, 0, 300, 150}));
    EXPECT_EQ(scrolledBox(-40, -25, {300, 150}), (Box{-40, -25, 260, 125}));
}

}  // namespace
}  // namespace vorpex::image
