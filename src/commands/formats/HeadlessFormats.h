#pragma once
// The command line's view of the file types: there a file's name says what
// it is, so types are found by extension, and failures are collected as text
// for standard error instead of boxes.
#include "platform/ErrorReporter.h"

#include <string>
#include <vector>

struct PortableDocument; // kvx.h

namespace kv {

struct FileTypeEntry;
class PluginHost;

// The type that reads or writes files with this extension (case ignored;
// without the dot), or null. The project type is among them.
const FileTypeEntry* ImportableByExtension(const PluginHost& host, const std::string& extension);
const FileTypeEntry* ExportableByExtension(const PluginHost& host, const std::string& extension);
// Every extension of the list as ".a, .b", for messages.
std::string ExtensionList(const std::vector<FileTypeEntry>& types);
// The extensions the plug-ins read (the project type left out), once each,
// in type-list order.
std::vector<std::string> PluginReadableExtensions(const PluginHost& host);
// Whether the type's provider says it can write the document; a provider
// that throws cannot.
bool TypeAcceptsDocument(const FileTypeEntry& type, const PortableDocument& document);

// While it lives, what would go to the error box is kept here instead, so
// that a command can print it after the file it concerns.
class CollectedErrors final : public ErrorReporter {
  public:
    CollectedErrors();
    ~CollectedErrors() override;
    CollectedErrors(const CollectedErrors&) = delete;
    CollectedErrors& operator=(const CollectedErrors&) = delete;

    void critical(const std::string& text) override;
    MessageResult messageBox(MessageButtons buttons, MessageIcon icon, const std::string& title,
                             const std::string& text, MessageResult defaultResult) override;

    // The messages so far joined by "; ", or `fallback` when there were none.
    std::string text(const std::string& fallback) const;

  private:
    std::vector<std::string> m_messages;
    ErrorReporter* m_previous;
};

} // namespace kv
