#pragma once
// Measurements on grey fingerprint pictures, independent of how they were
// made: where the print is, its grey levels, its ridge period and how well
// two pictures line up.

#include "Acquisition.h"

struct PrintStats
{
    double foreground = 0; // share of 16x16 blocks with ridges
    double centreX = 0;    // middle of the ridge blocks
    double centreY = 0;
    double printMean = 0;      // grey mean over ridge blocks
    double printSpread = 0;    // grey standard deviation over ridge blocks
    double backgroundMean = 0; // grey mean elsewhere (255 when none)
};

PrintStats printStats(const synth::GrayPicture& picture);

// Ridge period in pixels: the strongest spatial frequency of a size x size
// block around (cx, cy).
double ridgePeriod(const synth::GrayPicture& picture, double cx, double cy, int size = 96);

// Highest normalised correlation of a central block of `a` found anywhere in
// `b` over turns of up to 24 degrees and shifts of up to 28 pixels, both
// pictures being first centred on their prints.
double bestAlignedCorrelation(const synth::GrayPicture& a, const synth::GrayPicture& b);
