// The console's login, start-up (caption, data source, version check) and exit, on the real
// screens and the private database.

#include "ConnectionString.h"
#include "ConsoleScreens.h"
#include "ConsoleTesting.h"
#include "FrmLogin.h"
#include "FrmMain.h"
#include "FrmUsr.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmLogin.h"
#include "ui_FrmUsr.h"

#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_login");
const QString kRefusedText = QStringLiteral("Verifique su Usuario/Contraseña!!!");
const QString kRefusedTitle = QStringLiteral("Usuario/Contraseña NO encontrado");

// The entries of one section of an odbc.ini file.
QMap<QString, QString> iniSection(const QString& path, const QString& section)
{
    QMap<QString, QString> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    bool inside = false;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith('[')) {
            inside = line == '[' + section + ']';
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (inside && eq > 0)
            entries.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return entries;
}

// Runs `act` on the login dialog as soon as start-up shows it.
void whenLoginShows(std::function<void(FrmLogin&)> act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* login = qobject_cast<FrmLogin*>(window); login && login->isVisible()) {
                act(*login);
                return;
            }
        }
        qWarning("the login dialog did not show");
    });
}

void tryLogin(FrmLogin& login, const QString& number, const QString& password)
{
    login.ui()->Text1->setText(number);
    login.ui()->Text2->setText(password);
    login.ui()->Command1->click();
}

} // namespace

class TestConsoleLogin : public QObject
{
    Q_OBJECT
    Db db;
    QTemporaryDir folder;
    QString odbcIni;

    std::unique_ptr<ConsoleContext> openContext()
    {
        auto context = std::make_unique<ConsoleContext>();
        context->programFolder = folder.path();
        context->connectionString = stationConnection(kDatabase);
        context->db.open(context->connectionString);
        return context;
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
        prepareProgramFolder(folder.path(), kDatabase);
        // Data sources go to a file of the test's own, never to the user's ~/.odbc.ini.
        odbcIni = folder.filePath("odbc.ini");
        qputenv("ODBCINI", odbcIni.toLocal8Bit());
    }
    void init()
    {
        clearTables(db);
        QFile::remove(odbcIni);
        addUser(db, {{"Usuario", 1},
                     {"Nombre", "ADMIN ACTIVO"},
                     {"Password", "ADMIN"},
                     {"administrador", 1},
                     {"activo", 0}});
        addUser(db, {{"Usuario", 2},
                     {"Nombre", "ADMIN DE BAJA"},
                     {"Password", "BAJA"},
                     {"administrador", 1},
                     {"activo", 1}});
        addUser(db, {{"Usuario", 3},
                     {"Nombre", "EMPLEADO"},
                     {"Password", "EMPLEADO"},
                     {"administrador", 0},
                     {"activo", 0}});
    }

    void credentials_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("admin"); // 0 = refused
        QTest::newRow("active administrator") << "1"
                                              << "ADMIN" << 1;
        QTest::newRow("password compared as the database compares text") << "1"
                                                                         << "admin" << 1;
        QTest::newRow("inactive administrator") << "2"
                                                << "BAJA" << 0;
        QTest::newRow("active employee who is no administrator") << "3"
                                                                 << "EMPLEADO" << 0;
        QTest::newRow("wrong password") << "1"
                                        << "ADMIM" << 0;
        QTest::newRow("empty boxes") << ""
                                     << "" << 0;
        QTest::newRow("quote in the password") << "1"
                                               << "' OR '1'='1" << 0;
        QTest::newRow("statement in the number") << "1 OR 1=1"
                                                 << "x" << 0;
        QTest::newRow("unknown number") << "99"
                                        << "ADMIN" << 0;
    }
    void credentials()
    {
        QFETCH(QString, number);
        QFETCH(QString, password);
        QFETCH(int, admin);
        RecordingMessages boxes;
        auto context = openContext();
        EndRecorder end(*context);
        FrmLogin login(*context);
        login.show();
        tryLogin(login, number, password);
        QVERIFY(end.codes.isEmpty());
        QVERIFY(context->db.isOpen());
        if (admin != 0) {
            QCOMPARE(login.result(), int(QDialog::Accepted));
            QCOMPARE(context->AdminUser, admin);
            QVERIFY(!login.LoginPending);
            QVERIFY(boxes.boxes.isEmpty());
        } else {
            QVERIFY(login.isVisible());
            QCOMPARE(context->AdminUser, 0);
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
            QCOMPARE(boxes.boxes[0].text, kRefusedText);
            QCOMPARE(boxes.boxes[0].title, kRefusedTitle);
            QCOMPARE(login.ui()->Text1->text(), number); // the boxes keep their contents
            QCOMPARE(login.LoginAttempts, 1);
        }
    }

    void fourthFailureEndsTheConsoleSilently()
    {
        RecordingMessages boxes;
        auto context = openContext();
        EndRecorder end(*context);
        FrmLogin login(*context);
        login.show();
        for (int attempt = 1; attempt <= 3; ++attempt) {
            tryLogin(login, "1", "NO");
            QCOMPARE(boxes.boxes.size(), attempt);
            QVERIFY(end.codes.isEmpty());
        }
        tryLogin(login, "1", "NO");
        QCOMPARE(boxes.boxes.size(), 3);
        QCOMPARE(end.codes.size(), 1);
        QVERIFY(!context->db.isOpen());
        QCOMPARE(login.result(), int(QDialog::Rejected));
    }

    void rightPasswordAfterThreeFailuresStillGetsIn()
    {
        RecordingMessages boxes;
        auto context = openContext();
        EndRecorder end(*context);
        FrmLogin login(*context);
        login.show();
        for (int attempt = 1; attempt <= 3; ++attempt)
            tryLogin(login, "1", "NO");
        tryLogin(login, "1", "ADMIN");
        QCOMPARE(login.result(), int(QDialog::Accepted));
        QVERIFY(end.codes.isEmpty());
        QCOMPARE(context->AdminUser, 1);
    }

    void leavingTheDialogEndsTheConsole_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel") << "cancel";
        QTest::newRow("close box") << "close";
        QTest::newRow("escape") << "escape";
    }
    void leavingTheDialogEndsTheConsole()
    {
        QFETCH(QString, how);
        RecordingMessages boxes;
        auto context = openContext();
        EndRecorder end(*context);
        FrmLogin login(*context);
        QVERIFY(activate(&login));
        if (how == "cancel")
            login.ui()->Command2->click();
        else if (how == "close")
            login.close();
        else
            QTest::keyClick(&login, Qt::Key_Escape);
        QCOMPARE(end.codes.size(), 1);
        QVERIFY(!context->db.isOpen());
        QVERIFY(!login.isVisible());
        QVERIFY(boxes.boxes.isEmpty());
    }

    void keyboardLogin()
    {
        RecordingMessages boxes;
        auto context = openContext();
        EndRecorder end(*context);
        FrmLogin login(*context);
        QVERIFY(activate(&login));
        login.ui()->Text1->setFocus();
        QTest::keyClicks(login.ui()->Text1, "1x");
        QTest::keyClick(login.ui()->Text1, Qt::Key_Return);
        // Enter moves on and inserts nothing; the letter never got into the number box.
        QCOMPARE(login.ui()->Text1->text(), QStringLiteral("1"));
        QCOMPARE(QApplication::focusWidget(), login.ui()->Text2);
        QVERIFY(boxes.boxes.isEmpty());
        QTest::keyClicks(login.ui()->Text2, "admin");
        QCOMPARE(login.ui()->Text2->text(), QStringLiteral("ADMIN"));
        QTest::keyClick(login.ui()->Text2, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), login.ui()->Command1);
        QTest::keyClick(login.ui()->Command1, Qt::Key_Return);
        QCOMPARE(login.result(), int(QDialog::Accepted));
        QCOMPARE(context->AdminUser, 1);
    }

    void startUp_data()
    {
        QTest::addColumn<QVariant>("version"); // invalid = no row for the console
        QTest::addColumn<int>("closes");
        QTest::addColumn<bool>("runs");
        QTest::addColumn<QString>("captionEnd");
        QTest::newRow("no release row") << QVariant() << 0 << true << "";
        QTest::newRow("same release") << QVariant(1.0) << 0 << true << "";
        QTest::newRow("newer release")
            << QVariant(1.1) << 0 << true << " Existe una Nueva Versión Disponible!!!";
        QTest::newRow("newer release that closes") << QVariant(1.1) << 1 << false << "";
    }
    void startUp()
    {
        QFETCH(QVariant, version);
        QFETCH(int, closes);
        QFETCH(bool, runs);
        QFETCH(QString, captionEnd);
        if (version.isValid())
            db.insertRow("Version_actual",
                         {{"Programa", 1}, {"Version", version}, {"cierra", closes}});
        db.insertRow("Version_actual", {{"Programa", 2}, {"Version", 9.0}, {"cierra", 1}});
        RecordingMessages boxes;
        ConsoleContext context;
        context.programFolder = folder.path();
        EndRecorder end(context);
        FrmMain main(context);
        whenLoginShows([](FrmLogin& login) { tryLogin(login, "1", "ADMIN"); });
        QCOMPARE(main.Form_Load(), runs);
        QVERIFY(end.codes.isEmpty());
        QCOMPARE(context.AdminUser, 1);
        QCOMPARE(context.LocationNumber, qint16(1));
        QCOMPARE(context.skin.fileName(), QStringLiteral("Msn2008.skn"));
        QVERIFY(!main.styleSheet().isEmpty());
        QCOMPARE(boxes.boxes.size(), version.toDouble() > 1.0 ? 1 : 0);
        if (runs)
            QCOMPARE(main.windowTitle(),
                     QStringLiteral("Administrador de Reloj Velandro                    "
                                    "Versión:1.0      | (19/12/2008)") +
                         captionEnd);
        // Registered after the login, from the station's connection string.
        const QMap<QString, QString> source = iniSection(odbcIni, "Velandro");
        QCOMPARE(source.value("DESCRIPTION"), QStringLiteral("Temporary Use DSN"));
        QCOMPARE(source.value("SERVER"), QStringLiteral("localhost"));
        QCOMPARE(source.value("DATABASE"), kDatabase);
        QCOMPARE(source.value("UID"), ConnectionValue(context.connectionString, "UID", false));
        QCOMPARE(source.value("PWD"), ConnectionValue(context.connectionString, "PWD", false));
        QCOMPARE(source.value("OPTION"), QStringLiteral("3"));
        // It holds the database password: the owner alone may read it.
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(odbcIni) & others, QFile::Permissions());
        QVERIFY(QFile::permissions(odbcIni) & QFile::ReadOwner);
    }

    void refusedLoginStopsTheStartUp()
    {
        RecordingMessages boxes;
        ConsoleContext context;
        context.programFolder = folder.path();
        EndRecorder end(context);
        FrmMain main(context);
        whenLoginShows([](FrmLogin& login) { login.ui()->Command2->click(); });
        QVERIFY(!main.Form_Load());
        QCOMPARE(end.codes, QList<int>{0});
        QVERIFY(!context.db.isOpen());
        QVERIFY(iniSection(odbcIni, "Velandro").isEmpty());
    }

    void missingSkinEndsBeforeTheStationFileIsRead()
    {
        QTemporaryDir empty;
        RecordingMessages boxes;
        ConsoleContext context;
        context.programFolder = empty.path();
        EndRecorder end(context);
        FrmMain main(context);
        QVERIFY(!main.Form_Load());
        QCOMPARE(end.codes, QList<int>{1});
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(boxes.boxes[0].text.contains("Msn2008.skn"));
        QVERIFY(!context.db.isOpen());
    }

    void exit_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void exit()
    {
        QFETCH(bool, answer);
        {
            QFile file(odbcIni);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[DIDeva]\nDriver=MariaDB Unicode\nDATABASE=old\n\n"
                       "[Velandro]\nDriver=MariaDB Unicode\nDATABASE=velandro\n");
        }
        RecordingMessages boxes;
        boxes.answers << answer;
        FatalRecorder fatal;
        auto context = openContext();
        FrmMain main(*context);
        registerScreens(main);
        QVERIFY(activate(&main));
        // A users screen with a number in its box, whose leaving looks the user up.
        auto* users = qobject_cast<FrmUsr*>(main.openScreen("CmdUsr"));
        users->ui()->TbUsr->setFocus();
        users->ui()->TbUsr->setText("1");
        main.menuItem("CmdExit")->trigger();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("question"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("¿Está seguro de Salir del Sistema?"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Salir del sistema"));
        QCOMPARE(main.isVisible(), !answer);
        QCOMPARE(context->db.isOpen(), !answer);
        QCOMPARE(iniSection(odbcIni, "DIDeva").isEmpty(), answer);
        QCOMPARE(iniSection(odbcIni, "Velandro").value("DATABASE"), QStringLiteral("velandro"));
        // Nothing runs on the closed connection while the screens go.
        QVERIFY(fatal.failures.isEmpty());
    }
};

QTEST_MAIN(TestConsoleLogin)
#include "tst_console_login.moc"
