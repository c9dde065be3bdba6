#include "plugins/portable/PortableImport.h"
#include "PluginTestSupport.h"
#include "model/Layer.h"
#include "plugins/portable/PortableBlocks.h"
#include "plugins/portable/PortableChecks.h"
#include "plugins/portable/PortableError.h"
#include "plugins/portable/PortableHeap.h"
#include "support/CapturingReporter.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace kv {
namespace {

// A frame description for hand-built multi-images.
struct FrameRecipe {
    std::uint32_t frameType = KVX_FRAME_IMAGE;
    std::uint32_t format = KVX_FORMAT_32BPP;
    std::int32_t width = 2, height = 2, left = 0, top = 0;
    std::int32_t paletteEntries = -1; // -1: no palette
    std::uint32_t flags = 0;
    float opacity = 1.0f;
    std::uint8_t fill = 0xFF; // every pixel byte
};

PortableImage* MakeFrame(const FrameRecipe& recipe) {
    PortableImagePtr frame =
        NewPortableFrame(recipe.frameType, recipe.format, recipe.width, recipe.height, "frame");
    frame->left = recipe.left;
    frame->top = recipe.top;
    frame->flags = recipe.flags;
    frame->opacity = recipe.opacity;
    const ImageView view = CheckImage(frame.get());
    if (view.pixels)
        std::memset(view.pixels, recipe.fill, view.rowBytes * std::size_t(recipe.height));
    if (recipe.paletteEntries >= 0) {
        PortablePalette header{KVX_PALETTE_HEADER_SIZE, KVX_PALETTE_TYPE, 0, recipe.paletteEntries};
        frame->palette = CreatePortablePalette(header);
        for (std::int32_t i = 0; i < recipe.paletteEntries; ++i)
            KVXPaletteEntries(frame->palette)[i] = {255, std::uint32_t(10 * i), 20, 300};
    }
    return frame.release();
}

PortableMultiImagePtr MakeMultiImage(const std::vector<FrameRecipe>& frames, std::int32_t width = 3,
                                     std::int32_t height = 3) {
    PortableMultiImagePtr multi = NewPortableMultiImage(KVX_FORMAT_32BPP, width, height, NAN, -5.0f,
                                                        std::int32_t(frames.size()));
    for (std::size_t i = 0; i < frames.size(); ++i)
        KVXMultiImageFrames(multi.get())[i] = MakeFrame(frames[i]);
    return multi;
}

TEST(PortableImport, TheFramesProposeTheTargetFormat) {
    const FrameRecipe rgba, rgb{.format = KVX_FORMAT_24BPP};
    const FrameRecipe bits8{.format = KVX_FORMAT_8BPP},
        bits8Palette{.format = KVX_FORMAT_8BPP, .paletteEntries = 4};
    const FrameRecipe bits4Palette{.format = KVX_FORMAT_4BPP, .paletteEntries = 16};
    const FrameRecipe bits1Palette{.format = KVX_FORMAT_1BPP, .paletteEntries = 2};
    const FrameRecipe bits16{.format = 0x100000},
        bits1Mask{.frameType = KVX_FRAME_MASK, .format = KVX_FORMAT_1BPP};
    const struct {
        std::vector<FrameRecipe> frames;
        TargetFormat expected;
    } cases[] = {
        {{}, TargetFormat::Rgba32},
        {{bits8Palette}, TargetFormat::Palette8},
        {{bits8}, TargetFormat::Rgb24},
        {{bits4Palette, bits1Palette}, TargetFormat::Palette4},
        {{bits1Palette, bits1Mask}, TargetFormat::Mono}, // masks propose nothing
        {{bits8Palette, rgb}, TargetFormat::Rgb24},
        {{bits8Palette, rgba}, TargetFormat::Rgba32},
        {{bits16}, TargetFormat::Rgb24}, // proposes, though it cannot become a layer
    };
    test::CapturingReporter reporter;
    for (const auto& c : cases) {
        const std::unique_ptr<Image> image = PortableToImage(MakeMultiImage(c.frames).get());
        EXPECT_EQ(image->targetFormat(), c.expected) << c.frames.size() << " frames";
    }
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Layer conversion error"});
}

TEST(PortableImport, TheLastFramePaletteIsCopiedAndLocked) {
    const std::unique_ptr<Image> image =
        PortableToImage(MakeMultiImage({{.format = KVX_FORMAT_8BPP, .paletteEntries = 7},
                                        {.format = KVX_FORMAT_8BPP, .paletteEntries = 3}})
                            .get());
    ASSERT_TRUE(image->palette());
    EXPECT_TRUE(image->paletteLocked());
    ASSERT_EQ(image->palette()->count(), 3);
    // Components above 255 are cut to 255.
    EXPECT_EQ(image->palette()->entry(2).color(), MakeColor32(20, 20, 255, 255));
    // Index 0xFF lies past the palette: opaque black.
    EXPECT_EQ(image->bottomLayer()->pixels().get(0, 0), MakeColor32(0, 0, 0, 255));
}

TEST(PortableImport, FramesBecomeLayersWithTheirAttributes) {
    FrameRecipe hidden{.flags = KVX_FRAME_HIDDEN, .opacity = NAN};
    FrameRecipe current{.flags = KVX_FRAME_CURRENT, .opacity = 2.0f};
    FrameRecipe alsoCurrent{.flags = KVX_FRAME_CURRENT, .opacity = 0.25f};
    const std::unique_ptr<Image> image =
        PortableToImage(MakeMultiImage({hidden, current, alsoCurrent}).get());
    ASSERT_EQ(image->layerCount(), 3);
    EXPECT_FALSE(image->layerAt(1)->visible());
    EXPECT_EQ(image->layerAt(1)->opacity(), 1.0f);
    EXPECT_EQ(image->layerAt(2)->opacity(), 1.0f);
    EXPECT_EQ(image->layerAt(3)->opacity(), 0.25f);
    EXPECT_EQ(image->currentLayer(), image->layerAt(2));
    // Resolutions that make no sense fall back to 96 dpi.
    EXPECT_EQ(image->horizontalResolution(), kDefaultResolution);
    EXPECT_EQ(image->verticalResolution(), kDefaultResolution);
}

TEST(PortableImport, FramesArePlacedClippedAndMasksCutTheLayersBeforeThem) {
    // A 2 x 2 frame at (-1, 1), a mask with its left column cleared, then a
    // full layer that the mask must not touch.
    const FrameRecipe placed{.width = 2, .height = 2, .left = -1, .top = 1, .fill = 0x80};
    const FrameRecipe mask{.frameType = KVX_FRAME_MASK,
                           .format = KVX_FORMAT_1BPP,
                           .width = 3,
                           .height = 3,
                           .fill = 0x7F};
    const FrameRecipe after{.width = 3, .height = 3};
    test::CapturingReporter reporter;
    const std::unique_ptr<Image> image = PortableToImage(
        MakeMultiImage(
            {placed, mask, after, {.frameType = KVX_FRAME_MASK, .format = KVX_FORMAT_8BPP}})
            .get());
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Unsupported mask format"});
    ASSERT_EQ(image->layerCount(), 2);
    const PixelArray& first = image->layerAt(1)->pixels();
    const Color32 gray = 0x80808080u;
    const std::vector<Color32> expected = {0, 0, 0, WithAlpha(gray, 0), 0, 0, WithAlpha(gray, 0),
                                           0, 0};
    for (std::int32_t i = 0; i < 9; ++i)
        EXPECT_EQ(first.get(i % 3, i / 3), expected[std::size_t(i)]) << i;
    EXPECT_EQ(image->layerAt(2)->pixels().get(0, 0), 0xFFFFFFFFu);
}

TEST(PortableImport, UnusableStructuresAreRefused) {
    const auto code = [](auto&& run) {
        try {
            run();
        } catch (const PortableError& e) {
            return e.code();
        }
        return 0u;
    };
    PortableMultiImage onStack{
        KVX_MULTI_IMAGE_HEADER_SIZE, 1, KVX_FORMAT_32BPP, 0, 2, 2, 1.0f, 1.0f, 0, 0};
    EXPECT_EQ(code([&] { PortableToImage(&onStack); }), KVX_ERROR_INVALID_PARAMETER);
    PortableMultiImagePtr empty = MakeMultiImage({}, 0, 4);
    EXPECT_EQ(code([&] { PortableToImage(empty.get()); }), KVX_ERROR_INVALID_DATA);
    PortableMultiImagePtr claimsMore = MakeMultiImage({{}});
    claimsMore->frameCount = 2;
    EXPECT_EQ(code([&] { PortableToImage(claimsMore.get()); }), KVX_ERROR_INVALID_DATA);
    claimsMore->frameCount = 1;
}

} // namespace
} // namespace kv
