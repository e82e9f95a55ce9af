// Resampling pictures for icons and drawables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "core/assets/picture_resample.h"

using assets::bgra_picture;
using assets::resample_source;

namespace {

bgra_picture filled(int w, int h, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
    bgra_picture p;
    p.width = w;
    p.height = h;
    p.pixels.resize(static_cast<std::size_t>(w) * h * 4);
    for (std::size_t i = 0; i < p.pixels.size(); i += 4) {
        p.pixels[i] = b, p.pixels[i + 1] = g, p.pixels[i + 2] = r, p.pixels[i + 3] = a;
    }
    return p;
}

const std::uint8_t* at(const bgra_picture& p, int x, int y) {
    return &p.pixels[(static_cast<std::size_t>(y) * p.width + x) * 4];
}

}  // namespace

TEST(AssetsResample, GivesTheRequestedSizes) {
    const bgra_picture picture = filled(40, 40, 10, 20, 30, 255);
    resample_source source(picture.view());
    for (int size : {192, 144, 96, 72, 48, 36, 1}) {
        const bgra_picture out = source.resampled(size, size);
        EXPECT_EQ(out.width, size);
        EXPECT_EQ(out.height, size);
        ASSERT_EQ(out.pixels.size(), static_cast<std::size_t>(size) * size * 4);
        const std::uint8_t* p = at(out, size / 2, size / 2);
        EXPECT_EQ(p[0], 10);
        EXPECT_EQ(p[1], 20);
        EXPECT_EQ(p[2], 30);
        EXPECT_EQ(p[3], 255);
    }
}

TEST(AssetsResample, TransparencyIsKeptAndTransparentColourDoesNotBleed) {
    // Left half opaque red, right half fully transparent green.
    bgra_picture p = filled(64, 64, 0, 0, 255, 255);
    for (int y = 0; y < 64; ++y)
        for (int x = 32; x < 64; ++x) {
            std::uint8_t* q = &p.pixels[(static_cast<std::size_t>(y) * 64 + x) * 4];
            q[0] = 0, q[1] = 255, q[2] = 0, q[3] = 0;
        }
    const bgra_picture out = resample_source(p.view()).resampled(16, 16);
    EXPECT_EQ(at(out, 2, 8)[3], 255);
    EXPECT_EQ(at(out, 13, 8)[3], 0);
    // Pixels across the border are partly transparent, still pure red: no green bleeds in.
    int partly = 0;
    for (int x = 0; x < 16; ++x) {
        const std::uint8_t* q = at(out, x, 8);
        if (q[3] == 0) continue;
        EXPECT_LE(q[1], 2) << "green bled in at x=" << x;
        EXPECT_GE(q[2], 250) << x;
        if (q[3] < 255) ++partly;
    }
    EXPECT_GE(partly, 1);
}

TEST(AssetsResample, ShrinkingAveragesFineDetailInsteadOfAliasing) {
    // One-pixel black and white checks: a prefiltered shrink gives an even mid grey.
    bgra_picture p = filled(1024, 1024, 0, 0, 0, 255);
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 1024; ++x)
            if ((x + y) % 2) {
                std::uint8_t* q = &p.pixels[(static_cast<std::size_t>(y) * 1024 + x) * 4];
                q[0] = q[1] = q[2] = 255;
            }

    const bgra_picture out = resample_source(p.view()).resampled(36, 36);
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 36; ++x) EXPECT_NEAR(at(out, x, y)[1], 128, 3) << x << "," << y;
}

TEST(AssetsResample, EnlargingKeepsAStepSharpAndInRange) {
    bgra_picture p = filled(4, 4, 0, 0, 0, 255);
    for (int y = 0; y < 4; ++y)
        for (int x = 2; x < 4; ++x) {
            std::uint8_t* q = &p.pixels[(static_cast<std::size_t>(y) * 4 + x) * 4];
            q[0] = q[1] = q[2] = 200;
        }
    const bgra_picture out = resample_source(p.view()).resampled(40, 40);
    EXPECT_LE(at(out, 2, 20)[1], 3);
    EXPECT_GE(at(out, 37, 20)[1], 197);
    // The middle of the step is mid-way; overshoot is clipped to the byte range.
    EXPECT_NEAR(at(out, 19, 20)[1], 100, 40);
    EXPECT_NEAR(at(out, 20, 20)[1], 100, 40);
}

TEST(AssetsResample, NonSquareAndDegenerateRequests) {
    const bgra_picture picture = filled(30, 10, 1, 2, 3, 4);
    resample_source source(picture.view());
    const bgra_picture out = source.resampled(0, -3);
    EXPECT_EQ(out.width, 1);
    EXPECT_EQ(out.height, 1);
    EXPECT_EQ(at(out, 0, 0)[3], 4);
    resample_source empty(bgra_picture{}.view());
    EXPECT_EQ(empty.resampled(5, 5).pixels.size(), 100u);
}

TEST(AssetsResample, ViewWithPaddedRowsAndLargeShrinks) {
    // 600 x 600 pixels in rows of 2,448 bytes (48 bytes of padding), the left half opaque
    // blue and the right half opaque white; the padding holds red that must never show.
    const int edge = 600;
    const std::ptrdiff_t stride = edge * 4 + 48;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stride) * edge, 0);
    for (int y = 0; y < edge; ++y) {
        std::uint8_t* row = &bytes[static_cast<std::size_t>(stride) * y];
        for (int x = 0; x < edge; ++x) {
            std::uint8_t* q = row + x * 4;
            const bool left = x < edge / 2;
            q[0] = 255, q[1] = left ? 0 : 255, q[2] = left ? 0 : 255, q[3] = 255;
        }
        for (int pad = edge * 4; pad < stride; pad += 4) row[pad + 2] = 255, row[pad + 3] = 255;
    }
    assets::bgra_view view{edge, edge, stride, bytes.data()};
    resample_source source(view);
    for (int size : {192, 144, 96, 72, 48, 36}) {
        const bgra_picture out = source.resampled(size, size);
        ASSERT_EQ(out.width, size);
        const std::uint8_t* left = at(out, 1, size / 2);
        const std::uint8_t* right = at(out, size - 2, size / 2);
        EXPECT_EQ(left[0], 255) << size;
        EXPECT_LE(left[2], 2) << size;
        EXPECT_GE(right[2], 253) << size;
        EXPECT_GE(right[1], 253) << size;  // white: no red from the padding
        EXPECT_EQ(at(out, size - 1, 0)[3], 255) << size;
    }
}
