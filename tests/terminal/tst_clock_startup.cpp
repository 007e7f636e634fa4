// The terminal's start-up, captions, clock, screen reset and closing, on the real screen and
// the private database.

#include "FrmClock.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmClock.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_clock_startup");

void writeStation(const QString& folder, const QString& location)
{
    QFile file(QDir(folder).filePath("VeZuviv.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write((connectionString(kDatabase) + "\n" + location + "\n").toUtf8());
}

} // namespace

class TestClockStartup : public QObject
{
    Q_OBJECT
    Db db;
    QTemporaryDir folder;

    std::unique_ptr<AppContext> newContext()
    {
        auto context = std::make_unique<AppContext>();
        context->programFolder = folder.path();
        return context;
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
    }
    void init()
    {
        clearTables(db);
        db.insertRow("KxSucursales", {{"sucursal", 3}, {"Nombre_sucursal", "MATRIZ MONTERREY"}});
        writeStation(folder.path(), " 3 ");
    }

    void captionOfAKnownLocation()
    {
        RecordingMessages boxes;
        auto context = newContext();
        FrmClock form(*context);
        QVERIFY(form.Form_Load());
        QCOMPARE(form.windowTitle(),
                 QStringLiteral("Reloj Velandro       Ubicación:MATRIZ MONTERREY                | "
                                "                 Versión BETA 1.1(18/12/2008)"));
        QVERIFY(form.ui()->TxtUsuario->isEnabled());
        QCOMPARE(form.ui()->LblMsg->text(), QStringLiteral("Ingrese su Numero de Usuario"));
        QVERIFY(form.ui()->TxtClave->isHidden());
        QVERIFY(form.ui()->LblClave->isHidden());
        QVERIFY(form.ui()->iGrid1->isHidden());
        QCOMPARE(form.TmrClock().interval(), 8000);
        QVERIFY(form.TmrClock().isActive());
        QVERIFY(form.ExitAllowed);
        QCOMPARE(context->LocationNumber, qint16(3));
        QVERIFY(boxes.boxes.isEmpty());
    }

    void unknownLocationDisablesTheUserBox()
    {
        writeStation(folder.path(), "9");
        auto context = newContext();
        FrmClock form(*context);
        QVERIFY(form.Form_Load());
        QCOMPARE(form.windowTitle(),
                 QStringLiteral("Reloj Velandro       Ubicación NO Configurada!!!                 "
                                "      |                  Versión BETA 1.1(18/12/2008)"));
        QVERIFY(!form.ui()->TxtUsuario->isEnabled());
    }

    void badStationFileEndsTheProgram_data()
    {
        QTest::addColumn<QString>("content"); // empty = no file
        QTest::newRow("missing") << "";
        QTest::newRow("one line") << "DSN=x\n";
        QTest::newRow("letters on line 2") << "DSN=x\nabc\n";
        QTest::newRow("refused connection")
            << "DRIVER={MariaDB Unicode};SERVER=127.0.0.1;PORT=1;UID=x;PWD=y\n1\n";
    }
    void badStationFileEndsTheProgram()
    {
        QFETCH(QString, content);
        QTemporaryDir other;
        if (!content.isEmpty()) {
            QFile file(other.filePath("VeZuviv.ini"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content.toUtf8());
        }
        RecordingMessages boxes;
        AppContext context;
        context.programFolder = other.path();
        FrmClock form(context);
        QVERIFY(!form.Form_Load());
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QVERIFY(!boxes.boxes[0].text.isEmpty());
    }

    void newerReleaseThatClosesEndsTheProgram()
    {
        db.insertRow("Version_actual", {{"Programa", 2}, {"Version", 1.1}, {"cierra", 1}});
        RecordingMessages boxes;
        auto context = newContext();
        FrmClock form(*context);
        QVERIFY(!form.Form_Load());
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Nueva Versión Disponible"));
    }

    void newerReleaseThatStaysKeepsTheLocationCaption()
    {
        db.insertRow("Version_actual", {{"Programa", 2}, {"Version", 1.1}, {"cierra", 0}});
        RecordingMessages boxes;
        auto context = newContext();
        FrmClock form(*context);
        QVERIFY(form.Form_Load());
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(form.windowTitle().startsWith("Reloj Velandro       Ubicación:MATRIZ MONTERREY"));
    }

    void dateButtonResynchronisesTheClock()
    {
        auto context = newContext();
        FrmClock form(*context);
        QVERIFY(form.Form_Load());
        QDateTime local(QDate(1999, 5, 5), QTime(7, 0));
        context->clock.setLocalSource([&] { return local; });
        context->clock.syncTo(local); // drift: the terminal now believes it is 1999
        QCOMPARE(context->clock.now().date(), QDate(1999, 5, 5));
        QTest::mouseClick(form.ui()->CmdFecha, Qt::LeftButton);
        const QDateTime server = db.scalar("select NOW()").toDateTime();
        QVERIFY(qAbs(context->clock.now().secsTo(server)) <= 2);
        QVERIFY(form.ui()->CmdFecha->text().contains(QString::number(server.date().year())));
    }

    void clockLabelsFollowTheTerminalClock_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("dayOfWeek");
        const QDate sunday(2026, 12, 6);
        QTest::newRow("Sunday afternoon") << QDateTime(sunday, QTime(15, 7, 40)) << "03:07 PM"
                                          << "domingo, 6 de diciembre de 2026" << 1;
        QTest::newRow("Monday morning") << QDateTime(sunday.addDays(1), QTime(9, 5)) << "09:05 AM"
                                        << "lunes, 7 de diciembre de 2026" << 2;
        QTest::newRow("noon") << QDateTime(sunday.addDays(6), QTime(12, 0)) << "12:00 PM"
                              << "sábado, 12 de diciembre de 2026" << 7;
        QTest::newRow("half past midnight") << QDateTime(sunday, QTime(0, 30, 59)) << "12:30 AM"
                                            << "domingo, 6 de diciembre de 2026" << 1;
    }
    void clockLabelsFollowTheTerminalClock()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, time);
        QFETCH(QString, date);
        QFETCH(int, dayOfWeek);
        auto context = newContext();
        FrmClock form(*context);
        QVERIFY(form.Form_Load());
        context->clock.setLocalSource([&] { return moment; });
        context->clock.syncTo(moment);
        form.RefreshClock();
        // "hh:mm AM/PM": AM and PM as such, not the locale's "a. m." and "p. m.".
        QCOMPARE(form.ui()->LblTime->text(), time);
        QCOMPARE(form.ui()->CmdFecha->text(), date);
        QCOMPARE(form.currentDayOfWeek(), qint16(dayOfWeek));
    }

    void messageResetsAfterFourSeconds()
    {
        auto context = newContext();
        FrmClock form(*context);
        QVERIFY(form.Form_Load());
        form.ui()->LblMsg->setText("El Numero de Usuario NO Existe...");
        form.ui()->TxtUsuario->setText("77");
        form.ui()->LblNombre->setText("ALGUIEN");
        form.TmrMsg().start();
        QCOMPARE(form.TmrMsg().interval(), 4000);
        QVERIFY(form.TmrMsg().isSingleShot());
        // The timer's own signal, as when its 4 seconds are up.
        QVERIFY(QMetaObject::invokeMethod(&form.TmrMsg(), "timeout", Qt::DirectConnection));
        QCOMPARE(form.ui()->LblMsg->text(), QStringLiteral("Ingrese su Numero de Usuario"));
        QVERIFY(form.ui()->TxtUsuario->text().isEmpty());
        QVERIFY(form.ui()->LblNombre->text().isEmpty());
        QVERIFY(!form.TmrMsg().isActive());
    }

    void closing_data()
    {
        QTest::addColumn<bool>("exitAllowed");
        QTest::addColumn<bool>("inProgress");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        QTest::newRow("idle, yes") << true << false << true << true << true;
        QTest::newRow("idle, no") << true << false << false << true << false;
        QTest::newRow("punch being recorded") << false << true << true << false << false;
        QTest::newRow("check in progress") << true << true << true << false << false;
    }
    void closing()
    {
        QFETCH(bool, exitAllowed);
        QFETCH(bool, inProgress);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        RecordingMessages boxes;
        boxes.answers << answer;
        auto context = newContext();
        FrmClock form(*context);
        QVERIFY(form.Form_Load());
        form.show();
        form.ExitAllowed = exitAllowed;
        form.CheckInProgress = inProgress;
        QCOMPARE(form.close(), closed);
        QCOMPARE(!boxes.boxes.isEmpty(), asked);
        if (asked) {
            QCOMPARE(boxes.boxes[0].text, QStringLiteral("¿Está seguro de Salir del Sistema?"));
            QCOMPARE(boxes.boxes[0].title, QStringLiteral("Salir del sistema"));
        }
        QCOMPARE(context->db.isOpen(), !closed);
    }
};

QTEST_MAIN(TestClockStartup)
#include "tst_clock_startup.moc"
