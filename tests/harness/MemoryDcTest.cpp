// Painting checked the way GUI tests here check it: draw into a memory DC
// backed by a DIB section and read the pixels back, no screenshots.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/support/memory_canvas.h"

using vorpex::testing::MemoryCanvas;

TEST(MemoryDc, FilledRectangleReadsBack)
{
    MemoryCanvas canvas(16, 16);
    ASSERT_TRUE(canvas.ready());
    canvas.fill({0, 0, 16, 16}, RGB(255, 255, 255));
    canvas.fill({4, 4, 8, 8}, RGB(200, 30, 60));

    EXPECT_EQ(GetPixel(canvas.dc(), 4, 4), RGB(200, 30, 60));
    EXPECT_EQ(GetPixel(canvas.dc(), 7, 7), RGB(200, 30, 60));
    // FillRect excludes the right and bottom edges.
    EXPECT_EQ(GetPixel(canvas.dc(), 8, 8), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(canvas.dc(), 3, 4), RGB(255, 255, 255));
}

TEST(MemoryDc, DibBitsHoldBlueGreenRedOrder)
{
    MemoryCanvas canvas(4, 4);
    ASSERT_TRUE(canvas.ready());
    SetPixel(canvas.dc(), 2, 1, RGB(0x11, 0x22, 0x33));
    GdiFlush();

    EXPECT_EQ(canvas.raw(2, 1) & 0xFFFFFFu, 0x112233u);
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 1), RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(canvas.at(2, 1), RGB(0x11, 0x22, 0x33));
}
