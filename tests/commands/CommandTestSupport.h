#pragma once
// A scripted stand-in for the user and the main window, a format library
// that tests control, and a fixture with settings, a temporary home and no
// open project.
#include "commands/formats/FormatLibrary.h"
#include "commands/host/CommandHost.h"
#include "editing/ActionTestSupport.h"
#include "model/Project.h"
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

struct AskRecord {
    MessageButtons buttons;
    MessageIcon icon;
    std::string title;
    std::string text;
    MessageResult defaultResult;
};

class FakeCommandHost final : public CommandHost {
  public:
    MessageResult ask(MessageButtons buttons, MessageIcon icon, const std::string& title,
                      const std::string& text, MessageResult defaultResult) override;
    void reportError(const std::string& text) override { errors.push_back(text); }
    void beep() override { ++beeps; }
    std::optional<FileChoice> chooseFile(const FileDialogRequest& request) override;
    bool runDialog(DialogValues& values) override;
    void refresh(RefreshScope scope) override { ++refreshes[scope]; }
    void setWaitCursor(bool waiting) override;
    ChannelMode channelMode() const override { return mode; }
    ImagePoint viewCentre() const override { return centre; }
    bool putOnClipboard(ClipPicture picture) override;
    bool clipboardHasData() const override { return held.has_value() || external != nullptr; }
    ClipboardData readClipboard() override;

    // Answers in order; the box's default once they run out.
    std::deque<MessageResult> answers;
    std::vector<AskRecord> asked;
    std::vector<std::string> errors;
    int beeps = 0;
    // Choices in order; a cancel once they run out.
    std::deque<std::optional<FileChoice>> files;
    std::vector<FileDialogRequest> fileRequests;
    // Confirms or cancels each dialog (null: cancel); every dialog is kept.
    std::function<bool(DialogValues&)> dialog;
    std::vector<DialogValues> dialogs;
    std::map<RefreshScope, int> refreshes;
    int waitDepth = 0;
    int waitCursors = 0;
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
    FileFormat identify(const std::string& path) override;
    std::vector<FileTypeInfo> importTypes() override { return importable; }
    std::unique_ptr<Project> importFile(const std::string& path, std::string& message) override;
    std::vector<FileTypeInfo> exportTypes(const Project& project, const Image* image) override;
    bool exportProject(const std::string& path, const FileTypeInfo& type, const Project& project,
                       std::string& message) override;
    bool exportImage(const std::string& path, const FileTypeInfo& type, const Image& image,
                     std::string& message) override;

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
        FileTypeInfo type;
        std::int32_t images = 0;
        bool image = false;
    };
    std::vector<Export> exported;
};

FileTypeInfo PngType();
FileTypeInfo IcoType();

// A project of `count` images (w x h, one filled layer each), the first current.
std::unique_ptr<Project> MakeProject(int count, std::int32_t w = 8, std::int32_t h = 6);

// Selects the rectangle (image pixels) and nothing else, as a tool would.
void SelectRect(Image& image, const Rect& rect);
// The label of the action Undo would take back, or "".
std::string UndoLabel(Image& image);

class CommandTest : public ::testing::Test {
  protected:
    CommandTest();
    ~CommandTest() override;

    // Opens a project as the open one; returns it.
    Project& openProject(std::unique_ptr<Project> project);
    Project* project() const { return CurrentProject(); }
    Image& image() const { return *CurrentProject()->currentImage(); }
    // A project file written into the temporary folder.
    std::string writeProjectFile(const std::string& name, const Project& project);
    FileChoice choose(const std::string& name, std::size_t filter = 0) const {
        return {dir.file(name), filter};
    }

    TempDir dir;
    CapturingReporter reporter;
    FakeCommandHost host;
    FakeFormatLibrary formats;
};

} // namespace kv::test
