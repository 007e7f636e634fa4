#include "TemplateFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>

namespace fp {

namespace {

constexpr std::uint8_t kMagic[4] = {'V', 'F', 'P', 'T'};
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kMinutiaSize = 5;
constexpr std::size_t kCrcSize = 4;
constexpr int kFaintRuleBit = 0x80; // of the quality byte, version 3

// Set bits of each byte (generic x86-64 has no popcount instruction, and the
// library's takes some twenty).
constexpr auto kBitsIn = [] {
    std::array<std::uint8_t, 256> t{};
    for (unsigned b = 0; b < 256; ++b)
        t[b] = static_cast<std::uint8_t>(std::popcount(b));
    return t;
}();

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
    // Four bytes a step (slicing by four): tables[k][b] is the remainder of byte
    // b followed by k zero bytes.
    static const auto tables = [] {
        std::array<std::array<std::uint32_t, 256>, 4> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (std::size_t k = 1; k < t.size(); ++k)
            for (std::size_t i = 0; i < 256; ++i)
                t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xff];
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    std::size_t at = 0;
    for (; at + 4 <= bytes.size(); at += 4) {
        crc ^= static_cast<std::uint32_t>(bytes[at]) |
               static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
               static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
               static_cast<std::uint32_t>(bytes[at + 3]) << 24;
        crc = tables[3][crc & 0xff] ^ tables[2][(crc >> 8) & 0xff] ^ tables[1][(crc >> 16) & 0xff] ^
              tables[0][crc >> 24];
    }
    for (; at < bytes.size(); ++at)
        crc = tables[0][(crc ^ bytes[at]) & 0xff] ^ (crc >> 8);
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
    const std::span<const std::uint8_t> areaBits = bytes.subspan(kHeaderSize, areaSize);
    const std::size_t cells = static_cast<std::size_t>(cols) * rows;
    std::size_t fingerCells = 0;
    for (std::size_t b = 0; b < areaSize; ++b) {
        // The last byte's bits beyond the grid are padding.
        const unsigned used = b + 1 < areaSize || cells % 8 == 0 ? 0xffu : (1u << (cells % 8)) - 1;
        fingerCells += kBitsIn[areaBits[b] & used];
    }
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
    if (get16(bytes, 6) == 0 || get16(bytes, 8) == 0 || get16(bytes, 10) == 0 || bytes[12] == 0)
        return false;
    const std::size_t minutiaeAt = kHeaderSize + areaSize;
    for (int i = 0; i < count; ++i)
        if ((bytes[minutiaeAt + kMinutiaSize * i + 4] & 0x7f) > 100)
            return false;

    // Well formed: decoded in place, into the buffers of the last template.
    data.quality = quality;
    data.faintRule = faintRule;
    data.width = get16(bytes, 6);
    data.height = get16(bytes, 8);
    data.dpi = get16(bytes, 10);
    data.areaCell = bytes[12];
    data.areaCols = cols;
    data.areaRows = rows;
    data.area.resize(cells);
    for (std::size_t b = 0; b < cells / 8; ++b)
        for (unsigned k = 0; k < 8; ++k)
            data.area[8 * b + k] = (areaBits[b] >> k) & 1;
    for (std::size_t i = cells / 8 * 8; i < cells; ++i)
        data.area[i] = (areaBits[i / 8] >> (i % 8)) & 1;
    data.minutiae.resize(count);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = minutiaeAt + kMinutiaSize * i;
        Minutia& m = data.minutiae[i];
        m.x = bytes[at] | ((bytes[at + 1] & 0x0f) << 8);
        m.y = (bytes[at + 1] >> 4) | (bytes[at + 2] << 4);
        m.angle = bytes[at + 3] * (2 * std::numbers::pi_v<float> / 256);
        m.type = (bytes[at + 4] & 0x80) ? 1 : 0;
        m.quality = bytes[at + 4] & 0x7f;
    }
    if (version == 1) {
        data.directions.clear();
    } else {
        // Two codes to a byte, for the finger cells only: unpacked to the front,
        // then spread over the cells from the last one back (the code a cell
        // takes never lies behind it), without a branch per cell.
        data.directions.resize(cells);
        const std::uint8_t* codes = bytes.data() + minutiaeAt + kMinutiaSize * count;
        for (std::size_t n = 0; n < fingerCells; ++n)
            data.directions[n] = (codes[n / 2] >> (4 * (n % 2))) & 0x0f;
        std::size_t left = fingerCells;
        for (std::size_t i = cells; i-- > 0;) {
            const std::uint8_t finger = data.area[i];
            const std::uint8_t code = data.directions[left - finger];
            data.directions[i] = finger ? code : kNoDirection;
            left -= finger;
        }
    }
    return true;
}

} // namespace fp
