#include "ExternalTools.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <sys/wait.h>

namespace kv::test {
namespace {

std::string Quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string ReadText(const std::string& path) {
    const Bytes b = ReadBytes(path);
    return std::string(b.begin(), b.end());
}

} // namespace

ToolRun RunTool(const TempDir& folder, const std::string& program,
                const std::vector<std::string>& arguments) {
    std::string command = Quoted(program);
    for (const std::string& a : arguments)
        command += " " + Quoted(a);
    const std::string out = folder.file("tool.out"), err = folder.file("tool.err");
    command += " >" + Quoted(out) + " 2>" + Quoted(err) + " </dev/null";
    ToolRun run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadText(out);
    run.err = ReadText(err);
    return run;
}

PixelArray MagickPixels(const TempDir& folder, const std::string& file, int index) {
    const std::string source = index < 0 ? file : file + "[" + std::to_string(index) + "]";
    const ToolRun size = RunTool(folder, kIdentify, {"-format", "%w %h", source});
    std::int32_t width = 0, height = 0;
    std::istringstream(size.out) >> width >> height;
    EXPECT_EQ(size.status, 0) << source << ": " << size.err;
    const std::string raw = folder.file("magick.rgba");
    const ToolRun run = RunTool(folder, kConvert, {source, "-depth", "8", "RGBA:" + raw});
    EXPECT_EQ(run.status, 0) << source << ": " << run.err;
    const Bytes bytes = ReadBytes(raw);
    PixelArray pixels;
    if (width <= 0 || height <= 0 || bytes.size() != std::size_t(width) * std::size_t(height) * 4) {
        ADD_FAILURE() << source << ": ImageMagick gave " << bytes.size() << " bytes for " << width
                      << " x " << height;
        return pixels;
    }
    pixels.setSize(width, height);
    for (std::size_t i = 0; i < pixels.pixelCount(); ++i)
        pixels.data()[i] =
            MakeColor32(bytes[4 * i], bytes[4 * i + 1], bytes[4 * i + 2], bytes[4 * i + 3]);
    return pixels;
}

PixelArray Opaque(const PixelArray& pixels) {
    PixelArray out;
    out.assign(pixels);
    for (std::size_t i = 0; i < out.pixelCount(); ++i)
        out.data()[i] = WithAlpha(out.data()[i], 255);
    return out;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

} // namespace kv::test
