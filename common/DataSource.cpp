#include "DataSource.h"

#include "ConnectionString.h"

#include <odbcinst.h>
#include <QDir>
#include <QFile>
#include <QList>

namespace {

const char* const kRegisteredName = "Velandro";
const char* const kRemovedName = "DIDeva";

QList<QByteArray> splitAttributes(const QByteArray& list)
{
    // A key missing from the connection string leaves an empty entry: skip it, so that the
    // entries after it (a socket string has no SERVER) still reach the data source.
    QList<QByteArray> entries;
    for (const QByteArray& entry : list.split('\0')) {
        if (!entry.isEmpty())
            entries.append(entry);
    }
    return entries;
}

QString userDataSourceFile()
{
    const QByteArray odbcIni = qgetenv("ODBCINI");
    if (!odbcIni.isEmpty())
        return QString::fromLocal8Bit(odbcIni);
    return QDir::home().filePath(QStringLiteral(".odbc.ini"));
}

void restrictToOwner(const QString& path)
{
    if (QFile::exists(path))
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

bool writeUserDataSource(const QByteArray& driver, const QByteArray& attributes)
{
    const QList<QByteArray> entries = splitAttributes(attributes);
    if (entries.isEmpty())
        return false;
    const QByteArray dsn = entries.first().mid(entries.first().indexOf('=') + 1);
    const QString file = userDataSourceFile();
    // Create the file owner-only before the password goes into it.
    if (!QFile::exists(file)) {
        QFile create(file);
        if (create.open(QIODevice::WriteOnly))
            create.close();
    }
    restrictToOwner(file);
    UWORD previous = ODBC_BOTH_DSN;
    SQLGetConfigMode(&previous);
    SQLSetConfigMode(ODBC_USER_DSN);
    bool ok = SQLWriteDSNToIni(dsn.constData(), driver.constData());
    for (qsizetype i = 1; ok && i < entries.size(); ++i) {
        const QByteArray& entry = entries[i];
        const qsizetype eq = entry.indexOf('=');
        const QByteArray key = entry.left(eq);
        const QByteArray value = eq < 0 ? QByteArray() : entry.mid(eq + 1);
        ok = SQLWritePrivateProfileString(dsn.constData(), key.constData(), value.constData(),
                                          "odbc.ini");
    }
    SQLSetConfigMode(previous);
    restrictToOwner(file);
    return ok;
}

bool removeUserDataSource(const QByteArray& attributes)
{
    const QList<QByteArray> entries = splitAttributes(attributes);
    if (entries.isEmpty())
        return false;
    const QByteArray dsn = entries.first().mid(entries.first().indexOf('=') + 1);
    UWORD previous = ODBC_BOTH_DSN;
    SQLGetConfigMode(&previous);
    SQLSetConfigMode(ODBC_USER_DSN);
    const bool ok = SQLRemoveDSNFromIni(dsn.constData());
    SQLSetConfigMode(previous);
    return ok;
}

} // namespace

QByteArray dataSourceDriver(const QString& connection)
{
    return ConnectionValue(connection, QStringLiteral("DRIVER"), false).toUtf8() + '\0';
}

QByteArray registerAttributes(const QString& connection)
{
    QByteArray list;
    list += QByteArray("DSN=") + kRegisteredName + '\0';
    list += QByteArray("DESCRIPTION=Temporary Use DSN") + '\0';
    for (const char* key : {"SERVER", "DATABASE", "UID", "PWD", "OPTION"})
        list += ConnectionValue(connection, QLatin1String(key), true).toUtf8() + '\0';
    // A server on the same machine may be reached by its socket, or on another port: the data
    // source must reach the same server as the connection.
    for (const char* key : {"SOCKET", "PORT"}) {
        const QString entry = ConnectionValue(connection, QLatin1String(key), true);
        if (!entry.isEmpty())
            list += entry.toUtf8() + '\0';
    }
    return list;
}

QByteArray removeAttributes()
{
    return QByteArray("DSN=") + kRemovedName + '\0';
}

bool RegisterDataSource(const QString& connection)
{
    const QByteArray driver = dataSourceDriver(connection);
    const QByteArray attributes = registerAttributes(connection) + '\0';
    if (SQLConfigDataSource(nullptr, ODBC_ADD_DSN, driver.constData(), attributes.constData())) {
        restrictToOwner(userDataSourceFile());
        return true;
    }
    return writeUserDataSource(driver, attributes);
}

bool RemoveDataSource(const QString& connection)
{
    const QByteArray driver = dataSourceDriver(connection);
    const QByteArray attributes = removeAttributes() + '\0';
    if (SQLConfigDataSource(nullptr, ODBC_REMOVE_DSN, driver.constData(), attributes.constData()))
        return true;
    return removeUserDataSource(attributes);
}
