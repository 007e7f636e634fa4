#pragma once
// Identification of a finger among every stored template. The templates are read in one
// statement and kept decoded (the engine's prepared references); before each search the gallery
// asks the database whether KxFingerP changed since (its row count and checksum) and reads the
// templates again only then.
//
// The owner is the best-scoring template among all those the engine calls a match; of equal
// scores the first in the database's order wins. Templates the engine cannot read (and NULL
// ones) never match.

#include "Engine.h"
#include "FingerprintStore.h"

#include <optional>
#include <QByteArray>
#include <QString>
#include <vector>

class Db;

struct GalleryMatch
{
    // The owner's user number (1 or more), 0 when nothing matches, kNoTemplate without a query
    // template, or the engine's negative status when the query cannot be prepared.
    int result = 0;
    int score = 0;        // the owner's similarity (0 when nothing matches)
    QByteArray reference; // the template that matched, as stored
};

class FingerprintGallery
{
public:
    static constexpr int kNoTemplate = -997;

    // Reads the templates again when KxFingerP changed since the last read (or was never read).
    // Returns true when it read them.
    bool refresh(Db& db);

    // The best match of a prepared query among the templates held.
    GalleryMatch identify(const fp::PreparedQuery& query) const;

    // Templates held that can be compared.
    int size() const { return int(entries_.size()); }

private:
    struct Entry
    {
        int user = 0;
        QByteArray feature;
        fp::PreparedReference reference;
    };

    std::vector<Entry> entries_;
    std::optional<TemplatesVersion> version_;
};

// What identifying a template among all employees found.
struct OwnerSearch
{
    GalleryMatch match;
    // The owner's name; none when nothing matched or the template's user no longer exists.
    std::optional<QString> name;
};

// Prepares the template, brings the gallery up to date, searches it and reads the owner's name:
// all the work of one identification, database included.
OwnerSearch identifyOwner(Db& db, FingerprintGallery& gallery, const QByteArray& templ);
