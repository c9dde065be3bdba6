#include "storage/chunks/TextCodec.h"

namespace kv::text {

namespace {

bool IsContinuation(std::uint8_t b) {
    return (b & 0xC0) == 0x80;
}

void AppendCodePoint(std::u16string& out, std::uint32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace

std::optional<std::u16string> Utf8ToUtf16(const std::string& text) {
    std::u16string out;
    const auto* b = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const std::uint8_t lead = b[i];
        std::size_t extra;
        std::uint32_t cp, minimum;
        if (lead < 0x80) {
            extra = 0, cp = lead, minimum = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, cp = lead & 0x07, minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (n - i <= extra) return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            if (!IsContinuation(b[i + k])) return std::nullopt;
            cp = cp << 6 | (b[i + k] & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return std::nullopt;
        AppendCodePoint(out, cp);
        i += extra + 1;
    }
    return out;
}

std::string EncodeUnits(const std::u16string& units) {
    std::string out;
    out.reserve(units.size() * 3);
    for (const char16_t unit : units)
        AppendUtf8(out, unit);
    return out;
}

std::optional<std::u16string> DecodeUnits(const std::uint8_t* b, std::size_t n) {
    std::u16string out;
    for (std::size_t i = 0; i < n;) {
        const std::uint8_t lead = b[i];
        if (IsContinuation(lead)) {
            ++i;
            continue;
        }
        std::size_t extra;
        std::uint32_t cp;
        if (lead < 0x80)
            extra = 0, cp = lead;
        else if ((lead & 0xE0) == 0xC0)
            extra = 1, cp = lead & 0x1F;
        else if ((lead & 0xF0) == 0xE0)
            extra = 2, cp = lead & 0x0F;
        else if ((lead & 0xF8) == 0xF0)
            extra = 3, cp = lead & 0x07;
        else
            return std::nullopt;
        if (n - i <= extra) return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            if (!IsContinuation(b[i + k])) return std::nullopt;
            cp = cp << 6 | (b[i + k] & 0x3F);
        }
        if (cp > 0x10FFFF) return std::nullopt;
        AppendCodePoint(out, cp);
        i += extra + 1;
    }
    return out;
}

std::optional<std::string> Utf16ToUtf8(const std::u16string& units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t unit = units[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            return std::nullopt;
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace kv::text
