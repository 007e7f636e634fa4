#pragma once
// Where a finger lies on the reader: moved and turned as a whole, and
// stretched elastically by the sideways pull of the skin. Around the contact
// centre the skin holds still; the farther from it, the more it is dragged.

#include "Finger.h"
#include "Random.h"

namespace synth {

struct SkinPlacement
{
    float shiftX = 0; // pixels, picture frame
    float shiftY = 0;
    float rotation = 0; // radians, whole finger
    float contactX = 0; // contact centre, master canvas
    float contactY = 0;
    float holdRadius = 0; // no distortion inside
    float dragRadius = 1; // full distortion outside
    float twist = 0;      // radians, of the dragged skin
    float stretch = 0;    // relative, of the dragged skin
    float dragX = 0;      // pixels, of the dragged skin
    float dragY = 0;

    static SkinPlacement random(const Finger& finger, Rng& rng);
    // No movement and no distortion: the master as it is.
    static SkinPlacement still(const Finger& finger);

    // The point of the master canvas seen at (x, y) of the picture.
    Point toMaster(const Finger& finger, float x, float y) const;
};

} // namespace synth
