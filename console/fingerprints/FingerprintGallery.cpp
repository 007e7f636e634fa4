#include "FingerprintGallery.h"

#include <span>

namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

} // namespace

bool FingerprintGallery::refresh(Db& db)
{
    // The version is read before the templates: a change that lands between the two reads
    // makes the next search read them again instead of going unnoticed.
    const TemplatesVersion now = FingerprintStore::templatesVersion(db);
    if (version_ && *version_ == now)
        return false;
    const QList<StoredTemplate> stored = FingerprintStore::allTemplates(db);
    std::vector<Entry> entries;
    entries.reserve(std::size_t(stored.size()));
    for (const StoredTemplate& row : stored) {
        if (row.feature.isEmpty())
            continue;
        Entry entry;
        if (entry.reference.prepare(bytesOf(row.feature)) < 0)
            continue;
        entry.user = row.user;
        entry.feature = row.feature;
        entries.push_back(std::move(entry));
    }
    entries_ = std::move(entries);
    version_ = now;
    return true;
}

GalleryMatch FingerprintGallery::identify(const fp::PreparedQuery& query) const
{
    GalleryMatch best;
    const Entry* owner = nullptr;
    for (const Entry& entry : entries_) {
        const int score = query.score(entry.reference);
        // Strictly better only: of equal scores the first read stays.
        if (fp::decide(score) == 1 && (!owner || score > best.score)) {
            owner = &entry;
            best.score = score;
        }
    }
    if (owner) {
        best.result = owner->user;
        best.reference = owner->feature;
    }
    return best;
}

OwnerSearch identifyOwner(Db& db, FingerprintGallery& gallery, const QByteArray& templ)
{
    OwnerSearch search;
    if (templ.isEmpty()) {
        search.match.result = FingerprintGallery::kNoTemplate;
        return search;
    }
    fp::PreparedQuery query;
    const int prepared = query.prepare(bytesOf(templ));
    if (prepared < 0) {
        search.match.result = prepared;
        return search;
    }
    gallery.refresh(db);
    search.match = gallery.identify(query);
    if (search.match.result >= 1)
        search.name = FingerprintStore::userName(db, search.match.result);
    return search;
}
