#include "storage/project/ProjectFile.h"

#include "platform/Exceptions.h"
#include "platform/ReplacingFile.h"
#include "storage/chunks/ChunkWriter.h"
#include "storage/project/ProjectReader.h"

#include <new>

namespace kv {

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
    try {
        // Declared first so that it outlives the writer that has its
        // temporary file open.
        ReplacingFile file(path);
        ChunkWriter writer;
        writer.errors().setThrowOnError(true);
        writer.create(file.temporaryPath());
        projectWriter->write(writer, project);
        writer.close();
        file.commit();
        result.ok = true;
    } catch (const CKVException& e) {
        result.message = e.message();
    } catch (...) {
        result.message = "Error while writing the project file";
    }
    return result;
}

} // namespace kv
