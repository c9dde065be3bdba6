#pragma once
#include "storage/chunks/FileWriter.h"

#include <string>

namespace kv {

// Writes the keyword text format in its one layout: CR LF line ends and one
// space of indentation per open block.
class KeywordWriter : public FileWriter {
  public:
    void reset() override;
    // Ends every block still open, then closes the file.
    bool close() override;

    bool beginBlock(const std::string& keyword);
    bool valueStatement(const std::string& keyword, const std::string& value);
    bool endBlock();

  private:
    bool text(const std::string& text) { return write(text.data(), text.size()); }
    bool lineBreak();

    int m_depth = 0;
};

} // namespace kv
