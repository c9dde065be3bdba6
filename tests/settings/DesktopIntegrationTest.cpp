#include "settings/DesktopIntegration.h"
#include "settings/PngEncoder.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace kv {
namespace {

// Reads back the single fixed-code block our compressor writes, so the tests
// check the stream itself rather than trusting it.
class FixedInflater {
  public:
    explicit FixedInflater(std::string_view deflate) : m_in(deflate) {}

    bool run(std::string& out) {
        if (bits(1) != 1 || bits(2) != 1) return false;
        for (;;) {
            const int symbol = literal();
            if (symbol < 0 || m_pos > m_in.size() * 8) return false;
            if (symbol < 256) {
                out.push_back(static_cast<char>(symbol));
                continue;
            }
            if (symbol == 256) return true;
            const unsigned l = static_cast<unsigned>(symbol - 257);
            if (l > 28) return false;
            const unsigned length = l == 28 ? 258 : base(3, l, 8, 4) + bits(extra(l, 8, 4));
            const unsigned d = code(5);
            if (d > 29) return false;
            const unsigned distance = base(1, d, 4, 2) + bits(extra(d, 4, 2));
            if (distance > out.size()) return false;
            for (unsigned i = 0; i < length; ++i)
                out.push_back(out[out.size() - distance]);
        }
    }

  private:
    // Length and distance codes: the first `plain` have no extra bits, then
    // every `step` codes take one more.
    static unsigned extra(unsigned i, unsigned plain, unsigned step) {
        return i < plain ? 0 : (i - plain + step) / step;
    }
    static unsigned base(unsigned first, unsigned index, unsigned plain, unsigned step) {
        for (unsigned i = 0; i < index; ++i)
            first += 1u << extra(i, plain, step);
        return first;
    }
    unsigned bit() {
        const unsigned b = m_pos / 8 < m_in.size()
                               ? (static_cast<unsigned char>(m_in[m_pos / 8]) >> (m_pos % 8)) & 1
                               : 0;
        ++m_pos;
        return b;
    }
    unsigned bits(unsigned n) {
        unsigned v = 0;
        for (unsigned i = 0; i < n; ++i)
            v |= bit() << i;
        return v;
    }
    unsigned code(unsigned n) {
        unsigned v = 0;
        for (unsigned i = 0; i < n; ++i)
            v = v << 1 | bit();
        return v;
    }
    int literal() {
        unsigned v = code(7);
        if (v <= 23) return static_cast<int>(256 + v);
        v = v << 1 | bit();
        if (v >= 0x30 && v <= 0xBF) return static_cast<int>(v - 0x30);
        if (v >= 0xC0 && v <= 0xC7) return static_cast<int>(280 + v - 0xC0);
        v = v << 1 | bit();
        return v >= 0x190 && v <= 0x1FF ? static_cast<int>(144 + v - 0x190) : -1;
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
};

std::string Inflate(const std::string& zlib) {
    EXPECT_GE(zlib.size(), 6u);
    EXPECT_EQ(
        (static_cast<unsigned char>(zlib[0]) * 256 + static_cast<unsigned char>(zlib[1])) % 31, 0u);
    std::string out;
    EXPECT_TRUE(FixedInflater(std::string_view(zlib).substr(2, zlib.size() - 6)).run(out));
    std::uint32_t adler = 0;
    for (std::size_t i = zlib.size() - 4; i < zlib.size(); ++i)
        adler = adler << 8 | static_cast<unsigned char>(zlib[i]);
    EXPECT_EQ(adler, Adler32(out));
    return out;
}

std::uint32_t BigEndian(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

TEST(PngEncoder, ChecksumsMatchKnownValues) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Adler32("Wikipedia"), 0x11E60398u);
    EXPECT_EQ(Crc32(""), 0u);
    EXPECT_EQ(Adler32(""), 1u);
}

TEST(PngEncoder, CompressedDataComesBackExactly) {
    std::mt19937 random(7);
    std::string noise(70000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    std::string runs;
    for (int i = 0; i < 200; ++i)
        runs += std::string(static_cast<std::size_t>(i * 7 % 300), static_cast<char>(i));
    const std::string inputs[] = {"",
                                  "a",
                                  "abcabcabcabcabc",
                                  std::string(100000, 'z'),
                                  noise,
                                  runs,
                                  noise.substr(0, 40000) + noise.substr(0, 40000)};
    for (const std::string& input : inputs)
        EXPECT_EQ(Inflate(ZlibCompress(input)), input) << input.size();
    EXPECT_LT(ZlibCompress(std::string(100000, 'z')).size(), 1000u);
}

TEST(PngEncoder, WritesValidChunksAroundTheRows) {
    const std::vector<Color32> pixels = {
        MakeColor32(1, 2, 3, 4),     MakeColor32(255, 0, 128, 255), MakeColor32(9, 9, 9, 0),
        MakeColor32(10, 20, 30, 40), MakeColor32(50, 60, 70, 80),   MakeColor32(90, 100, 110, 120)};
    const std::string png = EncodePng(pixels.data(), 3, 2);
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    std::vector<std::string> types;
    std::string idat;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = BigEndian(png, at);
        ASSERT_LE(at + 12 + length, png.size());
        const std::string typeAndBody = png.substr(at + 4, 4 + length);
        EXPECT_EQ(BigEndian(png, at + 8 + length), Crc32(typeAndBody));
        types.push_back(typeAndBody.substr(0, 4));
        if (types.back() == "IHDR") {
            EXPECT_EQ(BigEndian(typeAndBody, 4), 3u);
            EXPECT_EQ(BigEndian(typeAndBody, 8), 2u);
            EXPECT_EQ(typeAndBody.substr(12), std::string("\x08\x06\x00\x00\x00", 5));
        }
        if (types.back() == "IDAT") idat += typeAndBody.substr(4);
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(Inflate(idat), std::string("\0\x01\x02\x03\x04\xFF\x00\x80\xFF\x09\x09\x09\x00"
                                         "\0\x0A\x14\x1E\x28\x32\x3C\x46\x50\x5A\x64\x6E\x78",
                                         26));
}

TEST(ShellIcons, EachIconIsItsOwnPictureAtEverySize) {
    for (std::int32_t size : kShellIconSizes) {
        std::set<std::vector<Color32>> drawn;
        for (ShellIcon icon :
             {ShellIcon::Application, ShellIcon::Plugin, ShellIcon::Project, ShellIcon::Colors}) {
            const std::vector<Color32> px = RenderShellIcon(icon, size);
            ASSERT_EQ(px.size(), static_cast<std::size_t>(size * size));
            EXPECT_EQ(AlphaOf(px[0]), 0u) << size; // rounded or cut corners stay clear
            EXPECT_EQ(AlphaOf(px[static_cast<std::size_t>(size / 2 * size + size / 2)]), 255u)
                << size;
            drawn.insert(px);
        }
        EXPECT_EQ(drawn.size(), 4u) << size;
    }
}

TEST(DesktopIntegration, ExecLinesQuoteEveryReservedCharacter) {
    const struct {
        const char* path;
        const char* quoted;
    } cases[] = {
        {"/usr/bin/korvane", "\"/usr/bin/korvane\""},
        {"/opt/my apps/korvane", "\"/opt/my apps/korvane\""},
        {"/a\"b", "\"/a\\\\\"b\""},
        {"/cost$/`x`", "\"/cost\\\\$/\\\\`x\\\\`\""},
        {"/back\\slash", "\"/back\\\\\\\\slash\""},
        {"/100%/k", "\"/100%%/k\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuoteForDesktopExec(c.path), c.quoted) << c.path;
}

TEST(DesktopIntegration, TheEntryAndPackageNameOurTypes) {
    const DesktopIntegration desktop("/d", "/opt/my apps/korvane");
    const std::string entry = desktop.desktopEntry();
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(entry.find("\nExec=\"/opt/my apps/korvane\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("\nMimeType=application/x-korvane-plugin;application/x-korvane-project;"
                         "application/x-korvane-colors;\n"),
              std::string::npos);
    const std::string xml = DesktopIntegration::mimePackage();
    for (const char* glob :
         {"<glob pattern=\"*.kvp\"/>", "<glob pattern=\"*.kvplugin\"/>",
          "<glob pattern=\"*.kvcolors\"/>", "type=\"application/x-korvane-project\"",
          "<icon name=\"application-x-korvane-colors\"/>"})
        EXPECT_NE(xml.find(glob), std::string::npos) << glob;
    EXPECT_EQ(desktop.iconPath(ShellIcon::Project, 48),
              "/d/icons/hicolor/48x48/mimetypes/application-x-korvane-project.png");
    EXPECT_EQ(desktop.iconPath(ShellIcon::Application, 16),
              "/d/icons/hicolor/16x16/apps/korvane.png");
}

} // namespace
} // namespace kv
