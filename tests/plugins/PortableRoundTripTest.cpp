// Images of every target format at awkward widths, out to portable images
// and back: the packing of rows narrower than whole bytes, the mask frame,
// the palette and the layer attributes must survive the journey. The bit
// order and the mask frame are judged by outside tools, through the format
// plug-ins that read these images (the mask follows a preview whose alpha
// is already 0 or 255).
#include "PluginTestSupport.h"
#include "model/Layer.h"
#include "plugins/portable/PortableChecks.h"
#include "plugins/portable/PortableExport.h"
#include "plugins/portable/PortableHeap.h"
#include "plugins/portable/PortableImport.h"

#include <cstring>
#include <gtest/gtest.h>

namespace kv {
namespace {

struct FormatCase {
    TargetFormat target;
    std::uint32_t portable;
};

const FormatCase kFormats[] = {
    {TargetFormat::Rgba32, KVX_FORMAT_32BPP},  {TargetFormat::Rgb24, KVX_FORMAT_24BPP},
    {TargetFormat::Palette8, KVX_FORMAT_8BPP}, {TargetFormat::Palette4, KVX_FORMAT_4BPP},
    {TargetFormat::Mono, KVX_FORMAT_1BPP},
};
const std::int32_t kWidths[] = {1, 7, 8, 9, 33};
constexpr std::int32_t kHeight = 5;

// Three layers: an opaque gradient (hidden), noise, and a translucent, named,
// current layer at three quarters opacity on top.
std::unique_ptr<Image> PaintedImage(std::int32_t width, TargetFormat target, std::uint32_t seed) {
    std::unique_ptr<Image> image = test::MakeImage(width, kHeight, 2, seed);
    ImageUpdateLock lock(*image);
    PixelArray translucent(width, kHeight);
    test::PaintGradient(translucent, seed + 3, true);
    LayerBase* top = test::AddLayer(*image, translucent);
    top->setName("Top layer");
    top->setOpacity(0.75f);
    image->bottomLayer()->setVisible(false);
    image->setCurrentLayer(top);
    image->setResolution(2835.0f, 1000.0f);
    image->setTargetFormat(target);
    return image;
}

// Every row holds exactly its packed pixels, and the bits after the last
// pixel of a row are zero.
void ExpectPackedRows(const PortableImage* frame, std::uint32_t bits, const std::string& what) {
    const ImageView view = CheckImage(frame);
    const std::size_t rowBytes = (bits * std::size_t(frame->width) + 7) / 8;
    EXPECT_EQ(view.rowBytes, rowBytes) << what;
    EXPECT_EQ(PortableHeap::instance().sizeOf(view.pixels, PortableBlock::Pixels),
              rowBytes * std::size_t(frame->height))
        << what;
    const unsigned unused = unsigned(rowBytes * 8 - bits * std::size_t(frame->width));
    for (std::int32_t y = 0; y < frame->height; ++y)
        EXPECT_EQ(view.row(y)[rowBytes - 1] & ((1u << unused) - 1), 0u) << what << " row " << y;
}

void ExpectSameLayers(const Image& a, const Image& b, const std::string& what) {
    ASSERT_EQ(a.layerCount(), b.layerCount()) << what;
    for (std::int32_t i = 1; i <= a.layerCount(); ++i) {
        const LayerBase& la = *a.layerAt(std::uint32_t(i));
        const LayerBase& lb = *b.layerAt(std::uint32_t(i));
        EXPECT_EQ(la.name(), lb.name()) << what;
        EXPECT_EQ(la.visible(), lb.visible()) << what;
        EXPECT_EQ(la.opacity(), lb.opacity()) << what;
        EXPECT_EQ(a.currentLayer() == &la, b.currentLayer() == &lb) << what;
        test::ExpectSamePixels(la.pixels(), lb.pixels(), what);
    }
}

TEST(PortableRoundTrip, EveryTargetFormatAtAwkwardWidths) {
    const std::size_t blocksBefore = PortableHeap::instance().liveBlocks();
    for (const FormatCase& format : kFormats) {
        for (std::int32_t width : kWidths) {
            const std::string what =
                "format " + std::to_string(format.portable) + " width " + std::to_string(width);
            const std::unique_ptr<Image> original =
                PaintedImage(width, format.target, std::uint32_t(width));
            PortableMultiImagePtr first = ImageToPortable(*original);
            const MultiImageView view = CheckMultiImage(first.get());
            ASSERT_EQ(first->format, format.portable) << what;
            for (std::int32_t i = 0; i < view.count; ++i)
                ExpectPackedRows(view.frames[i], FormatBits(view.frames[i]->format), what);

            const std::unique_ptr<Image> imported = PortableToImage(first.get());
            EXPECT_EQ(imported->targetFormat(), format.target) << what;
            EXPECT_EQ(imported->horizontalResolution(), 2835.0f) << what;
            EXPECT_EQ(imported->verticalResolution(), 1000.0f) << what;
            EXPECT_EQ(imported->paletteLocked(), IsPaletteFormat(format.target)) << what;
            if (format.target == TargetFormat::Rgba32)
                ExpectSameLayers(*original, *imported, what);
            else
                test::ExpectSamePixels(*original->targetPreview(), *imported->targetPreview(),
                                       what);
        }
    }
    EXPECT_EQ(PortableHeap::instance().liveBlocks(), blocksBefore);
}

TEST(PortableExport, ProjectDocumentLeavesOutImagesNotForExport) {
    Project project;
    Image* first = project.addImage(test::MakeImage(4, 4, 1, 1));
    Image* hidden = project.addImage(test::MakeImage(5, 5, 1, 2));
    Image* third = project.addImage(test::MakeImage(6, 6, 1, 3));
    hidden->setForExport(false);
    project.setCurrentImage(third);
    PortableDocumentPtr document = BuildProjectDocument(project);
    const DocumentView view = CheckDocument(document.get());
    ASSERT_EQ(view.count, 2);
    EXPECT_EQ(view.images[0]->width, first->width());
    EXPECT_EQ(view.images[0]->flags, 0u);
    EXPECT_EQ(view.images[1]->width, third->width());
    EXPECT_EQ(view.images[1]->flags, KVX_MULTI_IMAGE_CURRENT);
}

} // namespace
} // namespace kv
