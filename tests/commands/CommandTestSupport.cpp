#include "CommandTestSupport.h"

#include "editing/records/LayerSnapshot.h"
#include "editing/records/SelectionSnapshot.h"
#include "settings/Settings.h"
#include "storage/project/ProjectFile.h"

namespace kv::test {

MessageResult FakeCommandHost::ask(MessageButtons buttons, MessageIcon icon,
                                   const std::string& title, const std::string& text,
                                   MessageResult defaultResult) {
    asked.push_back({buttons, icon, title, text, defaultResult});
    if (answers.empty()) return defaultResult;
    const MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<FileChoice> FakeCommandHost::chooseFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (files.empty()) return std::nullopt;
    std::optional<FileChoice> choice = files.front();
    files.pop_front();
    return choice;
}

bool FakeCommandHost::runDialog(DialogValues& values) {
    const bool confirmed = dialog && dialog(values);
    dialogs.push_back(values);
    return confirmed;
}

void FakeCommandHost::setWaitCursor(bool waiting) {
    waitDepth += waiting ? 1 : -1;
    if (waiting) ++waitCursors;
}

bool FakeCommandHost::putOnClipboard(ClipPicture picture) {
    if (clipboardRefuses) return false;
    held = std::move(picture);
    external = nullptr;
    return true;
}

ClipboardData FakeCommandHost::readClipboard() {
    if (held) {
        ClipboardData data;
        PastePicture picture;
        if (ReadClipPicture(*held, picture)) data.picture = std::move(picture);
        return data;
    }
    return external ? external() : ClipboardData{};
}

FileFormat FakeFormatLibrary::identify(const std::string& path) {
    if (thrower) thrower();
    const std::string extension = path.substr(path.rfind('.') + 1);
    if (extension == "kvp") return FileFormat::Project;
    for (const FileTypeInfo& type : importable)
        for (const std::string& e : type.extensions)
            if (e == extension) return FileFormat::Importable;
    return FileFormat::Unknown;
}

std::unique_ptr<Project> FakeFormatLibrary::importFile(const std::string& path,
                                                       std::string& message) {
    if (thrower) thrower();
    imported.push_back(path);
    std::unique_ptr<Project> project = makeImport ? makeImport() : nullptr;
    if (!project) message = failureMessage;
    return project;
}

std::vector<FileTypeInfo> FakeFormatLibrary::exportTypes(const Project&, const Image*) {
    if (thrower) thrower();
    return exportable;
}

bool FakeFormatLibrary::exportProject(const std::string& path, const FileTypeInfo& type,
                                      const Project& project, std::string& message) {
    if (thrower) thrower();
    exported.push_back({path, type, project.imageCount(), false});
    message = failureMessage;
    return failureMessage.empty();
}

bool FakeFormatLibrary::exportImage(const std::string& path, const FileTypeInfo& type, const Image&,
                                    std::string& message) {
    if (thrower) thrower();
    exported.push_back({path, type, 1, true});
    message = failureMessage;
    return failureMessage.empty();
}

FileTypeInfo PngType() {
    return {"PNG plug-in", 7, "Portable Network Graphics", {"png"}};
}

FileTypeInfo IcoType() {
    return {"Icon plug-in", 2, "Windows icon", {"ico", "cur"}};
}

std::unique_ptr<Project> MakeProject(int count, std::int32_t w, std::int32_t h) {
    auto project = std::make_unique<Project>();
    for (int i = 0; i < count; ++i)
        project->addImage(MakeImage(w, h, MakeColor32(10 * i, 20, 30, 255)));
    project->setCurrentImage(project->firstImage());
    project->markSaved();
    return project;
}

void SelectRect(Image& image, const Rect& rect) {
    Selection& selection = *image.selection();
    const int shift = selection.supersampled() ? 3 : 0;
    selection.editableMask().fill(0);
    selection.editableMask().fillRect(
        {rect.left << shift, rect.top << shift, rect.right << shift, rect.bottom << shift}, 255);
    selection.refreshFromDetail(nullptr);
    selection.setActive(true);
    CommitSnapshots(image);
}

std::string UndoLabel(Image& image) {
    const Action* action = ManagerOf(image).undoCursor();
    return action ? action->label() : std::string();
}

CommandTest::CommandTest() {
    InstallActionManagers();
    CreateSettings();
    SetCurrentProject(nullptr);
}

CommandTest::~CommandTest() {
    SetCurrentProject(nullptr);
    LayerSnapshot::instance().release();
    SelectionSnapshot::instance().release();
    DestroySettings();
}

Project& CommandTest::openProject(std::unique_ptr<Project> project) {
    SetCurrentProject(std::move(project));
    CommitSnapshots(*CurrentProject()->currentImage());
    return *CurrentProject();
}

std::string CommandTest::writeProjectFile(const std::string& name, const Project& project) {
    const std::string path = dir.file(name);
    EXPECT_TRUE(WriteProjectFile(path, project, {}).ok);
    return path;
}

} // namespace kv::test
