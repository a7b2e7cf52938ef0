// Painting checked the way GUI tests here check it: draw into a memory DC
// backed by a DIB section and read the pixels back, no screenshots.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A 32-bit top-down DIB selected into a memory DC, released in reverse order.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        if (dc_ && bitmap_)
            previous_ = SelectObject(dc_, bitmap_);
        width_ = width;
    }
    ~MemoryCanvas()
    {
        if (previous_)
            SelectObject(dc_, previous_);
        if (bitmap_)
            DeleteObject(bitmap_);
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    bool ready() const { return previous_ != nullptr && bits_ != nullptr; }
    HDC dc() const { return dc_; }
    std::uint32_t raw(int x, int y) const { return bits_[y * width_ + x]; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
};

void fill(HDC dc, RECT area, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

} // namespace

TEST(MemoryDc, FilledRectangleReadsBack)
{
    MemoryCanvas canvas(16, 16);
    ASSERT_TRUE(canvas.ready());
    fill(canvas.dc(), {0, 0, 16, 16}, RGB(255, 255, 255));
    fill(canvas.dc(), {4, 4, 8, 8}, RGB(200, 30, 60));

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
}
