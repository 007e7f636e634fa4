#include "ReportLock.h"

#include "Db.h"

namespace {

// One lock per database: test databases on one server do not block each other.
const char* const kLockSuffix = ".rep_asistencia_general";

} // namespace

ReportLock::ReportLock(Db& db)
    : db_(db)
{
    held_ = db_.scalar(QStringLiteral("SELECT GET_LOCK(CONCAT(DATABASE(),?),0)"),
                       {QString::fromLatin1(kLockSuffix)})
                .toInt() == 1;
}

ReportLock::~ReportLock()
{
    if (held_)
        db_.scalar(QStringLiteral("SELECT RELEASE_LOCK(CONCAT(DATABASE(),?))"),
                   {QString::fromLatin1(kLockSuffix)});
}
