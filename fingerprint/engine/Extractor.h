#pragma once
// The extraction pipeline and the reasons an image is refused.

namespace fp {

// Negative quality codes of extractTemplate().
enum ExtractionError : int
{
    kInvalidImage = -1,    // size and pixel buffer disagree
    kImageTooSmall = -2,   // or too large for the template coordinates
    kTooLittleFinger = -3, // blank, noise or a finger barely touching
    kTooFewMinutiae = -4,
    kInternalError = -5, // out of memory
};

inline constexpr int kMinImageSide = 96;     // working pixels
inline constexpr int kMinFingerArea = 12000; // working pixels, about 0.3 cm2
inline constexpr int kMinMinutiae = 8;

} // namespace fp
