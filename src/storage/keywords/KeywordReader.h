#pragma once
#include "storage/chunks/FileReader.h"

#include <cstdint>
#include <string>

namespace kv {

// Reads the keyword text format: keywords, quoted values, ";" and nested
// "{ }" blocks, with anything unprintable between tokens skipped. Readers
// walk a block keyword by keyword and skip what they do not know, so files
// with extra statements still load.
class KeywordReader : public FileReader {
  public:
    static constexpr std::size_t kMaxLength = 63;

    void reset() override;

    // The next keyword of the current block; values, semicolons and whole
    // nested blocks before it are skipped. False at the "}" that closes the
    // current block and at the end of the file.
    bool nextKeyword(std::string& keyword);
    // False (nothing consumed) when the next token is not a quoted value.
    bool readValue(std::string& value);
    // The next token must be "{".
    bool enterBlock();
    // Skips the rest of the current block, its "}" included.
    bool leaveBlock();

  private:
    enum class Token { End, Keyword, Value, Semicolon, Open, Close, Stray };

    Token peekToken();
    bool peekByte(std::uint8_t& byte);
    void takeByte() { m_havePeeked = false; }
    bool readKeyword(std::string& keyword);
    bool skipToken(Token token);
    bool skipNestedBlock();

    std::uint8_t m_peeked = 0;
    bool m_havePeeked = false;
    int m_depth = 0;
};

} // namespace kv
