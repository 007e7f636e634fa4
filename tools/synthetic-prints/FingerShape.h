#pragma once
// The silhouette of a fingertip: a rounded top, straight sides and a bottom
// that usually runs off the picture, as a finger lies on a reader.

#include "Random.h"

namespace synth {

struct FingerShape
{
    float centreX = 0;
    float centreY = 0; // middle of the straight part
    float halfWidthLeft = 0;
    float halfWidthRight = 0;
    float topHeight = 0;    // from the straight part up to the tip
    float bottomHeight = 0; // from the straight part down
    float straight = 0;     // height of the straight part

    // Random shape for a canvas of the given size.
    static FingerShape random(int width, int height, Rng& rng);

    // 0 at the centre, 1 on the outline, above 1 outside.
    float radius(float x, float y) const;
    float top() const { return centreY - straight / 2 - topHeight; }
};

} // namespace synth
