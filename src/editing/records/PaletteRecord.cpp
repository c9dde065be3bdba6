#include "editing/records/PaletteRecord.h"

#include "editing/history/ActionCoder.h"
#include "model/Palette.h"

#include <cstdint>
#include <new>
#include <vector>

namespace kv {
namespace {
void PutWord(std::vector<std::uint8_t>& bytes, std::uint32_t word) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
}
std::uint32_t GetWord(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
} // namespace

std::unique_ptr<PaletteRecord> PaletteRecord::take(const Palette& palette) {
    std::vector<std::uint8_t> bytes;
    std::unique_ptr<PaletteRecord> record;
    try {
        record = std::make_unique<PaletteRecord>();
        PutWord(bytes, static_cast<std::uint32_t>(palette.count()));
        for (std::int32_t i = 0; i < palette.count(); ++i)
            PutWord(bytes, palette.entry(i).color());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    ActionCoder& coder = ActionCoder::instance();
    coder.reset();
    if (!coder.begin()) return nullptr;
    coder.feed(bytes.data(), bytes.size());
    record->m_data = coder.finish();
    if (!record->m_data) return nullptr;
    return record;
}

bool PaletteRecord::restore(Palette& palette) const {
    std::vector<std::uint8_t> bytes;
    if (!m_data || !DecodeActionData(*m_data, bytes) || bytes.size() < 4) return false;
    const std::uint32_t count = GetWord(bytes.data());
    if (count > 256 || bytes.size() != 4 + 4 * static_cast<std::size_t>(count)) return false;
    if (!palette.setCount(static_cast<std::int32_t>(count))) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const Color32 c = GetWord(bytes.data() + 4 + 4 * i);
        palette.entry(static_cast<std::int32_t>(i)).setColor(c);
    }
    return true;
}

} // namespace kv
