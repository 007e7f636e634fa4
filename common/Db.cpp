#include "Db.h"

#include "Messages.h"
#include "OdbcDriver.h"

#include <cstdlib>
#include <QAtomicInt>
#include <QDate>
#include <QDateTime>
#include <QSqlError>
#include <QTime>

namespace {

QAtomicInt connectionCounter;

void showAndExit(const QString& text)
{
    ShowError(text, QStringLiteral("Error"));
    std::exit(1);
}

Db::FatalHandler& handlerSlot()
{
    static Db::FatalHandler handler = showAndExit;
    return handler;
}

// The driver's text, after one sentence in Spanish when the connection itself was lost
// (SQLSTATE class 08: the server went away, or the connection is no longer open).
QString describe(const QSqlError& error)
{
    const QString text = error.text();
    if (error.nativeErrorCode().startsWith(QLatin1String("08")))
        return QStringLiteral("Se perdió la conexión con la base de datos.\n\n") + text;
    return text;
}

} // namespace

Db::Db()
    : name_(QStringLiteral("velandro-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
}

Db::~Db()
{
    close();
    if (QSqlDatabase::contains(name_))
        QSqlDatabase::removeDatabase(name_);
}

bool Db::open(const QString& connectionString, QString* error)
{
    QSqlDatabase db = QSqlDatabase::contains(name_)
                          ? QSqlDatabase::database(name_, false)
                          : QSqlDatabase::addDatabase(new OdbcDriver, name_);
    db.setDatabaseName(connectionString);
    if (db.open())
        return true;
    if (error)
        *error = db.lastError().text();
    return false;
}

void Db::close()
{
    if (QSqlDatabase::contains(name_))
        QSqlDatabase::database(name_, false).close();
}

bool Db::isOpen() const
{
    return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

QSqlDatabase Db::handle() const
{
    return QSqlDatabase::database(name_, false);
}

QVariant Db::bindable(const QVariant& value)
{
    if (value.isNull()) {
        if (value.typeId() == QMetaType::QByteArray || value.typeId() == QMetaType::Int)
            return value;
        return QVariant(QMetaType::fromType<QByteArray>());
    }
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().toUtf8();
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss")).toUtf8();
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Char:
    case QMetaType::SChar:
        return value.toInt();
    default:
        return value;
    }
}

bool Db::prepareAndRun(QSqlQuery& q, const QString& sql, const SqlParams& params)
{
    if (!q.prepare(sql)) {
        fail(sql, describe(q.lastError()));
        return false;
    }
    for (const QVariant& value : params)
        q.addBindValue(bindable(value));
    if (!q.exec()) {
        fail(sql, describe(q.lastError()));
        return false;
    }
    return true;
}

QSqlQuery Db::query(const QString& sql, const SqlParams& params)
{
    QSqlQuery q(handle());
    if (!prepareAndRun(q, sql, params))
        return QSqlQuery(handle());
    return q;
}

QVariant Db::scalar(const QString& sql, const SqlParams& params)
{
    QSqlQuery q = query(sql, params);
    if (q.isActive() && q.next())
        return q.value(0);
    return {};
}

int Db::exec(const QString& sql, const SqlParams& params)
{
    QSqlQuery q(handle());
    if (!prepareAndRun(q, sql, params))
        return -1;
    return q.numRowsAffected();
}

static QString assignments(const SqlValues& values)
{
    QStringList parts;
    for (const auto& [column, value] : values)
        parts << column + QStringLiteral("=?");
    return parts.join(QLatin1Char(','));
}

qint64 Db::insertRow(const QString& table, const SqlValues& values)
{
    SqlParams params;
    for (const auto& [column, value] : values)
        params << value;
    if (exec(QStringLiteral("INSERT INTO %1 SET %2").arg(table, assignments(values)), params) < 0)
        return -1;
    return scalar(QStringLiteral("SELECT LAST_INSERT_ID()")).toLongLong();
}

int Db::updateRow(const QString& table, const SqlValues& values, const QString& where,
                  const SqlParams& whereParams)
{
    SqlParams params;
    for (const auto& [column, value] : values)
        params << value;
    params += whereParams;
    return exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(table, assignments(values), where),
                params);
}

bool Db::transaction()
{
    QSqlDatabase db = handle();
    if (db.transaction())
        return true;
    fail(QStringLiteral("BEGIN"), describe(db.lastError()));
    return false;
}

bool Db::commit()
{
    QSqlDatabase db = handle();
    if (db.commit())
        return true;
    fail(QStringLiteral("COMMIT"), describe(db.lastError()));
    return false;
}

bool Db::rollback()
{
    return handle().rollback();
}

Db::Transaction::Transaction(Db& db)
    : db_(db)
    , open_(db.transaction())
{
}

Db::Transaction::~Transaction()
{
    if (open_)
        db_.rollback();
}

bool Db::Transaction::commit()
{
    if (!open_)
        return false;
    open_ = false;
    if (db_.commit())
        return true;
    db_.rollback();
    return false;
}

void Db::fail(const QString& what, const QString& driverText)
{
    Q_UNUSED(what);
    const FatalHandler handler = handlerSlot();
    if (handler)
        handler(driverText);
}

void Db::setFatalHandler(FatalHandler handler)
{
    handlerSlot() = handler ? std::move(handler) : FatalHandler(showAndExit);
}

Db::FatalHandler Db::fatalHandler()
{
    return handlerSlot();
}
