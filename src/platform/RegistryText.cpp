#include "platform/RegistryText.h"

#include <cstdio>

namespace kv {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::size_t kHexBytesPerLine = 24;

bool IsPlainText(const RegistryValue& v) {
    if (v.bytes.empty() || v.bytes.back() != '\0') return false;
    for (std::size_t i = 0; i + 1 < v.bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(v.bytes[i]);
        if (c < 0x20 || c == 0x7F) return false;
    }
    return true;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::string HexBytes(std::string_view prefix, const std::string& bytes) {
    std::string out(prefix);
    char hex[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out.push_back(',');
            if (i % kHexBytesPerLine == 0) out += "\\\n  ";
        }
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(bytes[i]));
        out += hex;
    }
    return out;
}

std::string FormatData(const RegistryValue& v) {
    if (v.type == RegistryType::String && IsPlainText(v)) return Quoted(v.text());
    if (v.isDword()) {
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(v.dwordValue()));
        return text;
    }
    if (v.type == RegistryType::Binary) return HexBytes("hex:", v.bytes);
    return HexBytes("hex(" + std::to_string(static_cast<std::uint32_t>(v.type)) + "):", v.bytes);
}

void FormatKey(const RegistryKey& key, const std::string& path, bool isRoot, std::string& out) {
    if (!isRoot || !key.values().empty()) {
        out += "\n[" + path + "]\n";
        for (const auto& [name, value] : key.values())
            out +=
                (name.empty() ? std::string("@") : Quoted(name)) + "=" + FormatData(value) + "\n";
    }
    for (const auto& sub : key.subkeys())
        FormatKey(*sub, path + "\\" + sub->name(), false, out);
}

// A cursor over one logical line of the file.
struct LineReader {
    std::string_view s;
    std::size_t pos = 0;

    bool atEnd() const { return pos >= s.size(); }
    bool take(char c) {
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    bool takeWord(std::string_view w) {
        if (s.substr(pos, w.size()) != w) return false;
        pos += w.size();
        return true;
    }
    bool quoted(std::string& out) {
        if (!take('"')) return false;
        while (pos < s.size()) {
            char c = s[pos++];
            if (c == '"') return true;
            if (c == '\\') {
                if (pos >= s.size()) return false;
                c = s[pos++];
                if (c != '\\' && c != '"') return false;
            }
            out.push_back(c);
        }
        return false;
    }
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseHexList(std::string_view s, std::string& bytes) {
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
            ++pos;
    };
    skipBlanks();
    if (pos == s.size()) return true;
    for (;;) {
        skipBlanks();
        if (pos + 2 > s.size() || HexDigit(s[pos]) < 0 || HexDigit(s[pos + 1]) < 0) return false;
        bytes.push_back(static_cast<char>(HexDigit(s[pos]) * 16 + HexDigit(s[pos + 1])));
        pos += 2;
        skipBlanks();
        if (pos == s.size()) return true;
        if (s[pos++] != ',') return false;
    }
}

bool ParseData(std::string_view s, RegistryValue& value) {
    LineReader r{s};
    if (s.substr(0, 1) == "\"") {
        std::string text;
        if (!r.quoted(text) || !r.atEnd()) return false;
        value = RegistryValue::string(text);
        return true;
    }
    if (r.takeWord("dword:")) {
        const std::string_view digits = s.substr(r.pos);
        if (digits.size() != 8) return false;
        std::uint32_t v = 0;
        for (char c : digits) {
            if (HexDigit(c) < 0) return false;
            v = v << 4 | static_cast<std::uint32_t>(HexDigit(c));
        }
        value = RegistryValue::dword(v);
        return true;
    }
    std::uint32_t type = static_cast<std::uint32_t>(RegistryType::Binary);
    if (r.takeWord("hex(")) {
        const std::size_t close = s.find(')', r.pos);
        if (close == std::string_view::npos || close == r.pos || close - r.pos > 8) return false;
        type = 0;
        for (std::size_t i = r.pos; i < close; ++i) {
            if (HexDigit(s[i]) < 0) return false;
            type = type << 4 | static_cast<std::uint32_t>(HexDigit(s[i]));
        }
        r.pos = close + 1;
        if (!r.take(':')) return false;
    } else if (!r.takeWord("hex:")) {
        return false;
    }
    value.type = static_cast<RegistryType>(type);
    value.bytes.clear();
    return ParseHexList(s.substr(r.pos), value.bytes);
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

// Splits into lines, joining a line that ends in a backslash with the next
// (how long hex lists are wrapped).
std::vector<std::pair<std::size_t, std::string>> LogicalLines(std::string_view text) {
    std::vector<std::pair<std::size_t, std::string>> lines;
    std::size_t start = 0, number = 0;
    bool continuing = false;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++number;
        std::string_view line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (continuing)
            lines.back().second += line;
        else
            lines.emplace_back(number, std::string(line));
        continuing = !line.empty() && line.back() == '\\';
        if (continuing) lines.back().second.pop_back();
    }
    return lines;
}

bool ParseSection(std::string_view line, std::string_view rootName, RegistryKey& root,
                  RegistryKey*& current) {
    if (line.size() < 2 || line.back() != ']') return false;
    const std::string_view path = line.substr(1, line.size() - 2);
    const std::string_view head = path.substr(0, path.find('\\'));
    if (!RegistryKey::namesEqual(head, rootName)) return false;
    if (head.size() == path.size()) {
        current = &root;
        return true;
    }
    current = root.createKey(path.substr(head.size() + 1));
    return current != nullptr;
}

bool ParseValueLine(std::string_view line, RegistryKey& key) {
    LineReader r{line};
    std::string name;
    if (!r.take('@') && !r.quoted(name)) return false;
    if (!r.take('=')) return false;
    RegistryValue value;
    if (!ParseData(line.substr(r.pos), value)) return false;
    key.setValue(name, std::move(value));
    return true;
}

} // namespace

std::string FormatRegistryText(const RegistryKey& root, std::string_view rootName) {
    std::string out(kHeader);
    out.push_back('\n');
    FormatKey(root, std::string(rootName), true, out);
    return out;
}

bool ParseRegistryText(std::string_view text, std::string_view rootName, RegistryKey& root,
                       std::string* error) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    bool sawHeader = false;
    RegistryKey* current = nullptr;
    for (const auto& [number, line] : LogicalLines(text)) {
        if (line.empty() || line[0] == ';') continue;
        bool ok;
        if (!sawHeader)
            ok = sawHeader = line == kHeader;
        else if (line[0] == '[')
            ok = ParseSection(line, rootName, root, current);
        else
            ok = current && ParseValueLine(line, *current);
        if (!ok) {
            if (error) *error = "line " + std::to_string(number) + ": " + line.substr(0, 80);
            return false;
        }
    }
    return true;
}

} // namespace kv
