#include "OdbcDriver.h"

#include <QDateTime>
#include <QList>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <QVariant>
#include <sql.h>
#include <sqlext.h>
#include <vector>

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC's wide characters are UTF-16");

namespace {

const SQLWCHAR* wide(const QString& text)
{
    return reinterpret_cast<const SQLWCHAR*>(text.utf16());
}

// The diagnostic records of a handle, one per line.
QString diagnostics(SQLSMALLINT handleType, SQLHANDLE handle, QString* state = nullptr)
{
    QStringList lines;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLWCHAR sqlState[6] = {};
        SQLINTEGER nativeCode = 0;
        SQLWCHAR text[1024] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN r = SQLGetDiagRecW(handleType, handle, i, sqlState, &nativeCode, text,
                                           SQLSMALLINT(std::size(text)), &length);
        if (!SQL_SUCCEEDED(r))
            break;
        if (state && i == 1)
            *state = QString::fromUtf16(reinterpret_cast<const char16_t*>(sqlState), 5);
        lines << QString::fromUtf16(reinterpret_cast<const char16_t*>(text),
                                    qMin<int>(length, int(std::size(text)) - 1));
    }
    return lines.join(QLatin1Char('\n'));
}

QSqlError makeError(const QString& what, QSqlError::ErrorType type, SQLSMALLINT handleType,
                    SQLHANDLE handle)
{
    QString state;
    const QString text = diagnostics(handleType, handle, &state);
    return QSqlError(what, text, type, state);
}

enum class ColumnKind
{
    Text,
    Bytes,
    Integer,
    BigInteger,
    Decimal,
    Real,
    Date,
    Time,
    DateTime
};

struct Column
{
    QString name;
    ColumnKind kind = ColumnKind::Text;
};

ColumnKind kindOf(SQLSMALLINT sqlType, bool isUnsigned)
{
    switch (sqlType) {
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return ColumnKind::Bytes;
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
        return ColumnKind::Integer;
    case SQL_INTEGER:
        return isUnsigned ? ColumnKind::BigInteger : ColumnKind::Integer;
    case SQL_BIGINT:
        return ColumnKind::BigInteger;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return ColumnKind::Decimal;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return ColumnKind::Real;
    case SQL_DATE:
    case SQL_TYPE_DATE:
        return ColumnKind::Date;
    case SQL_TIME:
    case SQL_TYPE_TIME:
        return ColumnKind::Time;
    case SQL_TIMESTAMP:
    case SQL_TYPE_TIMESTAMP:
        return ColumnKind::DateTime;
    default:
        return ColumnKind::Text;
    }
}

QMetaType metaTypeOf(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Bytes:
        return QMetaType::fromType<QByteArray>();
    case ColumnKind::Integer:
        return QMetaType::fromType<int>();
    case ColumnKind::BigInteger:
        return QMetaType::fromType<qlonglong>();
    case ColumnKind::Decimal:
    case ColumnKind::Real:
        return QMetaType::fromType<double>();
    case ColumnKind::Date:
        return QMetaType::fromType<QDate>();
    case ColumnKind::Time:
        return QMetaType::fromType<QTime>();
    case ColumnKind::DateTime:
        return QMetaType::fromType<QDateTime>();
    case ColumnKind::Text:
        break;
    }
    return QMetaType::fromType<QString>();
}

// Reads a character or binary value in as many pieces as the driver needs.
bool readPieces(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT cType, QByteArray* out,
                bool* isNull)
{
    out->clear();
    char buffer[4096];
    const SQLLEN terminator = cType == SQL_C_CHAR ? 1 : 0;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN r = SQLGetData(stmt, column, cType, buffer, sizeof buffer, &indicator);
        if (r == SQL_NO_DATA)
            return true;
        if (!SQL_SUCCEEDED(r))
            return false;
        if (indicator == SQL_NULL_DATA) {
            *isNull = true;
            return true;
        }
        const bool more =
            r == SQL_SUCCESS_WITH_INFO &&
            (indicator == SQL_NO_TOTAL || indicator > SQLLEN(sizeof buffer) - terminator);
        if (more) {
            out->append(buffer, qsizetype(sizeof buffer - terminator));
            continue;
        }
        out->append(buffer, qsizetype(indicator));
        return true;
    }
}

template <typename T>
bool readFixed(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT cType, T* value, bool* isNull)
{
    SQLLEN indicator = 0;
    const SQLRETURN r = SQLGetData(stmt, column, cType, value, sizeof(T), &indicator);
    if (!SQL_SUCCEEDED(r))
        return false;
    *isNull = indicator == SQL_NULL_DATA;
    return true;
}

} // namespace

class OdbcDriverPrivate
{
public:
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
};

namespace {

class OdbcResult : public QSqlResult
{
public:
    explicit OdbcResult(const OdbcDriver* driver)
        : QSqlResult(driver)
        , driver_(driver)
    {
    }

protected:
    QVariant data(int i) override
    {
        if (at() < 0 || at() >= rows_.size() || i < 0 || i >= columns_.size())
            return {};
        return rows_[at()][i];
    }

    bool isNull(int i) override { return data(i).isNull(); }

    bool reset(const QString& query) override
    {
        setQuery(query);
        return run(false);
    }

    bool prepare(const QString& query) override
    {
        setQuery(query);
        return true;
    }

    bool exec() override { return run(true); }

    bool fetch(int i) override
    {
        if (i < 0 || i >= rows_.size())
            return false;
        setAt(i);
        return true;
    }

    bool fetchFirst() override { return fetch(0); }
    bool fetchLast() override { return fetch(int(rows_.size()) - 1); }

    int size() override { return isSelect() ? int(rows_.size()) : -1; }
    int numRowsAffected() override { return int(rowsAffected_); }
    QSqlRecord record() const override { return record_; }

private:
    struct Statement
    {
        SQLHSTMT handle = SQL_NULL_HSTMT;
        ~Statement()
        {
            if (handle != SQL_NULL_HSTMT)
                SQLFreeHandle(SQL_HANDLE_STMT, handle);
        }
    };

    // Values bound to the statement must live until it has run.
    struct Bound
    {
        QByteArray bytes;
        qint64 integer = 0;
        double real = 0;
        SQLLEN indicator = 0;
    };

    void clearResult()
    {
        rows_.clear();
        columns_.clear();
        record_.clear();
        rowsAffected_ = -1;
        setSelect(false);
        setActive(false);
        setAt(QSql::BeforeFirstRow);
    }

    bool failWith(const QString& what, SQLSMALLINT handleType, SQLHANDLE handle)
    {
        setLastError(makeError(what, QSqlError::StatementError, handleType, handle));
        return false;
    }

    bool bindParameters(SQLHSTMT stmt, std::vector<Bound>& bound)
    {
        const QVariantList values = boundValues();
        bound.resize(size_t(values.size()));
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QVariant& value = values[i];
            Bound& b = bound[size_t(i)];
            SQLSMALLINT cType = SQL_C_BINARY;
            SQLSMALLINT sqlType = SQL_LONGVARBINARY;
            SQLPOINTER pointer = nullptr;
            SQLLEN length = 0;
            switch (value.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Char:
            case QMetaType::SChar:
            case QMetaType::UChar:
            case QMetaType::Bool:
            case QMetaType::Long:
            case QMetaType::ULong:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
                b.integer = value.toLongLong();
                cType = SQL_C_SBIGINT;
                sqlType = SQL_BIGINT;
                pointer = &b.integer;
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                b.real = value.toDouble();
                cType = SQL_C_DOUBLE;
                sqlType = SQL_DOUBLE;
                pointer = &b.real;
                break;
            case QMetaType::QDate:
                b.bytes = value.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
                break;
            case QMetaType::QTime:
                b.bytes = value.toTime().toString(QStringLiteral("HH:mm:ss")).toUtf8();
                break;
            case QMetaType::QDateTime:
                b.bytes =
                    value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
                break;
            case QMetaType::QByteArray:
                b.bytes = value.toByteArray();
                break;
            default:
                b.bytes = value.toString().toUtf8();
                break;
            }
            if (cType == SQL_C_BINARY) {
                pointer = b.bytes.data();
                length = b.bytes.size();
            }
            b.indicator = value.isNull() ? SQL_NULL_DATA : length;
            const SQLRETURN r = SQLBindParameter(stmt, SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, cType,
                                                 sqlType, SQLULEN(qMax<SQLLEN>(length, 1)), 0,
                                                 pointer, length, &b.indicator);
            if (!SQL_SUCCEEDED(r))
                return failWith(QStringLiteral("Unable to bind variable"), SQL_HANDLE_STMT, stmt);
        }
        return true;
    }

    bool describeColumns(SQLHSTMT stmt)
    {
        SQLSMALLINT count = 0;
        if (!SQL_SUCCEEDED(SQLNumResultCols(stmt, &count)))
            return failWith(QStringLiteral("Unable to count result columns"), SQL_HANDLE_STMT,
                            stmt);
        for (SQLSMALLINT c = 1; c <= count; ++c) {
            SQLWCHAR name[256] = {};
            SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = 0;
            SQLULEN columnSize = 0;
            if (!SQL_SUCCEEDED(SQLDescribeColW(stmt, SQLUSMALLINT(c), name,
                                               SQLSMALLINT(std::size(name)), &nameLength, &sqlType,
                                               &columnSize, &digits, &nullable)))
                return failWith(QStringLiteral("Unable to describe column"), SQL_HANDLE_STMT, stmt);
            SQLLEN isUnsigned = SQL_FALSE;
            SQLColAttributeW(stmt, SQLUSMALLINT(c), SQL_DESC_UNSIGNED, nullptr, 0, nullptr,
                             &isUnsigned);
            Column column;
            column.name = QString::fromUtf16(reinterpret_cast<const char16_t*>(name),
                                             qMin<int>(nameLength, int(std::size(name)) - 1));
            column.kind = kindOf(sqlType, isUnsigned == SQL_TRUE);
            QSqlField field(column.name, metaTypeOf(column.kind));
            field.setRequiredStatus(nullable == SQL_NO_NULLS ? QSqlField::Required
                                                             : QSqlField::Optional);
            record_.append(field);
            columns_.append(column);
        }
        return true;
    }

    QVariant decimal(const QByteArray& text) const
    {
        switch (numericalPrecisionPolicy()) {
        case QSql::HighPrecision:
            return QString::fromLatin1(text);
        case QSql::LowPrecisionInt32:
            return text.toInt();
        case QSql::LowPrecisionInt64:
            return text.toLongLong();
        case QSql::LowPrecisionDouble:
            break;
        }
        return text.toDouble();
    }

    bool readValue(SQLHSTMT stmt, SQLUSMALLINT c, ColumnKind kind, QVariant* value)
    {
        bool isNull = false;
        bool ok = true;
        const QMetaType type = metaTypeOf(kind);
        switch (kind) {
        case ColumnKind::Text:
        case ColumnKind::Bytes:
        case ColumnKind::Decimal: {
            QByteArray bytes;
            ok = readPieces(stmt, c, kind == ColumnKind::Bytes ? SQL_C_BINARY : SQL_C_CHAR, &bytes,
                            &isNull);
            if (ok && !isNull)
                *value = kind == ColumnKind::Text    ? QVariant(QString::fromUtf8(bytes))
                         : kind == ColumnKind::Bytes ? QVariant(bytes)
                                                     : decimal(bytes);
            break;
        }
        case ColumnKind::Integer:
        case ColumnKind::BigInteger: {
            qint64 number = 0;
            ok = readFixed(stmt, c, SQL_C_SBIGINT, &number, &isNull);
            if (ok && !isNull)
                *value = kind == ColumnKind::Integer ? QVariant(int(number)) : QVariant(number);
            break;
        }
        case ColumnKind::Real: {
            double number = 0;
            ok = readFixed(stmt, c, SQL_C_DOUBLE, &number, &isNull);
            if (ok && !isNull)
                *value = number;
            break;
        }
        case ColumnKind::Date: {
            SQL_DATE_STRUCT d{};
            ok = readFixed(stmt, c, SQL_C_TYPE_DATE, &d, &isNull);
            if (ok && !isNull)
                *value = QDate(d.year, d.month, d.day);
            break;
        }
        case ColumnKind::Time: {
            SQL_TIME_STRUCT t{};
            ok = readFixed(stmt, c, SQL_C_TYPE_TIME, &t, &isNull);
            if (ok && !isNull)
                *value = QTime(t.hour, t.minute, t.second);
            break;
        }
        case ColumnKind::DateTime: {
            SQL_TIMESTAMP_STRUCT ts{};
            ok = readFixed(stmt, c, SQL_C_TYPE_TIMESTAMP, &ts, &isNull);
            if (ok && !isNull)
                *value =
                    QDateTime(QDate(ts.year, ts.month, ts.day),
                              QTime(ts.hour, ts.minute, ts.second, int(ts.fraction / 1000000)));
            break;
        }
        }
        if (ok && isNull)
            *value = QVariant(type);
        return ok;
    }

    bool readRows(SQLHSTMT stmt)
    {
        for (;;) {
            const SQLRETURN r = SQLFetch(stmt);
            if (r == SQL_NO_DATA)
                return true;
            if (!SQL_SUCCEEDED(r))
                return failWith(QStringLiteral("Unable to fetch row"), SQL_HANDLE_STMT, stmt);
            QVariantList row;
            row.reserve(columns_.size());
            for (qsizetype c = 0; c < columns_.size(); ++c) {
                QVariant value;
                if (!readValue(stmt, SQLUSMALLINT(c + 1), columns_[c].kind, &value))
                    return failWith(QStringLiteral("Unable to read column"), SQL_HANDLE_STMT, stmt);
                row.append(value);
            }
            rows_.append(row);
        }
    }

    bool run(bool withParameters)
    {
        clearResult();
        if (!driver_ || !driver_->isOpen()) {
            setLastError(QSqlError(QStringLiteral("Driver not open"), QString(),
                                   QSqlError::ConnectionError));
            return false;
        }
        const auto dbc = static_cast<SQLHDBC>(driver_->connectionHandle());
        Statement stmt;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt.handle)))
            return failWith(QStringLiteral("Unable to allocate statement"), SQL_HANDLE_DBC, dbc);

        const QString text = lastQuery();
        std::vector<Bound> bound;
        SQLRETURN r;
        if (withParameters) {
            r = SQLPrepareW(stmt.handle, const_cast<SQLWCHAR*>(wide(text)),
                            SQLINTEGER(text.size()));
            if (!SQL_SUCCEEDED(r))
                return failWith(QStringLiteral("Unable to prepare statement"), SQL_HANDLE_STMT,
                                stmt.handle);
            if (!bindParameters(stmt.handle, bound))
                return false;
            r = SQLExecute(stmt.handle);
        } else {
            r = SQLExecDirectW(stmt.handle, const_cast<SQLWCHAR*>(wide(text)),
                               SQLINTEGER(text.size()));
        }
        if (!SQL_SUCCEEDED(r) && r != SQL_NO_DATA)
            return failWith(QStringLiteral("Unable to execute statement"), SQL_HANDLE_STMT,
                            stmt.handle);

        SQLLEN affected = -1;
        if (SQL_SUCCEEDED(SQLRowCount(stmt.handle, &affected)))
            rowsAffected_ = affected;
        if (!describeColumns(stmt.handle))
            return false;
        if (!columns_.isEmpty()) {
            if (!readRows(stmt.handle))
                return false;
            setSelect(true);
        }
        setActive(true);
        return true;
    }

    const OdbcDriver* driver_;
    QList<Column> columns_;
    QList<QVariantList> rows_;
    QSqlRecord record_;
    qint64 rowsAffected_ = -1;
};

} // namespace

OdbcDriver::OdbcDriver(QObject* parent)
    : QSqlDriver(parent)
    , d_(new OdbcDriverPrivate)
{
}

OdbcDriver::~OdbcDriver()
{
    close();
    delete d_;
}

bool OdbcDriver::hasFeature(DriverFeature feature) const
{
    switch (feature) {
    case Transactions:
    case QuerySize:
    case BLOB:
    case Unicode:
    case PreparedQueries:
    case PositionalPlaceholders:
    case FinishQuery:
    case LowPrecisionNumbers:
        return true;
    default:
        return false;
    }
}

bool OdbcDriver::open(const QString& db, const QString& user, const QString& password,
                      const QString&, int, const QString&)
{
    close();
    QString text = db.contains(QLatin1Char('=')) ? db : QStringLiteral("DSN=") + db;
    if (!user.isEmpty())
        text += QStringLiteral(";UID=") + user;
    if (!password.isEmpty())
        text += QStringLiteral(";PWD=") + password;

    const auto failed = [this](const QString& what, SQLSMALLINT type, SQLHANDLE handle) {
        setLastError(makeError(what, QSqlError::ConnectionError, type, handle));
        close();
        setOpenError(true);
        return false;
    };
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &d_->env)))
        return failed(QStringLiteral("Unable to allocate environment"), SQL_HANDLE_ENV,
                      SQL_NULL_HANDLE);
    SQLSetEnvAttr(d_->env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, d_->env, &d_->dbc)))
        return failed(QStringLiteral("Unable to allocate connection"), SQL_HANDLE_ENV, d_->env);
    const SQLRETURN r =
        SQLDriverConnectW(d_->dbc, nullptr, const_cast<SQLWCHAR*>(wide(text)),
                          SQLSMALLINT(text.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(r))
        return failed(QStringLiteral("Unable to connect"), SQL_HANDLE_DBC, d_->dbc);
    setOpen(true);
    setOpenError(false);
    return true;
}

void OdbcDriver::close()
{
    if (d_->dbc != SQL_NULL_HDBC) {
        if (isOpen())
            SQLDisconnect(d_->dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, d_->dbc);
        d_->dbc = SQL_NULL_HDBC;
    }
    if (d_->env != SQL_NULL_HENV) {
        SQLFreeHandle(SQL_HANDLE_ENV, d_->env);
        d_->env = SQL_NULL_HENV;
    }
    setOpen(false);
}

void* OdbcDriver::connectionHandle() const
{
    return d_->dbc;
}

QSqlResult* OdbcDriver::createResult() const
{
    return new OdbcResult(this);
}

bool OdbcDriver::beginTransaction()
{
    if (!isOpen())
        return false;
    const SQLRETURN r = SQLSetConnectAttr(d_->dbc, SQL_ATTR_AUTOCOMMIT,
                                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
    if (SQL_SUCCEEDED(r))
        return true;
    setLastError(makeError(QStringLiteral("Unable to disable autocommit"),
                           QSqlError::TransactionError, SQL_HANDLE_DBC, d_->dbc));
    return false;
}

bool OdbcDriver::endTransaction(bool commit)
{
    if (!isOpen())
        return false;
    const SQLRETURN r = SQLEndTran(SQL_HANDLE_DBC, d_->dbc, commit ? SQL_COMMIT : SQL_ROLLBACK);
    if (!SQL_SUCCEEDED(r)) {
        setLastError(makeError(commit ? QStringLiteral("Unable to commit transaction")
                                      : QStringLiteral("Unable to rollback transaction"),
                               QSqlError::TransactionError, SQL_HANDLE_DBC, d_->dbc));
        return false;
    }
    SQLSetConnectAttr(d_->dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON),
                      0);
    return true;
}

bool OdbcDriver::commitTransaction()
{
    return endTransaction(true);
}

bool OdbcDriver::rollbackTransaction()
{
    return endTransaction(false);
}

QStringList OdbcDriver::tables(QSql::TableType type) const
{
    QStringList names;
    if (!isOpen() || (type & QSql::Tables) == 0)
        return names;
    QSqlQuery q(createResult());
    if (q.exec(QStringLiteral("SHOW TABLES"))) {
        while (q.next())
            names << q.value(0).toString();
    }
    return names;
}

QSqlRecord OdbcDriver::record(const QString& tableName) const
{
    if (!isOpen())
        return {};
    QSqlQuery q(createResult());
    if (!q.exec(QStringLiteral("SELECT * FROM %1 WHERE 1=0")
                    .arg(escapeIdentifier(tableName, TableName))))
        return {};
    return q.record();
}
