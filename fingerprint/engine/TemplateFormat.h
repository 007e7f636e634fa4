#pragma once
// The engine's template bytes.
//
//   offset  size  field
//   0       4     magic "VFPT"
//   4       1     format version: 2, or 3 for a print read with the faint rule;
//                 version 1 lacks the ridge directions
//   5       1     image quality code 0..2; in version 3, bit 7 set when the
//                 print was read with the faint rule
//   6       2     source image width   (little endian, as all numbers)
//   8       2     source image height
//   10      2     source image resolution, dpi
//   12      1     finger-area cell side, working pixels
//   13      1     finger-area columns
//   14      1     finger-area rows
//   15      1     minutia count n
//   16      c     finger-area bits, row by row, c = ceil(columns * rows / 8)
//   16+c    5n    minutiae: x (12 bits), y (12 bits), direction (8 bits, 2 pi / 256),
//                 type (1 bit, 1 = bifurcation) and quality (7 bits)
//   16+c+5n h     ridge directions: a 4-bit code per finger cell (row by row, low
//                 nibble first), 0..14 = direction k x 12 degrees, 15 = unclear;
//                 h = ceil(finger cells / 2); absent in version 1
//   ...     4     CRC-32 of all the bytes before it
//
// Coordinates are in working pixels (500 dpi). Anything that does not follow
// this layout exactly, or fails the CRC, is not a template. A template is
// written in version 2 whenever it can be, so that stations of earlier builds
// (which refuse version 3) keep matching every print but the faint ones.

#include "Engine.h"

#include <bit>
#include <cstdint>
#include <span>
#include <vector>

namespace fp {

inline constexpr std::uint8_t kTemplateVersion = 2;
inline constexpr std::uint8_t kFaintTemplateVersion = 3;
inline constexpr int kDirectionSteps = 15;       // ridge direction codes over 180 degrees
inline constexpr std::uint8_t kNoDirection = 15; // no clear ridge direction
inline constexpr int kMaxCoordinate = 4095;
inline constexpr int kMaxAreaCells = 255;

struct TemplateData
{
    int quality = 0;
    // Read with the faint segmentation rule: its minutiae are partly the filter's
    // guesses along broken ridges, and the matcher asks more of its comparisons.
    bool faintRule = false;
    int width = 0; // source pixels
    int height = 0;
    int dpi = 500;
    int areaCell = 16; // working pixels
    int areaCols = 0;
    int areaRows = 0;
    std::vector<std::uint8_t> area; // per cell, 1 = finger
    std::vector<Minutia> minutiae;  // working pixels
    // Per area cell: ridge direction code at the cell's centre (0..14, steps of
    // pi / kDirectionSteps) or kNoDirection; empty for version-1 templates.
    std::vector<std::uint8_t> directions;

    // Index of the area cell holding (x, y), or -1 outside the grid. Inline: the
    // matcher asks for every common cell of every alignment it weighs.
    int cellAt(float x, float y) const
    {
        if (x < 0 || y < 0 || areaCell <= 0)
            return -1;
        int cx = static_cast<int>(x), cy = static_cast<int>(y);
        // Cells are 16 px as extracted: a shift instead of a slow division.
        if (const auto side = static_cast<unsigned>(areaCell); (side & (side - 1)) == 0) {
            cx >>= std::countr_zero(side);
            cy >>= std::countr_zero(side);
        } else {
            cx /= areaCell;
            cy /= areaCell;
        }
        return cx < areaCols && cy < areaRows ? cy * areaCols + cx : -1;
    }
    bool areaAt(float x, float y) const;
};

// Empty when the data cannot be represented (too many minutiae, too large a finger area).
std::vector<std::uint8_t> encodeTemplate(const TemplateData& data);

// False for any byte string that is not a well-formed template.
bool decodeTemplate(std::span<const std::uint8_t> bytes, TemplateData& data);

std::uint32_t crc32(std::span<const std::uint8_t> bytes);

} // namespace fp
