// tasquelo-report: its command line, and the program itself run against the test database
// (rows written, the station file by default, and its refusals with a non-zero status).

#include "ReportCommand.h"
#include "TestDatabase.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_report_command");

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run runProgram(const QStringList& arguments, const QString& program = TASQUELO_REPORT)
{
    QProcess process;
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

class TestReportCommand : public QObject
{
    Q_OBJECT
    Db db;
    int ventas = 0;
    int ana = 0, bruno = 0, carla = 0;

    int rows() { return db.scalar("SELECT COUNT(*) FROM rep_asistencia_general").toInt(); }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
    }
    void init()
    {
        clearTables(db);
        ventas = int(db.insertRow("Kxdepart", {{"Nombre_departamento", "VENTAS"}}));
        ana = int(db.insertRow("KxUsuario", {{"Nombre", "ANA"}, {"departamento", ventas}}));
        bruno = int(db.insertRow("KxUsuario", {{"Nombre", "BRUNO"}}));
        carla = int(db.insertRow("KxUsuario",
                                 {{"Nombre", "CARLA"}, {"departamento", ventas}, {"activo", 1}}));
    }

    void parsing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("result"); // who and period, or the error
        QTest::newRow("users") << QStringList{"--from",     "2026-11-01", "--to",
                                              "2026-11-30", "--users",    "1,2,3"}
                               << "users 1 2 3 2026-11-01..2026-11-30";
        QTest::newRow("values after =")
            << QStringList{"--from=2026-11-01", "--to=2026-11-02", "--department=4"}
            << "department 4 2026-11-01..2026-11-02";
        QTest::newRow("all") << QStringList{"--all", "--from", "2026-02-28", "--to", "2026-02-01"}
                             << "all 2026-02-28..2026-02-01";
        QTest::newRow("no such day")
            << QStringList{"--from", "2026-02-30", "--to", "2026-03-01", "--all"}
            << "Fecha no válida: 2026-02-30 (se espera AAAA-MM-DD)";
        QTest::newRow("day first")
            << QStringList{"--from", "01/11/2026", "--to", "2026-11-30", "--all"}
            << "Fecha no válida: 01/11/2026 (se espera AAAA-MM-DD)";
        QTest::newRow("no period")
            << QStringList{"--all"} << "Indique el periodo con --from y --to (AAAA-MM-DD)";
        QTest::newRow("two selections")
            << QStringList{"--from", "2026-11-01", "--to", "2026-11-30", "--all", "--users", "1"}
            << "Indique los empleados con una sola de las opciones --users, --department o --all";
        QTest::newRow("no selection") << QStringList{"--from", "2026-11-01", "--to", "2026-11-30"}
                                      << "Indique los empleados con una sola de las opciones "
                                         "--users, --department o --all";
        QTest::newRow("a user that is no number")
            << QStringList{"--from", "2026-11-01", "--to", "2026-11-30", "--users", "1,x"}
            << "Lista de usuarios no válida: 1,x";
        QTest::newRow("an unknown option")
            << QStringList{"--desde", "2026-11-01"} << "Opción desconocida: --desde";
        QTest::newRow("a missing value")
            << QStringList{"--all", "--from"} << "Falta el valor de --from";
        const QStringList period{"--from", "2026-11-01", "--to", "2026-11-30", "--all"};
        QTest::newRow("a report without an output")
            << period + QStringList{"--report", "1"}
            << "Indique dónde escribir el reporte con --pdf o --csv";
        QTest::newRow("an output without a report")
            << period + QStringList{"--pdf", "x.pdf"}
            << "Indique qué reporte exportar con --report o --layout";
        QTest::newRow("a report and a layout")
            << period + QStringList{"--report", "1", "--layout", "a.rpt", "--csv", "x.csv"}
            << "Indique el reporte con --report o con --layout, no con ambas";
        QTest::newRow("a report that is no number")
            << period + QStringList{"--report", "uno", "--pdf", "x.pdf"}
            << "Reporte no válido: uno";
    }
    void parsing()
    {
        QFETCH(QStringList, arguments);
        const ReportCommandParse parsed = ParseReportCommand(arguments);
        QString result = parsed.error;
        if (parsed.command) {
            const ReportCommand& c = *parsed.command;
            const QString period = c.from.toString(Qt::ISODate) + ".." + c.to.toString(Qt::ISODate);
            if (c.who == ReportCommand::Who::Users) {
                QStringList users;
                for (int u : c.users)
                    users << QString::number(u);
                result = "users " + users.join(' ') + " " + period;
            } else if (c.who == ReportCommand::Who::Department) {
                result = QString("department %1 %2").arg(c.department).arg(period);
            } else {
                result = "all " + period;
            }
        }
        QTEST(result, "result");
    }

    void runs_data()
    {
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("message");
        QTest::newRow("named users, inactive ones too")
            << QStringList{"--users", QString("%1,%2").arg(ana).arg(carla)} << 0 << 60
            << "Filas escritas en rep_asistencia_general: 60";
        QTest::newRow("a department's current employees")
            << QStringList{"--department", QString::number(ventas)} << 0 << 30
            << "Filas escritas en rep_asistencia_general: 30";
        QTest::newRow("all current employees")
            << QStringList{"--all"} << 0 << 60 << "Filas escritas en rep_asistencia_general: 60";
        QTest::newRow("an unknown user") << QStringList{"--users", QString("%1,9999").arg(ana)} << 1
                                         << -1 << "Usuario desconocido: 9999";
        QTest::newRow("an unknown department")
            << QStringList{"--department", "9999"} << 1 << -1 << "Departamento desconocido: 9999";
    }
    void runs()
    {
        QFETCH(QStringList, selection);
        QFETCH(int, rows);
        QFETCH(QString, message);
        db.exec("INSERT INTO rep_asistencia_general SET usuario=1,Fecha='2020-01-01'");
        const Run run = runProgram(QStringList{"--from", "2026-11-01", "--to", "2026-11-30",
                                               "--connection", connectionString(kDatabase)} +
                                   selection);
        QTEST(run.status, "status");
        QVERIFY2((run.out + run.err).contains(message), qPrintable(run.out + run.err));
        QCOMPARE(this->rows(), rows < 0 ? 1 : rows); // a refusal leaves the table alone
    }

    // A catalogue report written to PDF and CSV after the table is filled, as the console's
    // viewer would show it; a layout that does not exist is named and fails the run.
    void exportsTheReport()
    {
        QTemporaryDir folder;
        const QString program = folder.filePath("tasquelo-report");
        QVERIFY(QFile::copy(TASQUELO_REPORT, program));
        QVERIFY(QDir(folder.path()).mkdir("Reportes"));
        const QString shipped =
            QFileInfo(TASQUELO_REPORT).absolutePath() + "/Reportes/AsistenciaGeneral.rpt";
        QVERIFY2(QFile::copy(shipped, folder.filePath("Reportes/AsistenciaGeneral.rpt")),
                 qPrintable(shipped));
        db.exec("INSERT INTO Reportes SET Reporte=1, Nombre_reporte='Reporte General', "
                "Descripcion='Asistencia', RPT='AsistenciaGeneral.rpt'");
        db.exec("UPDATE KxUsuario SET Nombre='ANA NÚÑEZ ÜBEDA' WHERE Usuario=?", {ana});
        const QString pdf = folder.filePath("general.pdf");
        const QString csv = folder.filePath("general.csv");
        const QStringList period{"--from",
                                 "2026-11-02",
                                 "--to",
                                 "2026-11-06",
                                 "--all",
                                 "--connection",
                                 connectionString(kDatabase)};
        Run run =
            runProgram(period + QStringList{"--report", "1", "--pdf", pdf, "--csv", csv}, program);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains("Reporte escrito en " + pdf), qPrintable(run.out + run.err));
        QFile pdfFile(pdf);
        QVERIFY(pdfFile.open(QIODevice::ReadOnly));
        const QByteArray pdfBytes = pdfFile.readAll();
        QVERIFY(pdfBytes.startsWith("%PDF"));
        QVERIFY(pdfBytes.contains("/Type /Page"));
        QFile csvFile(csv);
        QVERIFY(csvFile.open(QIODevice::ReadOnly));
        const QString csvText = QString::fromUtf8(csvFile.readAll());
        QVERIFY2(csvText.contains("ANA NÚÑEZ ÜBEDA"), qPrintable(csvText.left(400)));
        // A heading line and one line per employee and day (two employees, five days).
        QCOMPARE(csvText.split("\r\n", Qt::SkipEmptyParts).size(), 1 + 2 * 5);

        run = runProgram(period +
                             QStringList{"--layout", folder.filePath("NoExiste.rpt"), "--pdf", pdf},
                         program);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("NoExiste.rpt"), qPrintable(run.err));
    }

    void badCommandLine()
    {
        const Run run = runProgram({"--from", "2026-13-01", "--to", "2026-11-30", "--all"});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains("Fecha no válida: 2026-13-01"));
        QVERIFY(run.err.contains("Uso: tasquelo-report"));
    }

    void unreachableDatabase()
    {
        const Run run =
            runProgram({"--from", "2026-11-01", "--to", "2026-11-30", "--all", "--connection",
                        "DRIVER={MariaDB Unicode};SOCKET=/nonexistent/mysqld.sock;"
                        "UID=kx;PWD=x;DATABASE=velandro"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("No se pudo conectar a la base de datos"), qPrintable(run.err));
    }

    void stationFileByDefault()
    {
        // The program beside a VeZuviv.ini, as it is installed beside the console.
        QTemporaryDir folder;
        const QString program = folder.filePath("tasquelo-report");
        QVERIFY(QFile::copy(TASQUELO_REPORT, program));
        QFile ini(folder.filePath("VeZuviv.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write((connectionString(kDatabase) + "\n1\n").toUtf8());
        ini.close();
        const Run run = runProgram(
            {"--from", "2026-11-01", "--to", "2026-11-01", "--users", QString::number(bruno)},
            program);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains("Filas escritas en rep_asistencia_general: 1"),
                 qPrintable(run.err));
        QCOMPARE(rows(), 1);
    }
};

QTEST_GUILESS_MAIN(TestReportCommand)
#include "tst_report_command.moc"
