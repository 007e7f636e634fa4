#include "TemplateFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace fp {

namespace {

constexpr std::uint8_t kMagic[4] = {'V', 'F', 'P', 'T'};
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kMinutiaSize = 5;
constexpr std::size_t kCrcSize = 4;
constexpr int kFaintRuleBit = 0x80; // of the quality byte, version 3

std::size_t areaBytes(int cols, int rows)
{
    return (static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows) + 7) / 8;
}

void put16(std::vector<std::uint8_t>& out, int v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

int get16(std::span<const std::uint8_t> b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

} // namespace

bool TemplateData::areaAt(float x, float y) const
{
    const int cell = cellAt(x, y);
    return cell >= 0 && area[cell] != 0;
}

std::uint32_t crc32(std::span<const std::uint8_t> bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t b : bytes)
        crc = table[(crc ^ b) & 0xff] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> encodeTemplate(const TemplateData& data)
{
    if (data.minutiae.size() > 255 || data.areaCols > kMaxAreaCells ||
        data.areaRows > kMaxAreaCells || data.areaCell < 1 || data.areaCell > 255 ||
        data.width < 1 || data.width > 0xffff || data.height < 1 || data.height > 0xffff ||
        data.dpi < 1 || data.dpi > 0xffff || data.quality < 0 || data.quality > 2 ||
        data.area.size() != static_cast<std::size_t>(data.areaCols) * data.areaRows ||
        (!data.directions.empty() && data.directions.size() != data.area.size()))
        return {};
    std::vector<std::uint8_t> out(kMagic, kMagic + 4);
    out.push_back(data.faintRule ? kFaintTemplateVersion : kTemplateVersion);
    out.push_back(static_cast<std::uint8_t>(data.quality | (data.faintRule ? kFaintRuleBit : 0)));
    put16(out, data.width);
    put16(out, data.height);
    put16(out, data.dpi);
    out.push_back(static_cast<std::uint8_t>(data.areaCell));
    out.push_back(static_cast<std::uint8_t>(data.areaCols));
    out.push_back(static_cast<std::uint8_t>(data.areaRows));
    out.push_back(static_cast<std::uint8_t>(data.minutiae.size()));

    std::vector<std::uint8_t> bits(areaBytes(data.areaCols, data.areaRows), 0);
    for (std::size_t i = 0; i < data.area.size(); ++i)
        if (data.area[i])
            bits[i / 8] |= static_cast<std::uint8_t>(1 << (i % 8));
    out.insert(out.end(), bits.begin(), bits.end());

    for (const Minutia& m : data.minutiae) {
        if (m.x < 0 || m.y < 0 || m.x > kMaxCoordinate || m.y > kMaxCoordinate)
            return {};
        const float turns = m.angle / (2 * std::numbers::pi_v<float>);
        const int direction =
            static_cast<int>(std::lround((turns - std::floor(turns)) * 256)) & 0xff;
        const int quality = std::clamp(m.quality, 0, 100);
        out.push_back(static_cast<std::uint8_t>(m.x & 0xff));
        out.push_back(static_cast<std::uint8_t>(((m.x >> 8) & 0x0f) | ((m.y & 0x0f) << 4)));
        out.push_back(static_cast<std::uint8_t>((m.y >> 4) & 0xff));
        out.push_back(static_cast<std::uint8_t>(direction));
        out.push_back(static_cast<std::uint8_t>((m.type ? 0x80 : 0) | quality));
    }
    // Directions of the finger cells only, two to a byte.
    int nibbles = 0;
    for (std::size_t i = 0; i < data.area.size(); ++i) {
        if (!data.area[i])
            continue;
        const std::uint8_t code = data.directions.empty()
                                      ? kNoDirection
                                      : std::min<std::uint8_t>(data.directions[i], kNoDirection);
        if (nibbles % 2 == 0)
            out.push_back(code);
        else
            out.back() |= static_cast<std::uint8_t>(code << 4);
        ++nibbles;
    }
    const std::uint32_t crc = crc32(out);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>((crc >> (8 * i)) & 0xff));
    if (out.size() > kMaxTemplateSize)
        return {};
    return out;
}

bool decodeTemplate(std::span<const std::uint8_t> bytes, TemplateData& data)
{
    if (bytes.size() < kHeaderSize + kCrcSize || bytes.size() > kMaxTemplateSize)
        return false;
    for (int i = 0; i < 4; ++i)
        if (bytes[i] != kMagic[i])
            return false;
    const int version = bytes[4];
    if (version < 1 || version > kFaintTemplateVersion)
        return false;
    const bool faintRule = version == kFaintTemplateVersion && (bytes[5] & kFaintRuleBit) != 0;
    const int quality = faintRule ? bytes[5] & ~kFaintRuleBit : bytes[5];
    if (quality > 2)
        return false;
    const int cols = bytes[13], rows = bytes[14], count = bytes[15];
    const std::size_t areaSize = areaBytes(cols, rows);
    const std::size_t fixedSize = kHeaderSize + areaSize + kMinutiaSize * count + kCrcSize;
    if (bytes.size() < fixedSize)
        return false;
    std::size_t fingerCells = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(cols) * rows; ++i)
        fingerCells += (bytes[kHeaderSize + i / 8] >> (i % 8)) & 1;
    // Every print has some finger area: without it nothing says how many pairs
    // chance would give, and any alignment would score as if none were chance.
    if (fingerCells == 0)
        return false;
    const std::size_t directionSize = version == 1 ? 0 : (fingerCells + 1) / 2;
    if (bytes.size() != fixedSize + directionSize)
        return false;
    const std::size_t body = bytes.size() - kCrcSize;
    std::uint32_t stored = 0;
    for (int i = 0; i < 4; ++i)
        stored |= static_cast<std::uint32_t>(bytes[body + i]) << (8 * i);
    if (crc32(bytes.first(body)) != stored)
        return false;

    TemplateData d;
    d.quality = quality;
    d.faintRule = faintRule;
    d.width = get16(bytes, 6);
    d.height = get16(bytes, 8);
    d.dpi = get16(bytes, 10);
    d.areaCell = bytes[12];
    d.areaCols = cols;
    d.areaRows = rows;
    if (d.width == 0 || d.height == 0 || d.dpi == 0 || d.areaCell == 0)
        return false;
    d.area.resize(static_cast<std::size_t>(cols) * rows);
    for (std::size_t i = 0; i < d.area.size(); ++i)
        d.area[i] = (bytes[kHeaderSize + i / 8] >> (i % 8)) & 1;
    d.minutiae.resize(count);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + areaSize + kMinutiaSize * i;
        Minutia& m = d.minutiae[i];
        m.x = bytes[at] | ((bytes[at + 1] & 0x0f) << 8);
        m.y = (bytes[at + 1] >> 4) | (bytes[at + 2] << 4);
        m.angle = bytes[at + 3] * (2 * std::numbers::pi_v<float> / 256);
        m.type = (bytes[at + 4] & 0x80) ? 1 : 0;
        m.quality = bytes[at + 4] & 0x7f;
        if (m.quality > 100)
            return false;
    }
    if (version != 1) {
        d.directions.assign(d.area.size(), kNoDirection);
        const std::size_t at = kHeaderSize + areaSize + kMinutiaSize * count;
        std::size_t nibble = 0;
        for (std::size_t i = 0; i < d.area.size(); ++i) {
            if (!d.area[i])
                continue;
            const std::uint8_t byte = bytes[at + nibble / 2];
            d.directions[i] = nibble % 2 ? byte >> 4 : byte & 0x0f;
            ++nibble;
        }
    }
    data = std::move(d);
    return true;
}

} // namespace fp
