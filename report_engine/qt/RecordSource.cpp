#include "RecordSource.h"

#include "Db.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>

namespace {

int64_t daysSinceEpoch(const QDate& d)
{
    return QDate(1970, 1, 1).daysTo(d);
}

} // namespace

report::Value toValue(const QVariant& v)
{
    using report::Value;
    if (v.isNull() || !v.isValid())
        return Value::null();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return Value::date(daysSinceEpoch(v.toDate()));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        return Value::dateTime(daysSinceEpoch(dt.date()) * 86400 +
                               dt.time().msecsSinceStartOfDay() / 1000);
    }
    case QMetaType::QTime:
        return Value::time(v.toTime().msecsSinceStartOfDay() / 1000);
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return Value::num(v.toDouble());
    default: {
        const std::string text = v.toString().toStdString();
        int64_t seconds = 0;
        if (report::parseTime(text, seconds) && text.find(':') != std::string::npos)
            return Value::time(seconds);
        return Value::str(text);
    }
    }
}

bool isReadOnlyQuery(const QString& sql)
{
    static const QRegularExpression start(
        QStringLiteral(R"(^(\s|--[^\n]*\n|/\*.*?\*/)*(select|with)\b)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return start.match(sql).hasMatch();
}

bool readRecords(Db& db, const QString& sql, report::Table& table, QString* error)
{
    table = {};
    if (!isReadOnlyQuery(sql)) {
        if (error)
            *error = QStringLiteral("la consulta debe ser un SELECT");
        return false;
    }
    QSqlQuery q(db.handle());
    q.setForwardOnly(true);
    if (!q.exec(sql)) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    const QSqlRecord rec = q.record();
    const int columns = rec.count();
    for (int c = 0; c < columns; ++c)
        table.columns.push_back(rec.fieldName(c).toStdString());
    while (q.next()) {
        std::vector<report::Value> row;
        row.reserve(size_t(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(toValue(q.value(c)));
        table.rows.push_back(std::move(row));
    }
    return true;
}
