#include "ConsoleTesting.h"

#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace testing {

QString stationConnection(const QString& database)
{
    QString text = connectionString(database);
    text.replace(QStringLiteral("DRIVER={MariaDB Unicode};"),
                 QStringLiteral("DRIVER={MariaDB Unicode};SERVER=localhost;"));
    return text;
}

void prepareProgramFolder(const QString& folder, const QString& database)
{
    const QDir skins(sourceDir() + QStringLiteral("/common/skins"));
    for (const QString& skin : skins.entryList({QStringLiteral("*.skn")})) {
        QFile::remove(QDir(folder).filePath(skin));
        QFile::copy(skins.filePath(skin), QDir(folder).filePath(skin));
    }
    QFile::copy(sourceDir() + QStringLiteral("/common/log.jpg"),
                QDir(folder).filePath(QStringLiteral("log.jpg")));
    QFile file(QDir(folder).filePath(QStringLiteral("VeZuviv.ini")));
    if (file.open(QIODevice::WriteOnly))
        file.write((stationConnection(database) + QStringLiteral("\n1\n")).toUtf8());
}

EndRecorder::EndRecorder(ConsoleContext& context)
{
    context.EndProgram = [this](int code) { codes << code; };
}

int addUser(Db& db, const SqlValues& values)
{
    return int(db.insertRow(QStringLiteral("KxUsuario"), values));
}

int count(Db& db, const QString& sql, const SqlParams& params)
{
    return db.scalar(sql, params).toInt();
}

bool activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

} // namespace testing
