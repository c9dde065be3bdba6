#include "storage/keywords/KeywordWriter.h"

namespace kv {

void KeywordWriter::reset() {
    FileWriter::reset();
    m_depth = 0;
}

bool KeywordWriter::close() {
    while (m_depth > 0 && isOpen())
        if (!endBlock()) break;
    m_depth = 0;
    return FileWriter::close();
}

bool KeywordWriter::lineBreak() {
    return text("\r\n" + std::string(static_cast<std::size_t>(m_depth), ' '));
}

bool KeywordWriter::beginBlock(const std::string& keyword) {
    ++m_depth;
    return text(keyword) && lineBreak() && text("{") && lineBreak();
}

bool KeywordWriter::valueStatement(const std::string& keyword, const std::string& value) {
    std::string quoted = "\"";
    for (const char c : value) {
        quoted += c;
        if (c == '"') quoted += c;
    }
    return text(keyword + " " + quoted + "\";") && lineBreak();
}

bool KeywordWriter::endBlock() {
    --m_depth;
    return text("}") && lineBreak();
}

} // namespace kv
