#pragma once
// The programs' own Qt SQL driver over unixODBC.
//
// Qt's QODBC plug-in reads text columns as UTF-16 (SQL_C_WCHAR) and trusts the length the
// driver reports. The MariaDB Unicode driver miscounts that length for text holding characters
// such as "Ú" or "€" and fills at most that many characters, so names came back cut short
// ("RICARDO NÚÑEZ OCHO"). This driver reads every text column as UTF-8 bytes (SQL_C_CHAR, which
// the driver delivers exactly and in as many pieces as needed) and decodes them itself, and it
// binds text as UTF-8 bytes, so what is written is what is read back.
//
// Every statement's rows are read completely when it runs and kept with the result: queries
// can be walked in any direction and given to models, and no cursor stays open on the server.

#include <QSqlDriver>

class OdbcDriverPrivate;

class OdbcDriver : public QSqlDriver
{
    Q_OBJECT
public:
    explicit OdbcDriver(QObject* parent = nullptr);
    ~OdbcDriver() override;

    bool hasFeature(DriverFeature feature) const override;
    // `db` is the ODBC connection string (a bare data-source name is taken as DSN=name).
    bool open(const QString& db, const QString& user, const QString& password, const QString& host,
              int port, const QString& connectOptions) override;
    void close() override;
    QSqlResult* createResult() const override;

    bool beginTransaction() override;
    bool commitTransaction() override;
    bool rollbackTransaction() override;

    QStringList tables(QSql::TableType type) const override;
    QSqlRecord record(const QString& tableName) const override;

    // The connection handle, for the result objects.
    void* connectionHandle() const;

private:
    bool endTransaction(bool commit);

    OdbcDriverPrivate* d_;
};
