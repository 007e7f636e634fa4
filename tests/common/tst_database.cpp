// The connection against the private server: exact text, binary values, letter case of table
// names, automatic numbers, the fatal path and the version check.

#include "Clock.h"
#include "Db.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "VersionCheck.h"

#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QtTest>

using namespace testing;

class TestDatabaseAccess : public QObject
{
    Q_OBJECT
    Db db;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(createDatabase(db, QStringLiteral("t_common_db"), &error), qPrintable(error));
    }
    void init() { clearTables(db); }

    void textIsStoredByteForByte_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hex");
        QTest::newRow("enie") << QStringLiteral("Ñoño") << QStringLiteral("C3916FC3B16F");
        QTest::newRow("quote") << QStringLiteral("O'BRIEN") << QStringLiteral("4F27425249454E");
        QTest::newRow("accents") << QStringLiteral("Sanción Día Inhábil")
                                 << QStringLiteral("53616E6369C3B36E2044C3AD6120496E68C3A16269"
                                                   "6C");
    }
    void textIsStoredByteForByte()
    {
        QFETCH(QString, name);
        QFETCH(QString, hex);
        const qint64 id = db.insertRow("Kxdepart", {{"Nombre_departamento", name}});
        QVERIFY(id > 0);
        QSqlQuery q = db.query(
            "select HEX(Nombre_departamento), LENGTH(Nombre_departamento), Nombre_departamento "
            "from Kxdepart where departamento=?",
            {id});
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), hex);
        QCOMPARE(q.value(1).toInt(), hex.size() / 2);
        QCOMPARE(q.value(2).toString(), name);
        // Found again by a bound value in another letter case (the column's collation).
        QCOMPARE(db.scalar("select departamento from kxdepart where Nombre_departamento=?",
                           {name.toLower()})
                     .toLongLong(),
                 id);
    }

    // Every Spanish letter in both cases and the characters the driver once miscounted, at the
    // column's full length (80 characters), written by one connection and read by another.
    void textReadsBackExactly_data()
    {
        QTest::addColumn<QString>("text");
        const auto full = [](const QString& start) {
            QString text = start;
            while (text.size() < 80)
                text += QStringLiteral("ÚÑ€");
            return text.left(80);
        };
        QTest::newRow("capital u acute") << QStringLiteral("ÚÚÚÚÚÚ ABCDEFGH");
        QTest::newRow("name") << QStringLiteral("RICARDO NÚÑEZ OCHOA");
        QTest::newRow("every letter") << QStringLiteral("áéíóú ÁÉÍÓÚ ü Ü ñ Ñ ¿¡ €");
        QTest::newRow("quotes") << QStringLiteral("O'BRIEN \"EL GÜERO\" `X` \\ ;");
        QTest::newRow("four bytes") << QStringLiteral("JOSÉ 😀 PÉREZ 𝄞");
        QTest::newRow("full length") << full(QStringLiteral("ZÚÑIGA BARRAGÁN "));
        QTest::newRow("full length of euros") << QString(80, QChar(0x20AC));
    }
    void textReadsBackExactly()
    {
        QFETCH(QString, text);
        Db writer;
        QString error;
        QVERIFY2(writer.open(connectionString(QStringLiteral("t_common_db")), &error),
                 qPrintable(error));
        const qint64 id = writer.insertRow("Kxdepart", {{"Nombre_departamento", text}});
        QVERIFY(id > 0);

        QCOMPARE(
            db.scalar("select HEX(Nombre_departamento) from Kxdepart where departamento=?", {id})
                .toString(),
            QString::fromLatin1(text.toUtf8().toHex().toUpper()));
        QSqlQuery q =
            db.query("select Nombre_departamento from Kxdepart where departamento=?", {id});
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), text);
        QCOMPARE(db.scalar("select Nombre_departamento from Kxdepart where departamento=?", {id})
                     .toString(),
                 text);

        // A grid's model reads through the same connection.
        QSqlQueryModel model;
        model.setQuery(db.query("select departamento, Nombre_departamento from Kxdepart"));
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.data(model.index(0, 1)).toString(), text);
        QCOMPARE(model.record(0).value("Nombre_departamento").toString(), text);
    }

    void binaryTemplateRoundTrips()
    {
        QByteArray feature(400, '\0');
        for (int i = 0; i < feature.size(); ++i)
            feature[i] = char(i % 7 == 0 ? 0 : (i * 37) & 0xff);
        db.insertRow("KxFingerP", {{"Usuario", 5}, {"NumFing", 2}, {"Feature", feature}});
        QSqlQuery q =
            db.query("select Feature, LENGTH(Feature) from KxFingerp where usuario = ?", {5});
        QVERIFY(q.next());
        QCOMPARE(q.value(1).toInt(), 400);
        QCOMPARE(q.value(0).toByteArray(), feature);
    }

    void tableNamesInAnyCase_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("upper") << "select count(*) from KXHORARIO";
        QTest::newRow("lower") << "select count(*) from kxhorario_personal";
        QTest::newRow("mixed") << "select count(*) from Permisos";
        QTest::newRow("columns") << "select count(*) from kxusuario where USUARIO > 0";
    }
    void tableNamesInAnyCase()
    {
        FatalRecorder fatal;
        QFETCH(QString, sql);
        QCOMPARE(db.scalar(sql).toInt(), 0);
        QVERIFY(fatal.failures.isEmpty());
    }

    void automaticNumbersFollowEachOther_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("department") << "Kxdepart"
                                    << "Nombre_departamento" << QVariant("VENTAS");
        QTest::newRow("location") << "KxSucursales"
                                  << "Nombre_sucursal" << QVariant("CENTRO");
        QTest::newRow("schedule") << "KxHorario"
                                  << "Nombre_horario" << QVariant("OFICINA");
        QTest::newRow("event") << "KxEvento"
                               << "fecha" << QVariant(QDate(2026, 12, 8));
        QTest::newRow("message") << "KxMensajes_personales"
                                 << "Usuario" << QVariant(3);
        QTest::newRow("holiday") << "Dias_inhabiles"
                                 << "Fecha" << QVariant(QDate(2026, 12, 25));
    }
    void automaticNumbersFollowEachOther()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        const SqlValues extra = table == "KxEvento" ? SqlValues{{"usuario", 1}} : SqlValues{};
        const qint64 first = db.insertRow(table, SqlValues{{column, value}} + extra);
        const qint64 second = db.insertRow(table, SqlValues{{column, value}} + extra);
        QVERIFY(first > 0);
        QCOMPARE(second, first + 1);
    }

    void defaultsOfFlags()
    {
        const qint64 event =
            db.insertRow("KxEvento", {{"usuario", 1}, {"fecha", QDate(2026, 1, 2)}});
        QCOMPARE(db.scalar("select cerrado from KxEvento where evento=?", {event}).toInt(), 0);
        const qint64 msg = db.insertRow("KxMensajes_personales", {{"Usuario", 1}});
        QCOMPARE(
            db.scalar("select recibido from KxMensajes_personales where mensaje=?", {msg}).toInt(),
            0);
    }

    void nullAndDateValuesBind()
    {
        const qint64 event =
            db.insertRow("KxEvento", {{"usuario", 7},
                                      {"fecha", QDate(2026, 3, 4)},
                                      {"entrada", QDateTime(QDate(2026, 3, 4), QTime(9, 1, 2))},
                                      {"salida", QVariant()}});
        QSqlQuery q = db.query("select CAST(fecha AS CHAR), CAST(entrada AS CHAR), salida IS NULL "
                               "from KxEvento where evento=?",
                               {event});
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("2026-03-04"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("2026-03-04 09:01:02"));
        QCOMPARE(q.value(2).toInt(), 1);
    }

    void negativeTimeReadAsText()
    {
        QCOMPARE(db.scalar("select CAST(timediff('08:00:00','09:30:00') AS CHAR)").toString(),
                 QStringLiteral("-01:30:00"));
    }

    void aQuoteInAValueIsData()
    {
        db.insertRow("KxUsuario", {{"Nombre", "X"}, {"Password", "A' OR '1'='1"}});
        QCOMPARE(
            db.scalar("select count(*) from KxUsuario where Password=?", {"' OR '1'='1"}).toInt(),
            0);
        QCOMPARE(
            db.scalar("select count(*) from KxUsuario where Password=?", {"A' OR '1'='1"}).toInt(),
            1);
    }

    void failingStatementTakesTheFatalPath()
    {
        FatalRecorder fatal;
        QSqlQuery q = db.query("select no_such_column from KxUsuario");
        QVERIFY(!q.next());
        QCOMPARE(fatal.failures.size(), 1);
        QVERIFY2(fatal.failures.first().contains("no_such_column"),
                 qPrintable(fatal.failures.first()));
        QCOMPARE(db.exec("delete from no_such_table"), -1);
        QCOMPARE(fatal.failures.size(), 2);
    }

    void lostConnectionIsSaidInSpanishFirst()
    {
        Db station;
        QString error;
        QVERIFY2(station.open(connectionString(QStringLiteral("t_common_db")), &error),
                 qPrintable(error));
        const int id = station.scalar("select connection_id()").toInt();
        QVERIFY(db.exec("kill ?", {id}) >= 0);
        FatalRecorder fatal;
        station.query("select count(*) from KxUsuario");
        QCOMPARE(fatal.failures.size(), 1);
        const QString text = fatal.failures.first();
        QVERIFY2(text.startsWith(QStringLiteral("Se perdió la conexión con la base de datos.\n")),
                 qPrintable(text));
        QVERIFY2(text.size() > 50, qPrintable(text)); // the driver's own text follows
        // An ordinary failure keeps the driver's text alone.
        station.open(connectionString(QStringLiteral("t_common_db")));
        station.query("select no_such_column from KxUsuario");
        QVERIFY(!fatal.failures.last().startsWith(QStringLiteral("Se perdió")));
    }

    void versionCheck_data()
    {
        QTest::addColumn<int>("program");
        QTest::addColumn<QString>("row"); // "" = no row, else "version,cierra"
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("text");
        const QString console = "Existe una Nueva versión del Sistema, consulte con Sistemas";
        const QString terminal = "Ya Existe una Nueva versión del Sistema, consulte con Sistemas";
        QTest::newRow("no row") << 2 << "" << int(VersionOutcome::Current) << "";
        QTest::newRow("same 1.0") << 2 << "1.0,1" << int(VersionOutcome::Current) << "";
        QTest::newRow("older 0.9") << 1 << "0.9,1" << int(VersionOutcome::Current) << "";
        QTest::newRow("terminal 1.1 stays")
            << 2 << "1.1,0" << int(VersionOutcome::NewerAvailable) << terminal;
        QTest::newRow("terminal 1.1 closes")
            << 2 << "1.1,1" << int(VersionOutcome::NewerMustClose) << terminal;
        QTest::newRow("console 1.1 stays")
            << 1 << "1.1,0" << int(VersionOutcome::NewerAvailable) << console;
        QTest::newRow("console 1.01 closes")
            << 1 << "1.01,1" << int(VersionOutcome::NewerMustClose) << console;
        QTest::newRow("other program's row") << 2 << "" << int(VersionOutcome::Current) << "";
    }
    void versionCheck()
    {
        QFETCH(int, program);
        QFETCH(QString, row);
        QFETCH(int, outcome);
        QFETCH(QString, text);
        RecordingMessages boxes;
        if (!row.isEmpty()) {
            const QStringList parts = row.split(',');
            db.insertRow("Version_actual", {{"Programa", program},
                                            {"Version", parts[0].toDouble()},
                                            {"cierra", parts[1].toInt()}});
        } else if (QString(QTest::currentDataTag()) == "other program's row") {
            db.insertRow("Version_actual", {{"Programa", 1}, {"Version", 2.0}, {"cierra", 1}});
        }
        QCOMPARE(int(CheckVersion(db, program)), outcome);
        if (text.isEmpty()) {
            QVERIFY(boxes.boxes.isEmpty());
        } else {
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
            QCOMPARE(boxes.boxes[0].text, text);
            QCOMPARE(boxes.boxes[0].title, QStringLiteral("Nueva Versión Disponible"));
        }
    }

    void clockFollowsTheServer()
    {
        Clock clock;
        QDateTime local(QDate(2001, 1, 1), QTime(0, 0));
        clock.setLocalSource([&] { return local; });
        QVERIFY(clock.syncWithServer(db));
        const QDateTime server = db.scalar("select NOW()").toDateTime();
        QVERIFY(qAbs(clock.now().secsTo(server)) <= 2);
        local = local.addSecs(3600);
        QVERIFY(qAbs(clock.now().secsTo(server.addSecs(3600))) <= 2);
    }

    void clockUnchangedWithoutControlRow()
    {
        Clock clock;
        const QDateTime fixed(QDate(2001, 1, 1), QTime(10, 0));
        clock.setLocalSource([&] { return fixed; });
        db.exec("delete from Kxcontrol");
        QVERIFY(!clock.syncWithServer(db));
        QCOMPARE(clock.now(), fixed);
        db.exec("insert into Kxcontrol set id=1");
    }
};

QTEST_MAIN(TestDatabaseAccess)
#include "tst_database.moc"
