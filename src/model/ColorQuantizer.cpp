#include "model/ColorQuantizer.h"

#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace kv {

ColorQuantizer::Box ColorQuantizer::measure(const std::vector<WeightedColor>& list,
                                            std::size_t begin, std::size_t end) {
    Box box;
    box.begin = begin;
    box.end = end;
    std::uint64_t total = 0, sum[3] = {};
    for (std::size_t i = begin; i < end; ++i) {
        const WeightedColor& c = list[i];
        total += c.count;
        sum[0] += std::uint64_t{c.count} * static_cast<std::uint64_t>(c.r);
        sum[1] += std::uint64_t{c.count} * static_cast<std::uint64_t>(c.g);
        sum[2] += std::uint64_t{c.count} * static_cast<std::uint64_t>(c.b);
    }
    if (total == 0) return box;
    const double inverse = 1.0 / static_cast<double>(total);
    for (int k = 0; k < 3; ++k)
        box.mean[k] =
            static_cast<std::int32_t>(std::nearbyint(static_cast<double>(sum[k]) * inverse));
    float variance[3] = {};
    for (std::size_t i = begin; i < end; ++i) {
        const WeightedColor& c = list[i];
        const std::int32_t value[3] = {c.r, c.g, c.b};
        for (int k = 0; k < 3; ++k) {
            const std::int64_t diff = value[k] - box.mean[k];
            variance[k] += static_cast<float>(std::int64_t{c.count} * diff * diff);
        }
    }
    box.axis = 0;
    for (int k = 1; k < 3; ++k)
        if (variance[k] > variance[box.axis]) box.axis = k;
    box.priority = variance[box.axis];
    return box;
}

std::vector<Color32> ColorQuantizer::quantize(const PixelArray& pixels, std::int32_t maxColors) {
    const std::int32_t w = pixels.isEmpty() ? 0 : pixels.width();
    const std::int32_t h = pixels.isEmpty() ? 0 : pixels.height();
    ColorOctree octree(pixels.pixelCount());
    bool transparent = false;
    for (std::int32_t y = 0; y < h; ++y) {
        const Color32* row = pixels.row(y);
        for (std::int32_t x = 0; x < w; ++x) {
            const Color32 c = row[x];
            if (AlphaOf(c) < 128)
                transparent = true;
            else
                octree.insert(RedOf(c), GreenOf(c), BlueOf(c));
        }
    }

    std::vector<WeightedColor> list;
    list.reserve(ColorOctree::kMaxLeaves);
    octree.collect(list);
    const std::int32_t t = transparent ? 1 : 0;
    const std::size_t k = static_cast<std::size_t>(
        std::max<std::int64_t>(0, std::min<std::int64_t>(static_cast<std::int64_t>(list.size()),
                                                         std::int64_t{maxColors} - t)));

    std::vector<Box> boxes;
    boxes.reserve(k);
    if (k > 0) boxes.push_back(measure(list, 0, list.size()));
    while (boxes.size() < k) {
        std::size_t pick = 0;
        for (std::size_t i = 1; i < boxes.size(); ++i)
            if (boxes[i].priority > boxes[pick].priority) pick = i;
        const Box box = boxes[pick];
        const int axis = box.axis;
        auto key = [axis](const WeightedColor& c) {
            return axis == 0 ? c.r : axis == 1 ? c.g : c.b;
        };
        const auto first = list.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = list.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::stable_sort(first, last, [&key](const WeightedColor& a, const WeightedColor& b) {
            return key(a) < key(b);
        });
        const std::int32_t middle = (key(*first) + key(*(last - 1))) >> 1;
        const auto split = std::partition_point(
            first, last, [&key, middle](const WeightedColor& c) { return key(c) <= middle; });
        if (split == first || split == last) // cannot happen for distinct colors
            throw CKVException("Color quantization error");
        const std::size_t at = static_cast<std::size_t>(split - list.begin());
        boxes[pick] = measure(list, box.begin, at);
        boxes.push_back(measure(list, at, box.end));
    }

    std::vector<Color32> colors;
    colors.reserve(k + static_cast<std::size_t>(t));
    for (const Box& box : boxes)
        colors.push_back(MakeColor32(static_cast<unsigned>(box.mean[0]),
                                     static_cast<unsigned>(box.mean[1]),
                                     static_cast<unsigned>(box.mean[2]), 255));
    if (transparent) colors.push_back(0);
    return colors;
}

bool QuantizeColors(const PixelArray& pixels, std::int32_t maxColors,
                    std::vector<Color32>& colors) {
    try {
        std::vector<Color32> result = ColorQuantizer().quantize(pixels, maxColors);
        colors.swap(result);
        return true;
    } catch (const CKVException& e) {
        if (e.message() != "Color quantization error") ReportError(e.message());
    } catch (const std::bad_alloc&) {
    }
    ReportError("Color quantization error");
    return false;
}

} // namespace kv
