#pragma once
// How the reader sees the ridges that touch it: pressure (thin or thick,
// merged ridges), dry or wet skin (faded patches, pores), the sensor's blur,
// background, contrast and noise.

#include "Grid.h"
#include "Random.h"

#include <cstdint>
#include <vector>

namespace synth {

struct GrayPicture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // row by row, dark ridges on light ground
};

struct AcquisitionSettings
{
    float threshold = 0;      // master level where ink starts: below 0 = heavier pressure
    float sharpness = 4;      // steepness of the ridge edges
    int morphology = 0;       // > 0 grey dilations of the ink (wet), < 0 erosions (dry)
    float dryness = 0;        // 0..1: faded patches and pores
    float contactScale = 1;   // share of the finger that touches (1 = all)
    float contactEdge = 0.1f; // width of the fading border, relative
    float background = 235;   // grey of the empty reader
    float backgroundTilt = 0; // grey change across the picture
    float contrast = 170;     // grey of full ink below the background
    float blur = 0.7f;        // Gaussian sigma, pixels
    float noise = 4;          // grey levels, standard deviation

    static AcquisitionSettings random(Rng& rng);
};

// Ridge level (master units) to ink 0..1.
float inkOf(float ridge, const AcquisitionSettings& settings);

// Grey dilations (steps > 0) or erosions (steps < 0) of the ink, 3x3 cross.
void applyPressure(Grid& ink, int steps);

// Faded patches and pores of dry skin.
void addDryness(Grid& ink, float dryness, Rng& rng);

// The sensor's picture of the ink: blur, background, contrast and noise.
GrayPicture sensorPicture(const Grid& ink, const AcquisitionSettings& settings, Rng& rng);

} // namespace synth
