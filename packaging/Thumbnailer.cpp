// The desktop's thumbnailer for projects (and for any file a plug-in can
// preview): writes the file's preview picture, fitted to SIZE, as a PNG.
//   korvane-thumbnailer INPUT OUTPUT.png SIZE
#include "platform/ProcessValues.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/host/PluginHost.h"
#include "plugins/preview/DialogPreview.h"
#include "storage/pictures/PngEncoder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string ExecutableFolder() {
    std::string path;
    if (!kv::ReadExecutablePath(path)) return {};
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

int main(int argc, char** argv) {
    const int size = argc == 4 ? std::atoi(argv[3]) : 0;
    if (size <= 0 || size > 1024) {
        std::fprintf(stderr, "usage: %s INPUT OUTPUT.png SIZE (1 to 1024)\n", argv[0]);
        return 2;
    }
    kv::PluginHost host;
    host.start(ExecutableFolder());
    const kv::FileTypeChoice choice = kv::ChooseFileType(host, argv[1], true, 0);
    kv::PixelArray picture;
    if (!choice.entry || !choice.preview ||
        !kv::FitPreviewPicture(choice.preview.get(), size, picture))
        return 1;
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << kv::EncodePng(picture.data(), picture.width(), picture.height());
    return out.good() ? 0 : 1;
}
