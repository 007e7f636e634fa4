#pragma once
// Public face of the fingerprint engine: template extraction and matching.
// Templates are opaque byte strings (at most kMaxTemplateSize bytes) of the
// engine's own versioned format. Nothing here depends on Qt or on a reader.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace fp {

inline constexpr std::size_t kMaxTemplateSize = 10000;

// An 8-bit grey image, row by row, dark ridges on a light background.
struct GrayImage
{
    int width = 0;
    int height = 0;
    int dpi = 500;
    std::vector<std::uint8_t> pixels; // width * height bytes
};

// One minutia as drawn over the image (pixel coordinates of the source image).
struct Minutia
{
    int x = 0;
    int y = 0;
    float angle = 0; // radians, direction of the ridge
    int type = 0;    // 0 = ending, 1 = bifurcation
    int quality = 0; // 0..100
};

struct Extraction
{
    // 0 = poor, 1 = medium, 2 = high; negative = the image cannot be used.
    int quality = -1;
    std::vector<std::uint8_t> templ; // empty when quality < 0
};

// Extracts a template from an image. Never throws; a bad image gives quality < 0.
Extraction extractTemplate(const GrayImage& image);

// Minutiae stored in a template (for drawing); empty for an invalid template.
std::vector<Minutia> decodeMinutiae(std::span<const std::uint8_t> templ);

// Pairs of matched minutiae of the last comparison, for drawing: indices into
// the query's and the reference's decodeMinutiae() lists.
struct MatchPair
{
    int query = 0;
    int reference = 0;
};

// A stored template decoded once (minutiae, their neighbourhoods, finger area),
// for a gallery that is searched many times: comparing against it skips the
// decoding that score(bytes) does on every call.
class PreparedReference
{
public:
    PreparedReference();
    ~PreparedReference();
    PreparedReference(PreparedReference&&) noexcept;
    PreparedReference& operator=(PreparedReference&&) noexcept;

    // Returns 0 on success, negative when the bytes are not a valid template.
    int prepare(std::span<const std::uint8_t> templ);
    bool isPrepared() const;

private:
    friend class PreparedQuery;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A query template prepared once and compared against many references.
class PreparedQuery
{
public:
    PreparedQuery();
    ~PreparedQuery();
    PreparedQuery(PreparedQuery&&) noexcept;
    PreparedQuery& operator=(PreparedQuery&&) noexcept;

    // Returns 0 on success, negative when the bytes are not a valid template.
    int prepare(std::span<const std::uint8_t> templ);
    bool isPrepared() const;

    // Similarity score (0 and up) of the prepared query against one reference;
    // negative when the query is not prepared or the reference is not a valid
    // template. Any byte string is accepted as reference without crashing.
    int score(std::span<const std::uint8_t> reference) const;
    // The same score against a prepared reference (negative when either is not prepared).
    int score(const PreparedReference& reference) const;

    // The pairs behind the last score() call (empty when none).
    const std::vector<MatchPair>& lastPairs() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The default decision threshold: score >= threshold means "match".
int defaultThreshold();

// 1 = match, 0 = no match, negative = error (as score() says).
inline int decide(int score)
{
    return score < 0 ? score : (score >= defaultThreshold() ? 1 : 0);
}

} // namespace fp
