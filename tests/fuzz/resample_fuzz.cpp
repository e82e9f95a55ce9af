// The picture resampler over pictures made from the input (any size up to 64 x 64, rows with
// or without gaps) and target sizes up to 160 x 160. The result has the size asked for; a
// picture of one colour stays that colour, a transparent one stays transparent and an opaque
// one opaque; and a source that has already served other sizes gives the same pixels as a
// fresh one.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

#include "core/assets/picture_resample.h"
#include "fuzz_support.h"

using namespace assets;

namespace {

struct facts {
    bool uniform = true;
    bool opaque = true;
    bool transparent = true;
};

facts facts_of(const bgra_view& v) {
    facts f;
    for (int y = 0; y < v.height; ++y)
        for (int x = 0; x < v.width; ++x) {
            const std::uint8_t* p = v.data + y * v.stride + x * 4;
            f.uniform &= std::equal(p, p + 4, v.data);
            f.opaque &= p[3] == 255;
            f.transparent &= p[3] == 0;
        }
    return f;
}

void check_result(const bgra_picture& out, int width, int height, const bgra_view& in) {
    fuzz::check(out.width == width && out.height == height, "result of another size");
    fuzz::check(out.pixels.size() == static_cast<std::size_t>(width) * height * 4,
                "result with a wrong number of bytes");
    if (in.width <= 0 || in.height <= 0) return;
    const facts f = facts_of(in);
    for (std::size_t i = 0; i < out.pixels.size(); i += 4) {
        const std::uint8_t* p = &out.pixels[i];
        if (f.transparent) fuzz::check(p[3] == 0, "transparent picture gained alpha");
        if (f.opaque) fuzz::check(p[3] >= 254, "opaque picture lost alpha");
        if (f.uniform && in.data[3] > 0)
            for (int c = 0; c < 4; ++c)
                fuzz::check(std::abs(p[c] - in.data[c]) <= 1, "one-colour picture changed colour");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int width = input.ConsumeIntegralInRange(0, 64);
    const int height = input.ConsumeIntegralInRange(0, 64);
    const int gap = input.ConsumeIntegralInRange(0, 3) * 4;
    const int first_w = input.ConsumeIntegralInRange(1, 160);
    const int first_h = input.ConsumeIntegralInRange(1, 160);
    const int second_w = input.ConsumeIntegralInRange(1, 160);
    const int second_h = input.ConsumeIntegralInRange(1, 160);
    const std::vector<std::uint8_t> bytes = input.ConsumeRemainingBytes<std::uint8_t>();

    // The input's bytes, repeated, fill the rows; the gaps hold junk the resampler must skip.
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(width) * 4 + gap;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height + 1, 0xA5);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 4; ++x) {
            const std::size_t n = static_cast<std::size_t>(y) * width * 4 + x;
            pixels[static_cast<std::size_t>(y * stride + x)] =
                bytes.empty() ? 0 : bytes[n % bytes.size()];
        }
    bgra_view view;
    view.width = width;
    view.height = height;
    view.stride = stride;
    view.data = pixels.data();

    resample_source source(view);
    const bgra_picture first = source.resampled(first_w, first_h);
    check_result(first, first_w, first_h, view);
    const bgra_picture second = source.resampled(second_w, second_h);
    check_result(second, second_w, second_h, view);
    resample_source fresh(view);
    fuzz::check(fresh.resampled(second_w, second_h).pixels == second.pixels,
                "a used source resamples otherwise than a fresh one");
    fuzz::check(source.resampled(first_w, first_h).pixels == first.pixels,
                "the same size twice gives other pixels");
    return 0;
}
