#include "storage/project/ProjectFile.h"

#include "platform/Exceptions.h"
#include "storage/chunks/ChunkWriter.h"
#include "storage/project/ProjectReader.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {
namespace {

// Flushes a written file to the disk so that the rename cannot publish a
// file whose contents are still only in memory.
bool SyncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// Reserves a fresh name next to the target.
std::string CreateTemporaryBeside(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string name = folder + ".kvp-save-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return {};
    ::close(fd);
    return name;
}

// The new file gets the old one's permissions, or the usual ones for a new file.
void CopyPermissions(const std::string& target, const std::string& temporary) {
    struct stat info {};
    mode_t mode;
    if (::stat(target.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::chmod(temporary.c_str(), mode);
}

} // namespace

std::unique_ptr<Project> ReadProjectFile(const std::string& path, bool relaxed,
                                         ProjectFileResult& result) {
    result = {};
    try {
        std::unique_ptr<ProjectReader> reader(new (std::nothrow) ProjectReader(relaxed));
        if (!reader) {
            result.message = "Cannot read project: insufficient memory";
            return nullptr;
        }
        std::unique_ptr<Project> project = reader->readFile(path);
        result.ok = true;
        return project;
    } catch (const CKVException& e) {
        result.message = e.message();
    } catch (...) {
        result.message = "Error while reading the project file";
    }
    return nullptr;
}

ProjectFileResult WriteProjectFile(const std::string& path, const Project& project,
                                   const ProjectWriterOptions& options) {
    ProjectFileResult result;
    std::unique_ptr<ProjectWriter> projectWriter(new (std::nothrow) ProjectWriter(options));
    if (!projectWriter) {
        result.message = "Cannot write project: insufficient memory";
        return result;
    }
    const std::string temporary = CreateTemporaryBeside(path);
    if (temporary.empty()) {
        result.message = "Cannot create the file " + path;
        return result;
    }
    try {
        ChunkWriter writer;
        writer.errors().setThrowOnError(true);
        writer.create(temporary);
        projectWriter->write(writer, project);
        writer.close();
        if (!SyncFile(temporary)) throw CKVException("Cannot write the file " + path);
        CopyPermissions(path, temporary);
        if (std::rename(temporary.c_str(), path.c_str()) != 0)
            throw CKVException("Cannot replace the file " + path);
        result.ok = true;
        return result;
    } catch (const CKVException& e) {
        result.message = e.message();
    } catch (...) {
        result.message = "Error while writing the project file";
    }
    std::remove(temporary.c_str());
    return result;
}

} // namespace kv
