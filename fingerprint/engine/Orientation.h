#pragma once
// Ridge orientation field from smoothed gradient tensors, on a grid of small cells,
// with how clearly the ridges run there.

#include "Plane.h"

#include <vector>

namespace fp {

struct OrientationField
{
    int cell = 4; // pixels per cell side
    int cols = 0;
    int rows = 0;
    std::vector<float> angle;      // ridge direction per cell, [0, pi)
    std::vector<float> coherence;  // 0 (isotropic) .. 1 (parallel ridges), at a fine scale
    std::vector<float> steadiness; // coherence at the coarse scale, for segmentation
    std::vector<float> cos2;       // doubled-angle vector of `angle`, for interpolation
    std::vector<float> sin2;
    // How clearly the local spectrum shows steady ridges (RidgeFourier.h), on the
    // scale of `coherence`: specks and blotches on the ridges lower the coherence
    // but not this, while sensor noise without ridges stays near 0.
    std::vector<float> spectralCoherence;

    // Ridge direction at a pixel, interpolated between cells, [0, pi).
    float angleAt(float x, float y) const;
    float coherenceAt(float x, float y) const;
    float spectralCoherenceAt(float x, float y) const;
    int cellIndex(float x, float y) const;
};

// `normalised` is the contrast-normalised plane.
OrientationField computeOrientation(const Plane& normalised);

} // namespace fp
