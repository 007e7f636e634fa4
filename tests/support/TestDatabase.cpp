#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace testing {

QString sourceDir()
{
    const QByteArray fromEnv = qgetenv("VELANDRO_SOURCE_DIR");
    if (!fromEnv.isEmpty())
        return QString::fromLocal8Bit(fromEnv);
    return QStringLiteral(VELANDRO_SOURCE_DIR_DEFAULT);
}

QString connectionString(const QString& database)
{
    const auto env = [](const char* name, const QString& fallback) {
        const QByteArray value = qgetenv(name);
        return value.isEmpty() ? fallback : QString::fromLocal8Bit(value);
    };
    const QString socket =
        env("VELANDRO_DB_SOCKET", sourceDir() + QStringLiteral("/.db/mysqld.sock"));
    QString text = QStringLiteral("DRIVER={MariaDB Unicode};SOCKET=%1;UID=%2;PWD=%3;OPTION=3")
                       .arg(socket, env("VELANDRO_DB_USER", QStringLiteral("kx")),
                            env("VELANDRO_DB_PASSWORD", QStringLiteral("kx-velandro")));
    if (!database.isEmpty())
        text += QStringLiteral(";DATABASE=") + database;
    return text;
}

static QStringList splitStatements(const QString& text)
{
    QStringList statements;
    QString current;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("--")) || (current.isEmpty() && trimmed.isEmpty()))
            continue;
        current += line + QLatin1Char('\n');
        if (trimmed.endsWith(QLatin1Char(';'))) {
            statements << current.trimmed().chopped(1);
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

bool runSqlFile(Db& db, const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read ") + path;
        return false;
    }
    const QStringList statements = splitStatements(QString::fromUtf8(file.readAll()));
    for (const QString& statement : statements) {
        // The driver refuses SET NAMES; its connection is utf8mb4 already.
        if (statement.startsWith(QLatin1String("SET NAMES"), Qt::CaseInsensitive))
            continue;
        QSqlQuery q(db.handle());
        if (!q.exec(statement)) {
            *error = q.lastError().text() + QStringLiteral("\n in: ") + statement.left(200);
            return false;
        }
    }
    return true;
}

bool createDatabase(Db& db, const QString& name, QString* error)
{
    {
        Db server;
        if (!server.open(connectionString(), error))
            return false;
        QSqlQuery q(server.handle());
        if (!q.exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(name)) ||
            !q.exec(QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4 COLLATE "
                                   "utf8mb4_general_ci")
                        .arg(name))) {
            *error = q.lastError().text();
            return false;
        }
    }
    if (!db.open(connectionString(name), error))
        return false;
    return runSqlFile(db, sourceDir() + QStringLiteral("/sql/schema.sql"), error);
}

QStringList tableNames()
{
    return {QStringLiteral("KxUsuario"),
            QStringLiteral("Kxdepart"),
            QStringLiteral("KxSucursales"),
            QStringLiteral("KxHorario"),
            QStringLiteral("Kxhorario_personal"),
            QStringLiteral("KxEvento"),
            QStringLiteral("KxEvento_bitacora"),
            QStringLiteral("KxFingerP"),
            QStringLiteral("KxFngHora"),
            QStringLiteral("Kxmensajes_globales"),
            QStringLiteral("KxMensajes_personales"),
            QStringLiteral("permisos"),
            QStringLiteral("Dias_inhabiles"),
            QStringLiteral("Version_actual"),
            QStringLiteral("Reportes"),
            QStringLiteral("rep_asistencia_general")};
}

void clearTables(Db& db)
{
    for (const QString& table : tableNames()) {
        QSqlQuery q(db.handle());
        q.exec(QStringLiteral("TRUNCATE TABLE ") + table);
    }
}

} // namespace testing
