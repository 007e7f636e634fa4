#include "Engine.h"
#include "LocalStructures.h"
#include "Matcher.h"

#include <memory>
#include <new>

namespace fp {

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
    impl_->pairs.clear();
    try {
        if (!buildMatchTemplate(reference, impl_->reference))
            return -1;
        return matchTemplates(impl_->query, impl_->reference, impl_->scratch, impl_->pairs);
    } catch (const std::bad_alloc&) {
        impl_->pairs.clear();
        return -2;
    }
}

int PreparedQuery::score(const PreparedReference& reference) const
{
    if (!impl_ || !reference.impl_)
        return -1;
    impl_->pairs.clear();
    try {
        return matchTemplates(impl_->query, reference.impl_->templ, impl_->scratch, impl_->pairs);
    } catch (const std::bad_alloc&) {
        impl_->pairs.clear();
        return -2;
    }
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
