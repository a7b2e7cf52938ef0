// The preview's arithmetic as tables: the zoom box's steps (never to 0 or an undefined zoom), the page laid
// out in each fit mode (pages of no size included), the printed page fitted on its sheet, print ranges, the
// navigation buttons and the keys of the page view.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "framework/print/preview/preview_rules.h"

namespace vorpex::preview {
namespace {

TEST(PreviewRules, TheZoomBoxItemsAndTheirModes) {
    EXPECT_EQ(zoomOfItem(1), 500);
    EXPECT_EQ(zoomOfItem(4), 100);
    EXPECT_EQ(zoomOfItem(7), 10);
    for (int item : {0, 8, 9, 10, 11}) EXPECT_EQ(zoomOfItem(item), 0) << item;
    EXPECT_EQ(fitModeOfItem(8), kFitPageWidth);
    EXPECT_EQ(fitModeOfItem(9), kFitPageHeight);
    EXPECT_EQ(fitModeOfItem(10), kFitWholePage);
    EXPECT_EQ(fitModeOfItem(3), kFitNone);
    EXPECT_EQ(itemOfZoom(150), 3);
    EXPECT_EQ(itemOfZoom(74), 0);
}

TEST(PreviewRules, ZoomStepsMoveAlongTheBoxAndStayPutAtItsEnds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        bool in;
        int item;
        double zoom;
        ZoomStep expected;
    };
    const std::vector<Case> cases = {
        {true, 4, 100, {3, 150}},    // a percentage: the previous item
        {true, 2, 200, {1, 500}},
        {true, 1, 500, {1, 500}},    // nothing larger: stays at 500
        {true, 10, 74, {4, 100}},    // a fit mode: the nearest larger percentage
        {true, 8, 300, {1, 500}},    // a fitted page between 200 and 500
        {true, 8, 600, {8, 600}},    // beyond every item: stays
        {true, 0, 0, {3, 150}},      // no zoom counts as 100
        {true, 0, nan, {3, 150}},
        {false, 4, 100, {5, 50}},
        {false, 6, 25, {7, 10}},
        {false, 7, 10, {7, 10}},     // nothing smaller: stays at 10
        {false, 10, 74, {5, 50}},
        {false, 0, 3000, {1, 500}},
        {false, 9, 5, {9, 5}},
        {false, 0, -4, {5, 50}},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const ZoomStep step = c.in ? zoomInStep(c.item, c.zoom) : zoomOutStep(c.item, c.zoom);
        EXPECT_EQ(step, c.expected) << "case " << i;
        EXPECT_GT(step.zoom, 0) << "case " << i;
    }
}

TEST(PreviewRules, TheViewsOwnStepsDoubleBelow2000AndHalveAbove10) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::pair<double, double>> doubling = {{1600, 3200}, {2000, 2000}, {2500, 2500}, {0, 200},
                                                            {nan, 200}};
    for (const auto& [zoom, expected] : doubling) EXPECT_EQ(doubledZoom(zoom), expected) << zoom;
    const std::vector<std::pair<double, double>> halving = {{20, 10}, {10, 10}, {11, 5.5}, {-5, 50}};
    for (const auto& [zoom, expected] : halving) EXPECT_EQ(halvedZoom(zoom), expected) << zoom;
}

TEST(PreviewRules, APageOfNoSizeHasNoSizeAndNoDivisionByZero) {
    const PageFacts portrait = pageFacts(20000, 25000, 800, 1000, 96, 96);
    EXPECT_FALSE(portrait.landscape);
    EXPECT_DOUBLE_EQ(portrait.ratio, 0.8);
    EXPECT_DOUBLE_EQ(portrait.horz100, 800);
    EXPECT_DOUBLE_EQ(portrait.vert100, 1000);
    const PageFacts printer = pageFacts(21000, 29700, 2480, 3508, 300, 300);
    EXPECT_DOUBLE_EQ(printer.horz100, 2480 * 96 / 300.0);
    const PageFacts landscape = pageFacts(25000, 20000, 1000, 800, 96, 96);
    EXPECT_TRUE(landscape.landscape);
    EXPECT_DOUBLE_EQ(landscape.ratio, 0.8);
    for (const PageFacts& empty : {pageFacts(0, 0, 0, 0, 0, 0), pageFacts(0, 29700, 800, 1000, 96, 96),
                                   pageFacts(21000, 29700, 800, 1000, 0, 0)}) {
        EXPECT_TRUE(std::isfinite(empty.ratio));
        EXPECT_GT(empty.ratio, 0);
        EXPECT_TRUE(std::isfinite(empty.horz100));
    }
}

TEST(PreviewRules, ThePageIsLaidOutInEachFitMode) {
    const PageFacts portrait = pageFacts(20000, 25000, 800, 1000, 96, 96);
    const PageFacts landscape = pageFacts(25000, 20000, 1000, 800, 96, 96);
    const PageFacts empty = pageFacts(0, 0, 0, 0, 0, 0);
    struct Case {
        int fit;
        double zoom;
        PageFacts page;
        int64_t w, h;
        PageLayout expected;
    };
    const std::vector<Case> cases = {
        // left, top, width, height, virtual width, virtual height, zoom
        {kFitNone, 50, portrait, 1000, 800, {300, 150, 400, 500, 460, 560, 50}},
        {kFitNone, 200, portrait, 1000, 800, {30, 30, 1600, 2000, 1660, 2060, 200}},
        {kFitNone, 100, landscape, 1200, 1000, {100, 100, 1000, 800, 1060, 860, 100}},
        {kFitWholePage, 100, portrait, 1000, 800, {204, 30, 592, 740, 592, 740, 74}},
        {kFitWholePage, 100, portrait, 400, 800, {30, 187, 340, 425, 340, 425, 42.5}},
        {kFitWholePage, 100, landscape, 1000, 800, {37, 30, 925, 740, 925, 740, 92.5}},
        {kFitPageWidth, 100, portrait, 1000, 800, {30, 30, 940, 1175, 940, 1235, 117.5}},
        {kFitPageHeight, 100, portrait, 1000, 800, {204, 30, 592, 740, 652, 740, 74}},
        // A page of no size, a view smaller than its margins.
        {kFitNone, 100, empty, 1000, 800, {500, 400, 0, 0, 60, 60, 100}},
        {kFitWholePage, 150, empty, 1000, 800, {130, 30, 740, 740, 740, 740, 150}},
        {kFitWholePage, 100, portrait, 0, 0, {30, 30, 0, 0, 0, 0, 100}},
        {kFitPageWidth, 100, portrait, 40, 40, {30, 30, 0, 0, 0, 60, 100}},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(layoutPage(c.fit, c.zoom, c.page, c.w, c.h), c.expected) << "case " << i;
    }
}

TEST(PreviewRules, AZoomAtAPointBringsThatPointToTheMiddle) {
    EXPECT_EQ(originForPoint(300, 400, 1600, 30, 600), -930);
    EXPECT_EQ(originForPoint(100, 400, 800, 30, 1000), 0) << "never above the top-left";
    EXPECT_EQ(originForPoint(100, 0, 800, 30, 1000), 0) << "an old page of no size";
    EXPECT_EQ(offsetAtZoom(40, 50), 20);
    EXPECT_EQ(offsetAtZoom(40, 0), 40);
    EXPECT_EQ(screenPixelsOfTenths(254), 96);
}

TEST(PreviewRules, APrintedPageFitsTheSheetAndIsCentred) {
    struct Case {
        int64_t ew, eh, w, h;
        Rect expected;
    };
    const std::vector<Case> cases = {
        {2970, 2100, 2100, 2970, {0, 743, 2100, 2227}},   // landscape page, portrait sheet: full width
        {2100, 2970, 2970, 2100, {743, 0, 2227, 2100}},   // portrait page, landscape sheet: full height
        {2100, 2970, 4200, 5940, {0, 0, 4200, 5940}},
        {0, 0, 2100, 2970, {0, 0, 2100, 2970}},           // a page of no size
        {2100, 2970, 0, 0, {0, 0, 0, 0}},                 // a sheet of no size
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(fitOnSheet(c.ew, c.eh, c.w, c.h), c.expected) << "case " << i;
    }
}

TEST(PreviewRules, RangesWithinThePagesPrintAndButtonsFollowThePage) {
    EXPECT_TRUE(printableRange({1, 3}, 3));
    EXPECT_TRUE(printableRange({2, 2}, 3));
    EXPECT_FALSE(printableRange({3, 2}, 3));
    EXPECT_FALSE(printableRange({0, 3}, 3));
    EXPECT_FALSE(printableRange({1, 4}, 3));
    EXPECT_FALSE(printableRange({1, 1}, 0));

    EXPECT_EQ(navigationState(1, 1), (NavigationState{false, false}));
    EXPECT_EQ(navigationState(1, 3), (NavigationState{false, true}));
    EXPECT_EQ(navigationState(2, 3), (NavigationState{true, true}));
    EXPECT_EQ(navigationState(3, 3), (NavigationState{true, false}));
}

TEST(PreviewRules, KeysZoomScrollAndTurnPages) {
    struct Case {
        int key;
        bool ctrl;
        KeyDecision expected;
    };
    const std::vector<Case> cases = {
        {0x6B, false, {KeyAction::ZoomIn}},
        {0x6D, false, {KeyAction::ZoomOut}},
        {0x26, false, {KeyAction::Scroll, 0, -20}},
        {0x28, true, {KeyAction::Scroll, 0, 100}},
        {0x25, false, {KeyAction::Scroll, -20, 0}},
        {0x27, true, {KeyAction::Scroll, 100, 0}},
        {0x21, false, {KeyAction::PreviousPage}},
        {0x21, true, {KeyAction::FirstPage}},
        {0x22, false, {KeyAction::NextPage}},
        {0x22, true, {KeyAction::LastPage}},
        {0x24, false, {KeyAction::FirstPage}},
        {0x23, false, {KeyAction::LastPage}},
        {0x10, false, {KeyAction::Cursor}},
        {'A', false, {KeyAction::None}},
    };
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(keyDecision(cases[i].key, cases[i].ctrl), cases[i].expected) << "case " << i;

    EXPECT_EQ(scrolledOrigin(0, 20, 1000, 500), -20);
    EXPECT_EQ(scrolledOrigin(0, -20, 1000, 500), 0) << "never beyond the top-left";
    EXPECT_EQ(scrolledOrigin(-490, 20, 1000, 500), -500) << "never past the end";
    EXPECT_EQ(scrolledOrigin(0, 20, 300, 500), 0) << "content smaller than the view";
}

}  // namespace
}  // namespace vorpex::preview
