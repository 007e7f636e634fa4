#include "Random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

std::uint64_t splitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

} // namespace

std::uint64_t mixSeed(std::initializer_list<std::uint64_t> parts)
{
    std::uint64_t state = 0x5EEDF1A9E4ull;
    std::uint64_t h = 0;
    for (std::uint64_t part : parts) {
        state ^= part + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2);
        h = splitMix(state);
    }
    return h;
}

Rng::Rng(std::uint64_t seed)
{
    for (auto& word : s_)
        word = splitMix(seed);
}

std::uint64_t Rng::next()
{
    const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
}

double Rng::uniform()
{
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double Rng::uniform(double low, double high)
{
    return low + (high - low) * uniform();
}

int Rng::uniformInt(int low, int high)
{
    // In 64 bits: the span of a wide range does not fit an int.
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low + 1);
    return low + static_cast<int>(next() % span);
}

double Rng::normal(double mean, double sd)
{
    // Box-Muller; 1 - uniform() keeps the logarithm away from zero.
    const double u1 = 1.0 - uniform();
    const double u2 = uniform();
    return mean + sd * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

double Rng::clippedNormal(double mean, double sd, double low, double high)
{
    return std::clamp(normal(mean, sd), low, high);
}

} // namespace synth
