#include "Engine.h"
#include "LocalStructures.h"
#include "Matcher.h"

#include <algorithm>
#include <memory>
#include <new>

namespace fp {

bool PreparedTemplate::build(std::span<const std::uint8_t> bytes)
{
    if (!buildMatchTemplate(bytes, templ))
        return false;
    edges.build(templ);
    grid.build(templ.points);
    reach.build(templ.points);
    directions.build(templ.data);
    const auto cells = std::count_if(templ.data.area.begin(), templ.data.area.end(),
                                     [](std::uint8_t c) { return c != 0; });
    fingerArea = static_cast<float>(cells * templ.data.areaCell * templ.data.areaCell);
    return true;
}

struct PreparedReference::Impl
{
    MatchTemplate templ;
};

struct PreparedQuery::Impl
{
    PreparedTemplate query;
    mutable MatchTemplate reference; // reused between calls
    mutable MatchScratch scratch;
    mutable std::vector<MatchPair> pairs;

    // Scores the reference that `reference()` provides (null: not a template),
    // leaving the pairs behind the score; out of memory gives -2 and no pairs.
    template <typename Reference> int score(Reference&& reference) const
    {
        pairs.clear();
        try {
            const MatchTemplate* templ = reference();
            return templ ? matchTemplates(query, *templ, scratch, pairs) : -1;
        } catch (const std::bad_alloc&) {
            pairs.clear();
            return -2;
        }
    }
};

PreparedQuery::PreparedQuery() = default;
PreparedQuery::~PreparedQuery() = default;
PreparedQuery::PreparedQuery(PreparedQuery&&) noexcept = default;
PreparedQuery& PreparedQuery::operator=(PreparedQuery&&) noexcept = default;

int PreparedQuery::prepare(std::span<const std::uint8_t> templ)
{
    impl_.reset();
    try {
        auto impl = std::make_unique<Impl>();
        if (!impl->query.build(templ))
            return -1;
        impl_ = std::move(impl);
        return 0;
    } catch (const std::bad_alloc&) {
        return -2;
    }
}

bool PreparedQuery::isPrepared() const
{
    return impl_ != nullptr;
}

int PreparedQuery::score(std::span<const std::uint8_t> reference) const
{
    if (!impl_)
        return -1;
    return impl_->score([&]() -> const MatchTemplate* {
        return buildMatchTemplate(reference, impl_->reference) ? &impl_->reference : nullptr;
    });
}

int PreparedQuery::score(const PreparedReference& reference) const
{
    if (!impl_ || !reference.impl_)
        return -1;
    return impl_->score([&] { return &reference.impl_->templ; });
}

const std::vector<MatchPair>& PreparedQuery::lastPairs() const
{
    static const std::vector<MatchPair> none;
    return impl_ ? impl_->pairs : none;
}

PreparedReference::PreparedReference() = default;
PreparedReference::~PreparedReference() = default;
PreparedReference::PreparedReference(PreparedReference&&) noexcept = default;
PreparedReference& PreparedReference::operator=(PreparedReference&&) noexcept = default;

int PreparedReference::prepare(std::span<const std::uint8_t> templ)
{
    impl_.reset();
    try {
        auto impl = std::make_unique<Impl>();
        if (!buildMatchTemplate(templ, impl->templ))
            return -1;
        impl->templ.releaseDecodingBuffers();
        impl_ = std::move(impl);
        return 0;
    } catch (const std::bad_alloc&) {
        return -2;
    }
}

bool PreparedReference::isPrepared() const
{
    return impl_ != nullptr;
}

int defaultThreshold()
{
    return kDefaultThreshold;
}

} // namespace fp
