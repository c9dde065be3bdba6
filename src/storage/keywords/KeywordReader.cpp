#include "storage/keywords/KeywordReader.h"

namespace kv {
namespace {

// Spaces, tabs, line breaks and other control characters separate tokens.
bool IsBlank(std::uint8_t c) {
    return c <= ' ' || c == 0x7F;
}

bool IsLetter(std::uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsKeywordCharacter(std::uint8_t c) {
    return IsLetter(c) || (c >= '0' && c <= '9') || c == '.';
}

} // namespace

void KeywordReader::reset() {
    FileReader::reset();
    m_havePeeked = false;
    m_depth = 0;
}

bool KeywordReader::peekByte(std::uint8_t& byte) {
    if (!m_havePeeked) {
        if (atEnd() || !read(&m_peeked, 1)) return false;
        m_havePeeked = true;
    }
    byte = m_peeked;
    return true;
}

KeywordReader::Token KeywordReader::peekToken() {
    std::uint8_t c = 0;
    while (peekByte(c) && IsBlank(c))
        takeByte();
    if (!m_havePeeked) return Token::End;
    if (IsLetter(c)) return Token::Keyword;
    switch (c) {
    case '"':
        return Token::Value;
    case ';':
        return Token::Semicolon;
    case '{':
        return Token::Open;
    case '}':
        return Token::Close;
    default:
        return Token::Stray;
    }
}

bool KeywordReader::readKeyword(std::string& keyword) {
    keyword.clear();
    std::uint8_t c = 0;
    while (peekByte(c) && IsKeywordCharacter(c)) {
        if (keyword.size() == kMaxLength) return fail("Keyword is too long");
        keyword.push_back(static_cast<char>(c));
        takeByte();
    }
    return !errors().failed();
}

bool KeywordReader::readValue(std::string& value) {
    if (peekToken() != Token::Value) return false;
    takeByte();
    value.clear();
    std::uint8_t c = 0;
    for (;;) {
        if (!peekByte(c)) return fail("Invalid data");
        takeByte();
        if (c == '"') {
            // A doubled quote stands for one quote character.
            if (!peekByte(c) || c != '"') return true;
            takeByte();
        }
        if (value.size() == kMaxLength) return fail("Value is too long");
        value.push_back(static_cast<char>(c));
    }
}

bool KeywordReader::skipNestedBlock() {
    takeByte(); // the "{"
    for (;;) {
        const Token token = peekToken();
        if (token == Token::Close) {
            takeByte();
            return true;
        }
        if (!skipToken(token)) return false;
    }
}

// Skips one token that is not a closing brace; a "{" takes its whole block.
bool KeywordReader::skipToken(Token token) {
    std::string text;
    switch (token) {
    case Token::End:
        return fail("Invalid data");
    case Token::Keyword:
        return readKeyword(text);
    case Token::Value:
        return readValue(text);
    case Token::Semicolon:
        takeByte();
        return true;
    case Token::Open:
        return skipNestedBlock();
    case Token::Close:
    case Token::Stray:
        break;
    }
    return fail("Invalid Data");
}

bool KeywordReader::nextKeyword(std::string& keyword) {
    for (;;) {
        const Token token = peekToken();
        if (token == Token::Keyword) return readKeyword(keyword);
        if (token == Token::Close) return false;
        if (token == Token::End) {
            // Inside a block the file may not end before its "}".
            if (m_depth > 0) fail("Invalid data");
            return false;
        }
        if (token == Token::Stray) return fail("Invalid Data");
        if (!skipToken(token)) return false;
    }
}

bool KeywordReader::enterBlock() {
    const Token token = peekToken();
    if (token == Token::End) return fail("Invalid data");
    if (token != Token::Open) return fail("Invalid Data");
    takeByte();
    ++m_depth;
    return true;
}

bool KeywordReader::leaveBlock() {
    for (;;) {
        const Token token = peekToken();
        if (token == Token::Close) {
            takeByte();
            --m_depth;
            return true;
        }
        if (token == Token::Stray) {
            takeByte(); // whatever stands in the rest of a block is skipped
            continue;
        }
        if (!skipToken(token)) return false;
    }
}

} // namespace kv
