#pragma once
// The program's one database connection. Every statement keeps its fixed text and takes its
// values as bound "?" parameters; text is bound and read as UTF-8 bytes (OdbcDriver) so that
// it is stored and read back exactly.
// A statement that fails goes to the fatal-error path: by default the driver's text is shown
// and the program ends; tests replace the path to observe it.

#include <functional>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

using SqlParams = QVariantList;
using SqlValues = QList<QPair<QString, QVariant>>;

class Db
{
public:
    using FatalHandler = std::function<void(const QString& text)>;

    Db();
    ~Db();
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    // Opens the connection with the ODBC connection string; returns the driver's text on failure.
    bool open(const QString& connectionString, QString* error = nullptr);
    void close();
    bool isOpen() const;

    // Read-only query. Its rows are read completely when it runs, so it can be walked in any
    // direction or handed to a QSqlQueryModel. On failure the fatal path runs and the query
    // holds no rows.
    QSqlQuery query(const QString& sql, const SqlParams& params = {});

    // First column of the first row, or an invalid value when there is no row.
    QVariant scalar(const QString& sql, const SqlParams& params = {});

    // Executes an INSERT, UPDATE or DELETE; returns the number of rows it touched (-1 on failure).
    int exec(const QString& sql, const SqlParams& params = {});

    // Adds one row ("INSERT INTO table SET a=?,b=?") and returns the number the database gave it
    // (0 when the table has no automatic key, -1 on failure).
    qint64 insertRow(const QString& table, const SqlValues& values);

    // Changes the row(s) matching `where` (e.g. "Usuario=?") with whereParams bound after values.
    int updateRow(const QString& table, const SqlValues& values, const QString& where,
                  const SqlParams& whereParams);

    bool transaction();
    bool commit();
    bool rollback();

    // A transaction held for one scope: begun on construction, rolled back on leaving the
    // scope unless commit() succeeded first.
    class Transaction
    {
    public:
        explicit Transaction(Db& db);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

        bool commit();
        bool active() const { return open_; }

    private:
        Db& db_;
        bool open_ = false;
    };

    QSqlDatabase handle() const;

    // The value as it is bound: text, dates and times become UTF-8 bytes.
    static QVariant bindable(const QVariant& value);

    static void setFatalHandler(FatalHandler handler);
    static FatalHandler fatalHandler();

private:
    void fail(const QString& what, const QString& driverText);
    bool prepareAndRun(QSqlQuery& q, const QString& sql, const SqlParams& params);

    QString name_;
};
