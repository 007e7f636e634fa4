// Station file, connection string values, data-source entries, key filters, the
// single-instance guard and skins.

#include "ConnectionString.h"
#include "DataSource.h"
#include "KeyFilters.h"
#include "SingleInstance.h"
#include "Skin.h"
#include "StationConfig.h"
#include "Translations.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <QVBoxLayout>

class TestStation : public QObject
{
    Q_OBJECT

private slots:
    void parseConfig_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("location");
        QTest::newRow("blanks around 3") << "DSN=x\n 3 \n" << true << 3;
        QTest::newRow("windows line ends") << "DSN=x\r\n12\r\nrest ignored\r\n" << true << 12;
        QTest::newRow("no final newline") << "DSN=x\n7" << true << 7;
        QTest::newRow("one line only") << "DSN=x\n" << false << 0;
        QTest::newRow("one line no newline") << "DSN=x" << false << 0;
        QTest::newRow("letters") << "DSN=x\nabc\n" << false << 0;
        QTest::newRow("too big for 16 bits") << "DSN=x\n40000\n" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
    }
    void parseConfig()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, location);
        const StationConfigResult result = parseStationConfig(text);
        QCOMPARE(result.ok, ok);
        if (ok) {
            QCOMPARE(int(result.config.locationNumber), location);
            QCOMPARE(result.config.connectionString, QStringLiteral("DSN=x"));
        } else {
            QVERIFY(!result.error.isEmpty());
        }
    }

    void missingConfigFile()
    {
        QTemporaryDir dir;
        const StationConfigResult result = readStationConfig(dir.path());
        QVERIFY(!result.ok);
        QVERIFY(result.error.contains("VeZuviv.ini"));
    }

    void readConfigFile()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("VeZuviv.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("DRIVER={MariaDB Unicode};SERVER=127.0.0.1\n2\n");
        file.close();
        const StationConfigResult result = readStationConfig(dir.path());
        QVERIFY(result.ok);
        QCOMPARE(result.config.locationNumber, qint16(2));
    }

    void connectionValue_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("includeKey");
        QTest::addColumn<QString>("value");
        QTest::newRow("braces dropped") << "DRIVER" << false << "MariaDB Unicode";
        QTest::newRow("with key") << "SERVER" << true << "SERVER=db.local";
        QTest::newRow("without key") << "SERVER" << false << "db.local";
        QTest::newRow("last without ;") << "OPTION" << false << "3";
        // A ";" inside braces still ends the value, as the installer reads it.
        QTest::newRow("braced value with key") << "PWD" << true << "PWD=se";
        QTest::newRow("missing") << "PORT" << false << "";
        QTest::newRow("case sensitive") << "server" << false << "";
    }
    void connectionValue()
    {
        QFETCH(QString, key);
        QFETCH(bool, includeKey);
        QFETCH(QString, value);
        const QString conn = "DRIVER={MariaDB Unicode};SERVER={db.local};DATABASE=velandro;"
                             "UID=kx;PWD={se;cr};OPTION=3";
        QCOMPARE(ConnectionValue(conn, key, includeKey), value);
    }

    void registerAttributeList()
    {
        const QString conn = "DRIVER={MariaDB Unicode};SERVER={127.0.0.1};DATABASE=velandro;"
                             "UID=kx;PWD=pw;OPTION=3";
        QCOMPARE(dataSourceDriver(conn), QByteArray("MariaDB Unicode\0", 16));
        static const char raw[] = "DSN=Velandro\0DESCRIPTION=Temporary Use DSN\0SERVER=127.0.0.1\0"
                                  "DATABASE=velandro\0UID=kx\0PWD=pw\0OPTION=3\0";
        const QByteArray expected(raw, sizeof raw - 1);
        QCOMPARE(registerAttributes(conn), expected);
        QCOMPARE(removeAttributes(), QByteArray("DSN=DIDeva\0", 11));
    }

    void missingKeyLeavesLoneNul()
    {
        const QByteArray list = registerAttributes("DRIVER=x;SERVER=s;UID=u;PWD=p;OPTION=3");
        QVERIFY(list.contains(QByteArray("SERVER=s\0\0UID=u", 15)));
    }

    void userDataSourceFileIsPrivate()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("odbc.ini");
        qputenv("ODBCINI", ini.toLocal8Bit());
        const QString conn = "DRIVER={MariaDB Unicode};SERVER=127.0.0.1;DATABASE=velandro;UID=kx;"
                             "PWD=secret;OPTION=3";
        QVERIFY(RegisterDataSource(conn));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        file.close();
        QVERIFY2(text.contains("[Velandro]"), qPrintable(text));
        QVERIFY(text.contains("PWD") && text.contains("secret"));
        QCOMPARE(file.permissions() &
                     (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
        // Removing "DIDeva" leaves "Velandro" in place.
        RemoveDataSource(conn);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll()).contains("[Velandro]"));
        qunsetenv("ODBCINI");
    }

    // The registered entry holds every attribute of the connection string, whether it names
    // a server or a socket.
    void registeredEntryHoldsEveryAttribute_data()
    {
        QTest::addColumn<QString>("conn");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("server") << "DRIVER={MariaDB Unicode};SERVER=192.0.2.10;PORT=3306;"
                                   "DATABASE=velandro;UID=kx;PWD=secret;OPTION=3"
                                << QStringList{"SERVER",   "192.0.2.10", "PORT",   "3306",
                                               "DATABASE", "velandro",   "UID",    "kx",
                                               "PWD",      "secret",     "OPTION", "3"};
        QTest::newRow("socket") << "DRIVER={MariaDB Unicode};SOCKET=/run/mysqld/mysqld.sock;"
                                   "DATABASE=velandro;UID=kx;PWD=secret;OPTION=3"
                                << QStringList{"SOCKET",   "/run/mysqld/mysqld.sock",
                                               "DATABASE", "velandro",
                                               "UID",      "kx",
                                               "PWD",      "secret",
                                               "OPTION",   "3"};
    }
    void registeredEntryHoldsEveryAttribute()
    {
        QFETCH(QString, conn);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const QString ini = dir.filePath("odbc.ini");
        qputenv("ODBCINI", ini.toLocal8Bit());
        QVERIFY(RegisterDataSource(conn));
        qunsetenv("ODBCINI");
        QSettings file(ini, QSettings::IniFormat);
        file.beginGroup("Velandro");
        for (qsizetype i = 0; i < lines.size(); i += 2)
            QCOMPARE(file.value(lines[i]).toString(), lines[i + 1]);
        QVERIFY(file.value("Driver").toString().contains("MariaDB"));
    }

    void standardButtonsReadInSpanish()
    {
        QVERIFY(LoadSpanishTranslations(*QCoreApplication::instance()));
        QMessageBox box(QMessageBox::Question, "¿Borrar?", "x",
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
        const auto caption = [&](QMessageBox::StandardButton which) {
            return box.button(which)->text().remove(QLatin1Char('&'));
        };
        QCOMPARE(caption(QMessageBox::Yes), QStringLiteral("Sí"));
        QCOMPARE(caption(QMessageBox::No), QStringLiteral("No"));
        QCOMPARE(caption(QMessageBox::Ok), QStringLiteral("Aceptar"));
        QCOMPARE(caption(QMessageBox::Cancel), QStringLiteral("Cancelar"));
    }

    void keyRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("digits");
        QTest::newRow("letter") << "a"
                                << "A"
                                << "";
        QTest::newRow("enie") << "ñ"
                              << "Ñ"
                              << "";
        QTest::newRow("accent") << "é"
                                << "É"
                                << "";
        QTest::newRow("u umlaut") << "ü"
                                  << "Ü"
                                  << "";
        QTest::newRow("digit") << "7"
                               << "7"
                               << "7";
        QTest::newRow("sign") << "-"
                              << "-"
                              << "";
    }
    void keyRules()
    {
        QFETCH(QString, typed);
        QFETCH(QString, upper);
        QFETCH(QString, digits);
        QCOMPARE(QString(upperKey(typed[0])), upper);
        const QChar d = digitKey(typed[0]);
        QCOMPARE(d.isNull() ? QString() : QString(d), digits);
    }

    void keyFiltersOnRealBoxes()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* upper = new QLineEdit;
        auto* digits = new QLineEdit;
        auto* next = new QLineEdit;
        layout->addWidget(upper);
        layout->addWidget(digits);
        layout->addWidget(next);
        KeyUpper(upper);
        KeyDigits(digits);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        upper->setFocus();
        QTest::keyClicks(upper, "abc1");
        QTest::sendKeyEvent(QTest::KeyAction::Click, upper, Qt::Key_unknown, QStringLiteral("ñ"),
                            Qt::NoModifier);
        QCOMPARE(upper->text(), QStringLiteral("ABC1Ñ"));
        QTest::keyClick(upper, Qt::Key_Return);
        QCOMPARE(upper->text(), QStringLiteral("ABC1Ñ"));
        QTRY_VERIFY(digits->hasFocus());

        QTest::keyClicks(digits, "1a2-3");
        QCOMPARE(digits->text(), QStringLiteral("123"));
        QTest::keyClick(digits, Qt::Key_Backspace);
        QCOMPARE(digits->text(), QStringLiteral("12"));
        QTest::keyClick(digits, Qt::Key_Enter);
        QCOMPARE(digits->text(), QStringLiteral("12"));
        QTRY_VERIFY(next->hasFocus());
        // Pasted text is not filtered.
        digits->insert("x9");
        QCOMPARE(digits->text(), QStringLiteral("12x9"));
    }

    void secondInstanceRefused()
    {
        QTemporaryDir dir;
        SingleInstance first("Velandro", dir.path());
        QVERIFY(first.acquired());
        {
            SingleInstance second("Velandro", dir.path());
            QVERIFY(!second.acquired());
            SingleInstance other("Tasquelo", dir.path());
            QVERIFY(other.acquired());
        }
    }

    void skinsLoadAndDiffer()
    {
        const QStringList names = {"Msn2008.skn", "VistaBlueNew.skn", "GrayPlastic.skn",
                                   "LinuxUbuntu2.skn", "Mxs61.skn"};
        QSet<QString> sheets;
        for (const QString& name : names) {
            SkinCtrl skin;
            QVERIFY2(skin.loadSkin(QStringLiteral(VELANDRO_BIN_DIR "/") + name), qPrintable(name));
            QVERIFY(!skin.styleSheet().isEmpty());
            sheets.insert(skin.styleSheet());
            QWidget w;
            skin.applySkin(&w);
            QCOMPARE(w.styleSheet(), skin.styleSheet());
        }
        QCOMPARE(sheets.size(), names.size());
        SkinCtrl missing;
        QVERIFY(!missing.loadSkin("/nonexistent/None.skn"));
    }

    // In every skin a disabled menu item is drawn in another colour than an enabled one.
    void disabledMenuItemsLookDisabled_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Msn2008.skn", "VistaBlueNew.skn", "GrayPlastic.skn",
                                 "LinuxUbuntu2.skn", "Mxs61.skn"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void disabledMenuItemsLookDisabled()
    {
        QFETCH(QString, name);
        SkinCtrl skin;
        QVERIFY(skin.loadSkin(QStringLiteral(VELANDRO_BIN_DIR "/") + name));
        QMenu menu;
        QAction* enabled = menu.addAction(QStringLiteral("MMMMMMMM"));
        QAction* disabled = menu.addAction(QStringLiteral("MMMMMMMM"));
        disabled->setEnabled(false);
        skin.applySkin(&menu);
        menu.ensurePolished();
        menu.adjustSize();
        const QImage image = menu.grab().toImage();
        // The colour of an item's text: the one furthest from the item's background.
        const auto textColour = [&](QAction* action) {
            const QRect rect = menu.actionGeometry(action);
            const QRgb background = image.pixel(rect.left() + 2, rect.center().y());
            QRgb furthest = background;
            int distance = -1;
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x) {
                    const QRgb c = image.pixel(x, y);
                    const int d = qAbs(qRed(c) - qRed(background)) +
                                  qAbs(qGreen(c) - qGreen(background)) +
                                  qAbs(qBlue(c) - qBlue(background));
                    if (d > distance) {
                        distance = d;
                        furthest = c;
                    }
                }
            return QColor(furthest);
        };
        const QColor on = textColour(enabled);
        const QColor off = textColour(disabled);
        const int difference = qAbs(on.red() - off.red()) + qAbs(on.green() - off.green()) +
                               qAbs(on.blue() - off.blue());
        QVERIFY2(difference > 60, qPrintable(on.name() + " vs " + off.name()));
    }

    // Last: it changes the default locale of the test program.
    void calendarsInSpanishStartOnMonday()
    {
        UseSpanishLocale(*QCoreApplication::instance());
        QCalendarWidget calendar;
        calendar.show();
        QCOMPARE(calendar.firstDayOfWeek(), Qt::Monday);
        QCOMPARE(calendar.locale().monthName(11), QStringLiteral("noviembre"));
        QCOMPARE(QLocale().toString(QDate(2026, 11, 30), QStringLiteral("dddd")),
                 QStringLiteral("lunes"));
    }
};

QTEST_MAIN(TestStation)
#include "tst_station.moc"
