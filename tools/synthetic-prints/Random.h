#pragma once
// Deterministic random numbers: the same seed gives the same prints on every
// machine and standard library (the standard distributions do not promise that).

#include <cstdint>
#include <initializer_list>

namespace synth {

// Mixes a list of numbers (seed, finger, impression, stage...) into one seed.
std::uint64_t mixSeed(std::initializer_list<std::uint64_t> parts);

// xoshiro256** generator with its own uniform and normal draws.
class Rng
{
public:
    explicit Rng(std::uint64_t seed);

    std::uint64_t next();
    double uniform(); // [0, 1)
    double uniform(double low, double high);
    int uniformInt(int low, int high); // low..high inclusive
    double normal(double mean, double sd);
    // Normal draw clipped to [low, high].
    double clippedNormal(double mean, double sd, double low, double high);

private:
    std::uint64_t s_[4];
};

} // namespace synth
