#pragma once
// A scripted stand-in for the user and the main window, a format library
// that tests control, and a fixture with settings, a temporary home and no
// open project.
#include "commands/formats/FormatLibrary.h"
#include "commands/host/CommandHost.h"
#include "editing/ActionTestSupport.h"
#include "editing/records/LayerSnapshot.h"
#include "editing/records/SelectionSnapshot.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "storage/project/ProjectFile.h"
#include "support/CapturingReporter.h"
#include "support/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kv::test {

// The next scripted value, or `otherwise` once the script has run out.
template <typename T> T Next(std::deque<T>& script, T otherwise) {
    if (script.empty()) return otherwise;
    T value = std::move(script.front());
    script.pop_front();
    return value;
}

class FakeCommandHost final : public CommandHost {
  public:
    MessageResult ask(MessageButtons buttons, MessageIcon, const std::string&, const std::string&,
                      MessageResult defaultResult) override {
        asked.push_back(buttons);
        return Next(answers, defaultResult);
    }
    void reportError(const std::string& text) override { errors.push_back(text); }
    void beep() override {}
    std::optional<FileChoice> chooseFile(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        return Next(files, std::optional<FileChoice>());
    }
    bool runDialog(DialogValues& values) override { return dialog && dialog(values); }
    void refresh(RefreshScope scope) override { ++refreshes[scope]; }
    void setWaitCursor(bool waiting) override { waitDepth += waiting ? 1 : -1; }
    ChannelMode channelMode() const override { return mode; }
    ImagePoint viewCentre() const override { return centre; }
    bool putOnClipboard(ClipPicture picture) override {
        if (clipboardRefuses) return false;
        held = std::move(picture);
        external = nullptr;
        return true;
    }
    bool clipboardHasData() const override { return held.has_value() || external != nullptr; }
    ClipboardData readClipboard() override {
        if (!held) return external ? external() : ClipboardData{};
        ClipboardData data;
        PastePicture picture;
        if (ReadClipPicture(*held, picture)) data.picture = std::move(picture);
        return data;
    }

    // Answers in order; the box's default once they run out.
    std::deque<MessageResult> answers;
    std::vector<MessageButtons> asked;
    std::vector<std::string> errors;
    // Choices in order; a cancel once they run out.
    std::deque<std::optional<FileChoice>> files;
    std::vector<FileDialogRequest> fileRequests;
    // Confirms or cancels each dialog (null: cancel).
    std::function<bool(DialogValues&)> dialog;
    std::map<RefreshScope, int> refreshes;
    int waitDepth = 0;
    ChannelMode mode = ChannelMode::Normal;
    ImagePoint centre;
    // What a copy put on the clipboard, or what another program offers.
    std::optional<ClipPicture> held;
    std::function<ClipboardData()> external;
    bool clipboardRefuses = false;
};

// Identifies files by their extension; imports return a ready project.
class FakeFormatLibrary final : public FormatLibrary {
  public:
    FileFormat identify(const std::string& path) override {
        if (thrower) thrower();
        const std::string extension = path.substr(path.rfind('.') + 1);
        if (extension == "kvp") return FileFormat::Project;
        for (const FileTypeInfo& type : importable)
            for (const std::string& e : type.extensions)
                if (e == extension) return FileFormat::Importable;
        return FileFormat::Unknown;
    }
    std::vector<FileTypeInfo> importTypes() override { return importable; }
    std::unique_ptr<Project> importFile(const std::string& path, std::string& message) override {
        if (thrower) thrower();
        imported.push_back(path);
        std::unique_ptr<Project> project = makeImport ? makeImport() : nullptr;
        if (!project) message = failureMessage;
        return project;
    }
    std::vector<FileTypeInfo> exportTypes(const Project&, const Image*) override {
        if (thrower) thrower();
        return exportable;
    }
    bool exportProject(const std::string& path, const FileTypeInfo&, const Project& project,
                       std::string& message) override {
        return record({path, project.imageCount()}, message);
    }
    bool exportImage(const std::string& path, const FileTypeInfo&, const Image&,
                     std::string& message) override {
        return record({path, 1}, message);
    }

    std::vector<FileTypeInfo> importable;
    std::vector<FileTypeInfo> exportable;
    // Builds the project an import returns (null: the import fails).
    std::function<std::unique_ptr<Project>()> makeImport;
    std::string failureMessage;
    // Thrown from every call when set.
    std::function<void()> thrower;
    std::vector<std::string> imported;
    struct Export {
        std::string path;
        std::int32_t images = 0;
    };
    std::vector<Export> exported;

  private:
    bool record(Export e, std::string& message) {
        if (thrower) thrower();
        exported.push_back(std::move(e));
        message = failureMessage;
        return failureMessage.empty();
    }
};

inline FileTypeInfo PngType() {
    return {"PNG plug-in", 7, "Portable Network Graphics", {"png"}};
}
inline FileTypeInfo IcoType() {
    return {"Icon plug-in", 2, "Windows icon", {"ico", "cur"}};
}

// A project of `count` images (w x h, one filled layer each), the first current.
inline std::unique_ptr<Project> MakeProject(int count, std::int32_t w = 8, std::int32_t h = 6) {
    auto project = std::make_unique<Project>();
    for (int i = 0; i < count; ++i)
        project->addImage(MakeImage(w, h, MakeColor32(10 * i, 20, 30, 255)));
    project->setCurrentImage(project->firstImage());
    project->markSaved();
    return project;
}

// Selects the rectangle (image pixels) and nothing else, as a tool would.
inline void SelectRect(Image& image, const Rect& r) {
    Selection& selection = *image.selection();
    const int s = selection.supersampled() ? 3 : 0;
    selection.editableMask().fill(0);
    selection.editableMask().fillRect({r.left << s, r.top << s, r.right << s, r.bottom << s}, 255);
    selection.refreshFromDetail(nullptr);
    selection.setActive(true);
    CommitSnapshots(image);
}

// The label of the action Undo would take back, or "".
inline std::string UndoLabel(Image& image) {
    const Action* action = ManagerOf(image).undoCursor();
    return action ? action->label() : std::string();
}

class CommandTest : public ::testing::Test {
  protected:
    CommandTest() {
        InstallActionManagers();
        CreateSettings();
        SetCurrentProject(nullptr);
    }
    ~CommandTest() override {
        SetCurrentProject(nullptr);
        LayerSnapshot::instance().release();
        SelectionSnapshot::instance().release();
        DestroySettings();
    }

    // Opens a project as the open one; returns it.
    Project& openProject(std::unique_ptr<Project> project) {
        SetCurrentProject(std::move(project));
        CommitSnapshots(*CurrentProject()->currentImage());
        return *CurrentProject();
    }
    Project* project() const { return CurrentProject(); }
    Image& image() const { return *CurrentProject()->currentImage(); }
    // A project file written into the temporary folder.
    std::string writeProjectFile(const std::string& name, const Project& project) {
        const std::string path = dir.file(name);
        EXPECT_TRUE(WriteProjectFile(path, project, {}).ok);
        return path;
    }
    FileChoice choose(const std::string& name, std::size_t filter = 0) const {
        return {dir.file(name), filter};
    }

    TempDir dir;
    CapturingReporter reporter;
    FakeCommandHost host;
    FakeFormatLibrary formats;
};

} // namespace kv::test
