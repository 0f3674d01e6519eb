#include "raster/bitmap.h"

#include <gtest/gtest.h>

namespace gd {
namespace {

TEST(Rect, IsHalfOpen) {
    Rect r = Rect::FromSize(2, 3, 4, 5);
    EXPECT_EQ(r, (Rect{2, 3, 6, 8}));
    EXPECT_TRUE(r.contains(2, 3));
    EXPECT_TRUE(r.contains(5, 7));
    EXPECT_FALSE(r.contains(6, 7));
    EXPECT_FALSE(r.contains(5, 8));
    // Touching rectangles share no pixel.
    EXPECT_TRUE(r.intersected(Rect{6, 3, 9, 8}).is_empty());
    EXPECT_EQ(r.intersected(Rect{5, 0, 9, 4}), (Rect{5, 3, 6, 4}));
    EXPECT_EQ(r.united(Rect{}), r);
}

TEST(Pixel, ConvertsColorRefBothWays) {
    EXPECT_EQ(PixelFromColorRef(0x000000FF), 0x00FF0000u);  // red
    EXPECT_EQ(PixelFromColorRef(0x00FF0000), 0x000000FFu);  // blue
    EXPECT_EQ(ColorRefFromPixel(PixelFromColorRef(0x00123456)), 0x00123456u);
}

TEST(Bitmap, FillClipsAndCopiesDeeply) {
    Bitmap a(4, 3);
    a.Fill(Rect{-5, 1, 2, 99}, 0x00ABCDEF);
    EXPECT_EQ(a.pixel(0, 0), 0u);
    EXPECT_EQ(a.pixel(1, 2), 0x00ABCDEFu);
    EXPECT_EQ(a.pixel(2, 2), 0u);
    Bitmap b = a;
    b.set_pixel(0, 0, 1);
    EXPECT_EQ(a.pixel(0, 0), 0u);
    EXPECT_FALSE(a == b);
}

TEST(Bitmap, ViewWritesThroughToForeignMemory) {
    Pixel memory[2 * 5] = {};
    Bitmap v = Bitmap::View(memory, 2, 2, 5);
    ASSERT_TRUE(v.is_view());
    v.Fill(0x11);
    EXPECT_EQ(memory[0], 0x11u);
    EXPECT_EQ(memory[6], 0x11u);
    EXPECT_EQ(memory[2], 0u);  // outside the view's width
    Bitmap moved = std::move(v);
    EXPECT_EQ(moved.data(), memory);
}

}  // namespace
}  // namespace gd
