#include "core/assets/picture_resample.h"

#include <algorithm>
#include <cmath>

namespace assets {
namespace {

// Catmull-Rom: the sharpest of the common cubic kernels that still interpolates exactly.
float cubic(float x) {
    x = std::fabs(x);
    if (x < 1.0f) return (1.5f * x - 2.5f) * x * x + 1.0f;
    if (x < 2.0f) return ((-0.5f * x + 2.5f) * x - 4.0f) * x + 2.0f;
    return 0.0f;
}

// The taps of every output position along one axis: first source index and weights.
struct axis_taps {
    int count = 0;               // taps per output position
    std::vector<int> first;      // per output position
    std::vector<float> weights;  // count per output position, normalised to a sum of 1
};

axis_taps make_taps(int source, int target) {
    const float scale = static_cast<float>(source) / static_cast<float>(target);
    const float stretch = std::max(scale, 1.0f);  // widen the kernel only when shrinking
    const float support = 2.0f * stretch;
    axis_taps taps;
    taps.count = static_cast<int>(std::ceil(support)) * 2 + 1;
    taps.first.resize(static_cast<std::size_t>(target));
    taps.weights.assign(static_cast<std::size_t>(target) * static_cast<std::size_t>(taps.count),
                        0.0f);
    for (int out = 0; out < target; ++out) {
        const float centre = (static_cast<float>(out) + 0.5f) * scale - 0.5f;
        const int first = static_cast<int>(std::floor(centre - support)) + 1;
        taps.first[static_cast<std::size_t>(out)] = first;
        float* w = &taps.weights[static_cast<std::size_t>(out) * taps.count];
        float sum = 0.0f;
        for (int k = 0; k < taps.count; ++k) {
            w[k] = cubic((static_cast<float>(first + k) - centre) / stretch);
            sum += w[k];
        }
        if (sum != 0.0f)
            for (int k = 0; k < taps.count; ++k) w[k] /= sum;
    }
    return taps;
}

int clamp_index(int i, int size) {
    return i < 0 ? 0 : (i >= size ? size - 1 : i);
}

std::uint8_t to_byte(float v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

const std::uint8_t* pixel(const bgra_view& p, int x, int y) {
    return p.data + p.stride * y + static_cast<std::ptrdiff_t>(x) * 4;
}

}  // namespace

bgra_view bgra_picture::view() const {
    bgra_view v;
    if (pixels.size() < static_cast<std::size_t>(std::max(width, 0)) * std::max(height, 0) * 4)
        return v;  // malformed: an empty picture
    v.width = width;
    v.height = height;
    v.stride = static_cast<std::ptrdiff_t>(width) * 4;
    v.data = pixels.data();
    return v;
}

resample_source::resample_source(const bgra_view& picture) : picture_(picture) {
    if (!picture_.data || picture_.width <= 0 || picture_.height <= 0) picture_ = bgra_view{};
}

const resample_source::level& resample_source::level_for(int width, int height) {
    std::size_t k = 0;
    int w = picture_.width, h = picture_.height;
    while (w % 2 == 0 && h % 2 == 0 && w / 2 >= 2 * width && h / 2 >= 2 * height) {
        w /= 2;
        h /= 2;
        ++k;
    }
    if (levels_.size() <= k) levels_.resize(k + 1);
    return make_level(k);
}

const resample_source::level& resample_source::make_level(std::size_t k) {
    level& made = levels_[k];
    if (made.width) return made;
    if (k == 0) {
        made.width = picture_.width;
        made.height = picture_.height;
        made.premultiplied.resize(static_cast<std::size_t>(made.width) * made.height * 4);
        float* q = made.premultiplied.data();
        for (int y = 0; y < made.height; ++y)
            for (int x = 0; x < made.width; ++x, q += 4) {
                const std::uint8_t* p = pixel(picture_, x, y);
                const float a = p[3] / 255.0f;
                q[0] = p[0] * a, q[1] = p[1] * a, q[2] = p[2] * a, q[3] = p[3];
            }
        return made;
    }
    // Level 1 comes straight from the bytes unless the full-size level exists anyway: the big
    // picture is never converted as a whole only to be halved.
    const bool from_bytes = k == 1 && !levels_[0].width;
    const level* below = from_bytes ? nullptr : &make_level(k - 1);
    made.width = (from_bytes ? picture_.width : below->width) / 2;
    made.height = (from_bytes ? picture_.height : below->height) / 2;
    made.premultiplied.resize(static_cast<std::size_t>(made.width) * made.height * 4);
    float* q = made.premultiplied.data();
    for (int y = 0; y < made.height; ++y)
        for (int x = 0; x < made.width; ++x, q += 4) {
            float b = 0, g = 0, r = 0, a = 0;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    if (from_bytes) {
                        const std::uint8_t* p = pixel(picture_, 2 * x + dx, 2 * y + dy);
                        const float alpha = p[3] / 255.0f;
                        b += p[0] * alpha, g += p[1] * alpha, r += p[2] * alpha, a += p[3];
                    } else {
                        const float* p =
                            &below->premultiplied[(static_cast<std::size_t>(2 * y + dy) *
                                                       below->width +
                                                   2 * x + dx) *
                                                  4];
                        b += p[0], g += p[1], r += p[2], a += p[3];
                    }
                }
            q[0] = b * 0.25f, q[1] = g * 0.25f, q[2] = r * 0.25f, q[3] = a * 0.25f;
        }
    return made;
}

namespace {

// One pixel of a row from its taps: premultiplied blue, green, red and alpha.
void row_pixel(const float* source_row, int source_width, const axis_taps& across, int x,
               float* q) {
    const int first = across.first[static_cast<std::size_t>(x)];
    const float* w = &across.weights[static_cast<std::size_t>(x) * across.count];
    float b = 0, g = 0, r = 0, a = 0;
    if (first >= 0 && first + across.count <= source_width) {
        const float* p = source_row + static_cast<std::size_t>(first) * 4;
        for (int k = 0; k < across.count; ++k, p += 4) {
            b += w[k] * p[0];
            g += w[k] * p[1];
            r += w[k] * p[2];
            a += w[k] * p[3];
        }
    } else {  // near the edges the border pixels repeat
        for (int k = 0; k < across.count; ++k) {
            const float* p =
                source_row + static_cast<std::size_t>(clamp_index(first + k, source_width)) * 4;
            b += w[k] * p[0];
            g += w[k] * p[1];
            r += w[k] * p[2];
            a += w[k] * p[3];
        }
    }
    q[0] = b, q[1] = g, q[2] = r, q[3] = a;
}

// A line of premultiplied values back to straight (not premultiplied) bytes.
void unmultiplied(const std::vector<float>& line, int width, std::uint8_t* target) {
    for (int x = 0; x < width; ++x) {
        const float* q = &line[static_cast<std::size_t>(x) * 4];
        const float a = std::clamp(q[3], 0.0f, 255.0f);
        std::uint8_t* p = target + static_cast<std::size_t>(x) * 4;
        p[3] = to_byte(a);
        if (p[3] == 0) {
            p[0] = p[1] = p[2] = 0;
            continue;
        }
        const float unmultiply = 255.0f / a;
        p[0] = to_byte(q[0] * unmultiply);
        p[1] = to_byte(q[1] * unmultiply);
        p[2] = to_byte(q[2] * unmultiply);
    }
}

}  // namespace

bgra_picture resample_source::resampled(int width, int height) {
    bgra_picture out;
    out.width = std::max(width, 1);
    out.height = std::max(height, 1);
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height * 4, 0);
    if (!picture_.data) return out;
    const level& source = level_for(out.width, out.height);
    const int source_width = source.width;
    const int source_height = source.height;
    const float* premultiplied = source.premultiplied.data();

    // Rows first: every source row becomes out.width pixels wide.
    const axis_taps across = make_taps(source_width, out.width);
    const std::size_t stride = static_cast<std::size_t>(out.width) * 4;
    rows_.resize(static_cast<std::size_t>(source_height) * stride);
    for (int y = 0; y < source_height; ++y) {
        const float* source_row = premultiplied + static_cast<std::size_t>(y) * source_width * 4;
        float* target_row = &rows_[static_cast<std::size_t>(y) * stride];
        for (int x = 0; x < out.width; ++x)
            row_pixel(source_row, source_width, across, x,
                      target_row + static_cast<std::size_t>(x) * 4);
    }

    // Then columns, back to straight bytes.
    const axis_taps down = make_taps(source_height, out.height);
    std::vector<float> line(stride);
    for (int y = 0; y < out.height; ++y) {
        std::fill(line.begin(), line.end(), 0.0f);
        const int first = down.first[static_cast<std::size_t>(y)];
        const float* w = &down.weights[static_cast<std::size_t>(y) * down.count];
        for (int k = 0; k < down.count; ++k) {
            if (w[k] == 0.0f) continue;
            const float* src =
                &rows_[static_cast<std::size_t>(clamp_index(first + k, source_height)) * stride];
            for (std::size_t i = 0; i < stride; ++i) line[i] += w[k] * src[i];
        }
        unmultiplied(line, out.width, &out.pixels[static_cast<std::size_t>(y) * stride]);
    }
    return out;
}

}  // namespace assets
