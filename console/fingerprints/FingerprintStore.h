#pragma once
// The statements of the console's fingerprint screens: the employee's name, his enrolled
// fingers, adding and deleting one, and every stored template for identification.
// KxFingerP has no key of its own: one row per user and finger is kept by looking before adding.

#include <optional>
#include <QByteArray>
#include <QList>
#include <QString>

class Db;

// One KxFingerP row as identification reads it; a NULL template reads as a null array.
struct StoredTemplate
{
    int user = 0;
    QByteArray feature;
};

// What tells whether KxFingerP changed: its number of rows and a checksum over each row's owner
// and template. Cheap to ask for, compared to reading every template.
struct TemplatesVersion
{
    qint64 rows = 0;
    QString checksum;

    bool operator==(const TemplatesVersion&) const = default;
};

namespace FingerprintStore {

enum class AddResult
{
    Added,
    AlreadyStored // the user already has a template for that finger
};

// The employee's name; none when no user has the number.
std::optional<QString> userName(Db& db, int user);

// The finger indicators (NumFing) the user has templates for, in the database's order.
QList<int> enrolledFingers(Db& db, int user);

// Stores the template as the user's finger, unless a row for that user and finger exists
// already (written by this or another console).
AddResult addFinger(Db& db, int user, int numFing, const QByteArray& feature);

// Deletes the user's template(s) of that finger; returns the rows deleted.
int deleteFinger(Db& db, int user, int numFing);

TemplatesVersion templatesVersion(Db& db);

// Every stored template with its owner, in the database's order, in one statement.
QList<StoredTemplate> allTemplates(Db& db);

} // namespace FingerprintStore
