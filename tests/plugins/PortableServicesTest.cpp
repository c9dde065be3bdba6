// The host services as a plug-in sees them: looked up by id, called through
// plain function pointers, failures told by the thread's service error.
#include "PluginTestSupport.h"
#include "model/Blending.h"
#include "plugins/portable/PortableChecks.h"
#include "plugins/portable/PortableHeap.h"
#include "plugins/services/ServiceProc.h"
#include "settings/Settings.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>
#include <thread>

namespace kv {
namespace {

template <typename F> F Service(std::uint32_t id) {
    return reinterpret_cast<F>(KorvaneServiceProc(id));
}

std::uint32_t ServiceError() {
    return Service<KVXGetServiceErrorFn>(KVX_SC_GET_LAST_ERROR)();
}

PortableImage ImageHeader(std::uint32_t format, std::int32_t width, std::int32_t height) {
    PortableImage header{};
    header.size = KVX_IMAGE_HEADER_SIZE;
    header.frameType = KVX_FRAME_IMAGE;
    header.format = format;
    header.width = width;
    header.height = height;
    header.opacity = 1.0f;
    return header;
}

PortableImage* NewImage(std::uint32_t format, std::int32_t width, std::int32_t height) {
    const PortableImage header = ImageHeader(format, width, height);
    return Service<KVXCreateImageFn>(KVX_SC_CREATE_IMAGE)(&header);
}

Color32* Pixels32(PortableImage* image) {
    return reinterpret_cast<Color32*>(KVXImagePixels(image));
}

void FreeImage(PortableImage* image) {
    Service<KVXFreeImageFn>(KVX_SC_FREE_IMAGE)(image);
}

PortablePalette* NewPalette(const std::vector<Color32>& colors) {
    const PortablePalette header{KVX_PALETTE_HEADER_SIZE, KVX_PALETTE_TYPE, 0,
                                 std::int32_t(colors.size())};
    PortablePalette* palette = Service<KVXCreatePaletteFn>(KVX_SC_CREATE_PALETTE)(&header);
    for (std::size_t i = 0; i < colors.size(); ++i)
        KVXPaletteEntries(palette)[i] = {AlphaOf(colors[i]), RedOf(colors[i]), GreenOf(colors[i]),
                                         BlueOf(colors[i])};
    return palette;
}

std::size_t PixelBlockSize(PortableImage* image) {
    return PortableHeap::instance().sizeOf(KVXImagePixels(image), PortableBlock::Pixels);
}

TEST(HostServices, UnknownIdsAreReportedWithTheirNumber) {
    test::TempXdgHome home;
    CreateSettings().colorSetting("UI.Colors.Chequer.B").setValue(MakeColor32(1, 2, 3, 4));
    const auto option = Service<KVXGetOptionFn>(KVX_SC_GET_OPTION);
    const auto metric = Service<KVXGetMetricFn>(KVX_SC_GET_METRIC);
    const auto color = Service<KVXGetColorFn>(KVX_SC_GET_COLOR);
    const struct {
        std::uint32_t (*call)(std::uint32_t);
        std::uint32_t id, answer, code;
        const char* message;
    } cases[] = {
        {option, 7, 0, 3, "Unknown option (OID=7)"}, // one message of the family
        {metric, 0x2000, 0, 3, nullptr},
        {color, 0x1001, MakeColor32(1, 2, 3, 4), 0, nullptr}, // the user's setting
    };
    for (const auto& c : cases) {
        test::CapturingReporter reporter;
        EXPECT_EQ(c.call(c.id), c.answer) << c.id;
        EXPECT_EQ(ServiceError(), c.code) << c.id;
        EXPECT_EQ(reporter.messages.size(), c.code ? 1u : 0u) << c.id;
        if (c.message) {
            EXPECT_EQ(reporter.messages, std::vector<std::string>{c.message});
        }
    }
    DestroySettings();
    test::CapturingReporter reporter;
    EXPECT_EQ(Service<KVXPlaceholderFn>(KVX_SC_PLACEHOLDER)(1, 2, 3), 0u);
    EXPECT_EQ(ServiceError(), KVX_ERROR_PLUGIN);
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"SC is under construction"});
    EXPECT_FALSE(KorvaneServiceProc(0x1234));
    EXPECT_EQ(reporter.messages.back(), "Unsupported service call (SCID=4660)");
}

TEST(HostServices, CreateSizesBlocksFromTheTemplate) {
    const std::size_t before = PortableHeap::instance().liveBlocks();
    PortableImage* mono = NewImage(KVX_FORMAT_1BPP, 9, 3);
    ASSERT_TRUE(mono);
    EXPECT_EQ(PixelBlockSize(mono), 6u); // two bytes a row
    PortableImage* empty = NewImage(KVX_FORMAT_24BPP, 0, 5);
    ASSERT_TRUE(empty);
    EXPECT_FALSE(KVXImagePixels(empty));

    const FileTypeDescriptor typeHeader{KVX_FILE_TYPE_HEADER_SIZE, 3, 0, "Type", 2};
    FileTypeDescriptor* type = Service<KVXCreateFileTypeFn>(KVX_SC_CREATE_FILE_TYPE)(&typeHeader);
    ASSERT_TRUE(type);
    EXPECT_EQ(PortableHeap::instance().sizeOf(type, PortableBlock::FileType), 272u + 2 * 260u);
    EXPECT_STREQ(type->name, "Type");
    EXPECT_EQ(KVXFileTypeExtensions(type)[1].extension[0], '\0');

    PortableImage shortHeader = ImageHeader(KVX_FORMAT_32BPP, 1, 1);
    shortHeader.size = 300;
    PortableImage huge = ImageHeader(KVX_FORMAT_32BPP, 1 << 30, 4);
    const auto create = Service<KVXCreateImageFn>(KVX_SC_CREATE_IMAGE);
    EXPECT_FALSE(create(&shortHeader));
    EXPECT_EQ(ServiceError(), KVX_ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(create(&huge));
    EXPECT_EQ(ServiceError(), KVX_ERROR_OUT_OF_MEMORY);

    FreeImage(mono);
    FreeImage(empty);
    Service<KVXFreeFileTypeFn>(KVX_SC_FREE_FILE_TYPE)(type);
    EXPECT_EQ(PortableHeap::instance().liveBlocks(), before);
}

TEST(HostServices, FreeingRefusesWhatTheHostDidNotAllocate) {
    PortableImage foreign = ImageHeader(KVX_FORMAT_32BPP, 2, 2);
    FreeImage(&foreign);
    EXPECT_EQ(ServiceError(), KVX_ERROR_INVALID_PARAMETER);
    PortableImage* image = NewImage(KVX_FORMAT_32BPP, 2, 2);
    FreeImage(image);
    EXPECT_EQ(ServiceError(), KVX_ERROR_NONE);
    FreeImage(image); // twice
    EXPECT_EQ(ServiceError(), KVX_ERROR_INVALID_PARAMETER);
    FreeImage(nullptr);
    EXPECT_EQ(ServiceError(), KVX_ERROR_NONE);
    PortablePalette* palette = NewPalette({0});
    Service<KVXFreeImageFn>(KVX_SC_FREE_IMAGE)(reinterpret_cast<PortableImage*>(palette));
    EXPECT_EQ(ServiceError(), KVX_ERROR_INVALID_PARAMETER);
    Service<KVXFreePaletteFn>(KVX_SC_FREE_PALETTE)(palette);
    EXPECT_EQ(ServiceError(), KVX_ERROR_NONE);
}

TEST(HostServices, ImagesAboveSixteenBitsMustNotCarryAPalette) {
    PortableImage* rgb = NewImage(KVX_FORMAT_24BPP, 2, 2);
    rgb->palette = NewPalette({0, 0});
    EXPECT_FALSE(Service<KVXCloneImageFn>(KVX_SC_CLONE_IMAGE)(rgb));
    EXPECT_EQ(ServiceError(), KVX_ERROR_INVALID_DATA);
    FreeImage(rgb);
}

TEST(HostServices, FlatteningBlendsVisibleFramesAndAppliesMasks) {
    const PortableMultiImage header{
        KVX_MULTI_IMAGE_HEADER_SIZE, 1, KVX_FORMAT_32BPP, 2, 4, 2, 100.0f, 200.0f, 4, 0};
    PortableMultiImage* multi = Service<KVXCreateMultiImageFn>(KVX_SC_CREATE_MULTI_IMAGE)(&header);
    PortableImage** frames = KVXMultiImageFrames(multi);
    const Color32 red = MakeColor32(255, 0, 0, 255), green = MakeColor32(0, 255, 0, 255);
    const Color32 blue = MakeColor32(0, 0, 255, 128);
    frames[0] = NewImage(KVX_FORMAT_32BPP, 4, 2);
    frames[0]->opacity = 0.5f;
    std::fill(Pixels32(frames[0]), Pixels32(frames[0]) + 8, red);
    frames[1] = NewImage(KVX_FORMAT_32BPP, 4, 2);
    frames[1]->flags = KVX_FRAME_HIDDEN;
    std::fill(Pixels32(frames[1]), Pixels32(frames[1]) + 8, green);
    frames[2] = NewImage(KVX_FORMAT_32BPP, 2, 2);
    frames[2]->left = 2;
    std::fill(Pixels32(frames[2]), Pixels32(frames[2]) + 4, blue);
    frames[3] = NewImage(KVX_FORMAT_1BPP, 4, 2);
    frames[3]->frameType = KVX_FRAME_MASK;
    KVXImagePixels(frames[3])[0] = 0xF0;
    KVXImagePixels(frames[3])[1] = 0x70; // clears (0, 1)

    PortableMultiImage* flat =
        Service<KVXFlattenMultiImageFn>(KVX_SC_FLATTEN_MULTI_IMAGE)(multi, 1);
    ASSERT_TRUE(flat);
    EXPECT_EQ(PortableHeap::instance().sizeOf(multi, PortableBlock::MultiImage), 0u) << "freed";
    EXPECT_EQ(flat->frameCount, 1);
    EXPECT_EQ(flat->resolutionY, 200.0f);
    PortableImage* picture = KVXMultiImageFrames(flat)[0];
    ASSERT_EQ(picture->format, KVX_FORMAT_32BPP);
    const Color32 halfRed = WithAlpha(red, 128);
    const Color32 mixed = BlendOverPixel(halfRed, blue, kOpacityOne);
    const std::vector<Color32> expected = {halfRed,           halfRed, mixed, mixed,
                                           WithAlpha(red, 0), halfRed, mixed, mixed};
    EXPECT_EQ(std::vector<Color32>(Pixels32(picture), Pixels32(picture) + 8), expected);
    Service<KVXFreeMultiImageFn>(KVX_SC_FREE_MULTI_IMAGE)(flat);
}

TEST(HostServices, TheServiceErrorBelongsToTheCallingThread) {
    EXPECT_FALSE(Service<KVXCloneImageFn>(KVX_SC_CLONE_IMAGE)(nullptr));
    ASSERT_EQ(ServiceError(), KVX_ERROR_INVALID_PARAMETER);
    std::uint32_t other = 99;
    std::thread([&] { other = ServiceError(); }).join();
    EXPECT_EQ(other, KVX_ERROR_NONE);
    EXPECT_EQ(ServiceError(), KVX_ERROR_INVALID_PARAMETER);
}

} // namespace
} // namespace kv
