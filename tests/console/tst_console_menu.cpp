// The console's main window: its menu, the screens the menu opens, the skins and the
// fingerprint items' switches.

#include "ConsoleScreens.h"
#include "ConsoleTesting.h"
#include "FrmAbout.h"
#include "FrmDepartamentos.h"
#include "FrmMain.h"
#include "FrmUbicaciones.h"
#include "FrmUsr.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmAbout.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_menu");

QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString caption(QWidget* main, const QString& control)
{
    if (auto* menu = main->findChild<QMenu*>(control))
        return menu->title();
    if (auto* item = main->findChild<QAction*>(control))
        return item->isSeparator() ? QStringLiteral("-") : item->text();
    return QStringLiteral("(missing)");
}

} // namespace

class TestConsoleMenu : public QObject
{
    Q_OBJECT
    Db db;
    QTemporaryDir folder;
    std::unique_ptr<ConsoleContext> context;
    std::unique_ptr<FrmMain> main;

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
        prepareProgramFolder(folder.path(), kDatabase);
    }
    void init()
    {
        context = std::make_unique<ConsoleContext>();
        context->programFolder = folder.path();
        context->db.open(connectionString(kDatabase));
        main = std::make_unique<FrmMain>(*context);
        registerScreens(*main);
        main->show();
    }
    void cleanup()
    {
        main.reset();
        context.reset();
    }

    void menuItems_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled"); // its screen is part of this console
        QTest::newRow("CmdFile") << "CmdFile"
                                 << "&Archivo" << true;
        QTest::newRow("CmdCambio") << "CmdCambio"
                                   << "&Cambio de Vista..." << true;
        QTest::newRow("CmdAzul") << "CmdAzul"
                                 << "Vista..." << true;
        QTest::newRow("CmdModerna") << "CmdModerna"
                                    << " Moderna..." << true;
        QTest::newRow("cmdazu") << "cmdazu"
                                << "Azul..." << true;
        QTest::newRow("CmdGris") << "CmdGris"
                                 << "Gris.." << true;
        QTest::newRow("cmdLinux") << "cmdLinux"
                                  << "Linux..." << true;
        QTest::newRow("CmdAbout") << "CmdAbout"
                                  << "&Acerca de..." << true;
        QTest::newRow("CmdSep1") << "CmdSep1"
                                 << "-" << true;
        QTest::newRow("CmdExit") << "CmdExit"
                                 << "&Salir..." << true;
        QTest::newRow("CmdCat") << "CmdCat"
                                << "&Catálogos" << true;
        QTest::newRow("CmdHor") << "CmdHor"
                                << "H&orarios..." << true;
        QTest::newRow("CmdUsr") << "CmdUsr"
                                << "&Usuarios..." << true;
        QTest::newRow("CmdFng") << "CmdFng"
                                << "&Huellas digitales..." << true;
        QTest::newRow("CmdAsig") << "CmdAsig"
                                 << "&Asignación de horarios..." << true;
        QTest::newRow("CmdDepartamentos") << "CmdDepartamentos"
                                          << "&Departamentos..." << true;
        QTest::newRow("CmdUbicaciones") << "CmdUbicaciones"
                                        << "&Ubicaciones..." << true;
        QTest::newRow("CmdOpt") << "CmdOpt"
                                << "&Opciones" << true;
        QTest::newRow("msgper") << "msgper"
                                << "&Mensajes Personales..." << true;
        QTest::newRow("cmdGenerales") << "cmdGenerales"
                                      << "Mensajes &Generales..." << true;
        QTest::newRow("CmdCheck") << "CmdCheck"
                                  << "&Registro manual de eventos..." << true;
        QTest::newRow("CmdDias") << "CmdDias"
                                 << "&Días Inhábiles..." << true;
        QTest::newRow("cmdPermisos") << "cmdPermisos"
                                     << "&Permisos,Vacaciones o Sanciones..." << true;
        QTest::newRow("CmdVer") << "CmdVer"
                                << "&Verificador de huellas..." << true;
        QTest::newRow("CmdRep") << "CmdRep"
                                << "&Reportes" << true;
        QTest::newRow("CmdDyn") << "CmdDyn"
                                << "&Reportes del Sistema..." << true;
    }
    void menuItems()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        QCOMPARE(caption(main.get(), control), text);
        if (auto* item = main->menuItem(control))
            QCOMPARE(item->isEnabled(), enabled);
    }

    void usersScreenOpensOnce()
    {
        QMdiArea* area = main->clientArea();
        main->menuItem("CmdUsr")->trigger();
        QWidget* first = main->screens().screen(main->menuItem("CmdUsr"));
        QVERIFY(qobject_cast<FrmUsr*>(first));
        main->menuItem("CmdUsr")->trigger();
        QCOMPARE(area->subWindowList().size(), 1);
        QCOMPARE(main->findChildren<FrmUsr*>().size(), 1);
        QCOMPARE(main->screens().screen(main->menuItem("CmdUsr")), first);
        QCOMPARE(area->activeSubWindow()->widget(), first);
    }

    void closedChildScreenOpensAgain()
    {
        QMdiArea* area = main->clientArea();
        FrmUsr* first = qobject_cast<FrmUsr*>(main->openScreen("CmdUsr"));
        QVERIFY(first);
        QPointer<QMdiSubWindow> child = area->subWindowList().first();
        child->close();
        QTRY_VERIFY(child.isNull()); // deleted once closed
        QVERIFY(main->openScreen("CmdUsr"));
        QCOMPARE(area->subWindowList().size(), 1);
        QCOMPARE(main->findChildren<FrmUsr*>().size(), 1);
    }

    void minimisedChildScreenComesForward()
    {
        QWidget* users = main->openScreen("CmdUsr");
        auto* child = qobject_cast<QMdiSubWindow*>(users->parentWidget());
        QVERIFY(child);
        child->showMinimized();
        QVERIFY(child->isMinimized());
        QCOMPARE(main->openScreen("CmdUsr"), users);
        QVERIFY(!child->isMinimized());
    }

    void modalScreens_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("title");
        QTest::newRow("departments") << "CmdDepartamentos"
                                     << "Departamentos";
        QTest::newRow("locations") << "CmdUbicaciones"
                                   << "Ubicaciones";
        QTest::newRow("about") << "CmdAbout"
                               << "Acerca de Velandro";
        QTest::newRow("non-working days") << "CmdDias"
                                          << "Días Inhábiles";
    }
    void modalScreens()
    {
        QFETCH(QString, control);
        QFETCH(QString, title);
        QPointer<QWidget> screen = main->openScreen(control);
        QVERIFY(screen);
        QVERIFY(screen->isWindow());
        QVERIFY(screen->isVisible());
        QCOMPARE(screen->windowTitle(), title);
        QCOMPARE(screen->windowModality(), Qt::ApplicationModal);
        QCOMPARE(QApplication::activeModalWidget(), screen.data());
        QVERIFY(main->clientArea()->subWindowList().isEmpty());
        screen->close();
        QTRY_VERIFY(screen.isNull());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void aboutBox()
    {
        auto* about = qobject_cast<FrmAbout*>(main->openScreen("CmdAbout"));
        QVERIFY(about);
        QCOMPARE(about->ui()->LblModulo->text(),
                 QStringLiteral("Módulo administrador para el registro de huellas digitales"));
        QCOMPARE(about->ui()->BtnClose->text(), QStringLiteral("&Cerrar"));
        QPointer<FrmAbout> guard(about);
        about->ui()->BtnClose->click();
        QTRY_VERIFY(guard.isNull());
    }

    void skins_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("file");
        QTest::newRow("Vista") << "CmdAzul"
                               << "VistaBlueNew.skn";
        QTest::newRow("Moderna") << "CmdModerna"
                                 << "Mxs61.skn";
        QTest::newRow("Azul") << "cmdazu"
                              << "Msn2008.skn";
        QTest::newRow("Gris") << "CmdGris"
                              << "GrayPlastic.skn";
        QTest::newRow("Linux") << "cmdLinux"
                               << "LinuxUbuntu2.skn";
    }
    void skins()
    {
        QFETCH(QString, control);
        QFETCH(QString, file);
        const QString expected = fileText(QDir(folder.path()).filePath(file));
        QVERIFY(!expected.isEmpty());
        // Start from another skin so that a command that does nothing shows.
        main->ChangeSkin(file == "Mxs61.skn" ? "GrayPlastic.skn" : "Mxs61.skn");
        QWidget* openBefore = main->openScreen("CmdUsr");
        main->menuItem(control)->trigger();
        QCOMPARE(context->skin.fileName(), file);
        QCOMPARE(main->styleSheet(), expected);
        QCOMPARE(openBefore->styleSheet(), expected);
        QWidget* openedAfter = main->openScreen("CmdDepartamentos");
        QCOMPARE(openedAfter->styleSheet(), expected);
        openedAfter->close();
    }

    void missingSkinFileEndsTheConsole()
    {
        RecordingMessages boxes;
        EndRecorder end(*context);
        QFile::rename(folder.filePath("GrayPlastic.skn"), folder.filePath("GrayPlastic.off"));
        main->menuItem("CmdGris")->trigger();
        QFile::rename(folder.filePath("GrayPlastic.off"), folder.filePath("GrayPlastic.skn"));
        QCOMPARE(end.codes, QList<int>{1});
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
    }

    void fingerprintItems_data()
    {
        QTest::addColumn<QString>("call"); // operation and argument
        QTest::addColumn<bool>("verifier");
        QTest::addColumn<bool>("enrollment");
        QTest::newRow("disable 0") << "D0" << false << true;
        QTest::newRow("disable 1") << "D1" << true << false;
        QTest::newRow("disable 2 does nothing") << "D2" << true << true;
        QTest::newRow("disable -1 does nothing") << "D-1" << true << true;
        QTest::newRow("disable 0, enable 0") << "D0 E0" << true << true;
        QTest::newRow("disable both, enable 1") << "D0 D1 E1" << false << true;
        QTest::newRow("disable both, enable all") << "D0 D1 A" << true << true;
        QTest::newRow("enable 7 does nothing") << "D0 E7" << false << true;
    }
    void fingerprintItems()
    {
        QFETCH(QString, call);
        QFETCH(bool, verifier);
        QFETCH(bool, enrollment);
        const auto blank = [](FrmMain&, QWidget*) { return new QWidget; };
        main->registerScreen("CmdVer", ScreenKind::Child, blank);
        main->registerScreen("CmdFng", ScreenKind::Child, blank);
        for (const QString& step : call.split(' ')) {
            if (step == "A")
                main->MnuEnableAll();
            else if (step.startsWith('D'))
                main->MnuDisable(step.mid(1).toInt());
            else
                main->MnuEnable(step.mid(1).toInt());
        }
        QCOMPARE(main->menuItem("CmdVer")->isEnabled(), verifier);
        QCOMPARE(main->menuItem("CmdFng")->isEnabled(), enrollment);
    }

    void enableLeavesAnItemWithoutScreenDisabled()
    {
        FrmMain bare(*context); // no screens registered
        bare.MnuEnableAll();
        QVERIFY(!bare.menuItem("CmdVer")->isEnabled());
        QVERIFY(!bare.menuItem("CmdFng")->isEnabled());
    }
};

QTEST_MAIN(TestConsoleMenu)
#include "tst_console_menu.moc"
