// The enrolment screen on the real widgets, the private database and libfprint's virtual image
// reader playing generated fingers: the checks before a capture is stored, the finger list,
// unknown numbers, deleting, and the stored template verifying at the terminal.

#include "ConsoleTesting.h"
#include "EnrolmentCheck.h"
#include "FingerImage.h"
#include "FingerprintComponent.h"
#include "FrmFng.h"
#include "GeneratedPrints.h"
#include "ReaderAdapter.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmFng.h"
#include "ui_FrmSrc.h"
#include "VirtualFinger.h"

#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_fingerprint_enrollment");
constexpr quint64 kSeed = 2026;
// Parts of a print that the engine rates REGULAR and MALA.
const QSize kRegularWindow(170, 190);
const QSize kPoorWindow(120, 120);

const QString kStoredOnce =
    QStringLiteral("No se Puede registrar la misma huella mas de una vez!!");
const QString kPoorQuality = QStringLiteral("La calidad de la huella debe ser Excelente!!");
const QString kSameFinger = QStringLiteral("No es posible registrar la misma huella dos veces");
const QString kNoUser = QStringLiteral("No se ha capturado un número válido de usuario. Es "
                                       "necesario hacerlo antes de registrar huellas");

QString listed(const QListWidget* list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text() + "=" + list->item(row)->data(Qt::UserRole).toString();
    return items.join(", ");
}

} // namespace

class TestFingerprintEnrollment : public QObject
{
    Q_OBJECT
    Db db;
    QTemporaryDir folder;
    RecordingMessages boxes;
    std::unique_ptr<ConsoleContext> context;
    std::unique_ptr<VirtualFinger> finger;
    std::unique_ptr<FrmFng> form;

    Ui::FrmFng* ui() { return form->ui(); }

    int rows(int user, int numFing)
    {
        return count(db, "select count(*) from KxFingerP where Usuario=? and NumFing=?",
                     {user, numFing});
    }

    // Types the number and leaves the box with Enter, as a person does.
    void typeUser(const QString& keys)
    {
        ui()->TbUsr->setFocus();
        ui()->TbUsr->clear();
        QTest::keyClicks(ui()->TbUsr, keys);
        QTest::keyClick(ui()->TbUsr, Qt::Key_Return);
    }

    bool capture(const QImage& picture) { return finger->touch(form->reader(), picture); }

    Box lastBox() const { return boxes.boxes.isEmpty() ? Box{} : boxes.boxes.last(); }

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
        clearTables(db);
        addUser(db, {{"Usuario", 20}, {"Nombre", "JOSÉ MUÑOZ PEÑA"}});
        addUser(db, {{"Usuario", 21}, {"Nombre", "ANA LÓPEZ"}});
        boxes.boxes.clear();
        boxes.answers.clear();
        context = std::make_unique<ConsoleContext>();
        context->programFolder = folder.path();
        QVERIFY(context->db.open(connectionString(kDatabase)));
        finger = std::make_unique<VirtualFinger>();
        form = std::make_unique<FrmFng>(*context, std::make_unique<FingerprintComponent>());
        QVERIFY(activate(form.get()));
    }

    void cleanup()
    {
        form.reset();
        finger.reset();
        context.reset();
    }

    void checksBeforeStoring_data()
    {
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("numFing");
        QTest::addColumn<QList<int>>("listedFingers");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("text"); // empty: stored
        QTest::addColumn<int>("focus");
        QTest::addColumn<bool>("logo");
        const int none = int(EnrolmentProblem::Focus::None);
        const int onFinger = int(EnrolmentProblem::Focus::Finger);
        const int onUser = int(EnrolmentProblem::Focus::User);
        QTest::newRow("stored capture, before any other check")
            << kCaptureStored << -1 << QList<int>{6} << "" << kStoredOnce << none << true;
        QTest::newRow("poor") << 0 << 6 << QList<int>{} << "20" << kPoorQuality << none << true;
        QTest::newRow("extraction error")
            << -3 << 6 << QList<int>{} << "20" << kPoorQuality << none << true;
        QTest::newRow("no capture yet")
            << 0 << -1 << QList<int>{} << "" << kPoorQuality << none << true;
        QTest::newRow("no finger chosen")
            << 1 << -1 << QList<int>{} << "20"
            << "Es necesario seleccionar indicador de huella antes de continuar." << onFinger
            << false;
        QTest::newRow("finger listed")
            << 2 << 6 << QList<int>{0, 6} << "20" << kSameFinger << onFinger << false;
        QTest::newRow("finger listed, no user either")
            << 2 << 6 << QList<int>{6} << "" << kSameFinger << onFinger << false;
        QTest::newRow("no user") << 1 << 6 << QList<int>{} << "  " << kNoUser << onUser << false;
        QTest::newRow("text that is no number")
            << 1 << 6 << QList<int>{} << "2O" << kNoUser << onUser << false;
        QTest::newRow("regular, another finger listed")
            << 1 << 6 << QList<int>{5, 7} << "20" << QString() << none << false;
        QTest::newRow("excellent, first finger")
            << 2 << 0 << QList<int>{} << " 21 " << QString() << none << false;
    }
    void checksBeforeStoring()
    {
        QFETCH(int, quality);
        QFETCH(int, numFing);
        QFETCH(QList<int>, listedFingers);
        QFETCH(QString, user);
        QFETCH(QString, text);
        QFETCH(int, focus);
        QFETCH(bool, logo);
        const std::optional<EnrolmentProblem> problem =
            enrolmentProblem({quality, numFing, listedFingers, user});
        QCOMPARE(problem.has_value(), !text.isEmpty());
        if (!problem)
            return;
        QCOMPARE(problem->text, text);
        QCOMPARE(int(problem->focus), focus);
        QCOMPARE(problem->showLogo, logo);
    }

    void captureIsJudgedByItsQuality_data()
    {
        QTest::addColumn<QSize>("window"); // empty: the whole print; 1 x 1: a blank touch
        QTest::addColumn<int>("quality");
        QTest::addColumn<QString>("text");
        QTest::newRow("EXCELENTE is stored") << QSize() << 2 << "Calidad de la Huella: EXCELENTE";
        QTest::newRow("REGULAR is stored")
            << kRegularWindow << 1 << "Calidad de la Huella: REGULAR";
        QTest::newRow("MALA is refused") << kPoorWindow << 0 << "Calidad de la Huella: MALA";
        QTest::newRow("unreadable touch is refused") << QSize(1, 1) << -1 << "";
    }
    void captureIsJudgedByItsQuality()
    {
        QFETCH(QSize, window);
        QFETCH(int, quality);
        QFETCH(QString, text);
        QImage print = generatedPrint(kSeed, 1, 1);
        if (window == QSize(1, 1)) {
            print.fill(255); // the reader sees no finger and hands over no image
        } else if (window.isValid()) {
            print = middleOf(print, window);
        }
        int expected = -1;
        const QByteArray templ = templateOf(print, &expected);
        if (quality >= 0)
            QCOMPARE(expected, quality); // the picture is what the row says

        typeUser("20");
        ui()->CmbFing->setCurrentIndex(6);
        QVERIFY(capture(print));
        QCOMPARE(ui()->LblCalidad->text(), text);
        if (quality < 0) {
            QVERIFY(form->LastQuality < 0);
            QCOMPARE(lastBox().text, QStringLiteral("Ocurrio un Error, Trate de nuevo"));
            QCOMPARE(lastBox().title, QStringLiteral("Trate de Nuevo"));
        } else {
            QCOMPARE(form->LastQuality, quality);
        }
        ui()->BtnAdd->click();
        if (quality <= 0) {
            QCOMPARE(lastBox().text, kPoorQuality);
            QCOMPARE(lastBox().title, QStringLiteral("Calidad de huella"));
            QCOMPARE(rows(20, 6), 0);
            QCOMPARE(ui()->LstFinger->count(), 0);
            return;
        }
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(lastBox().kind, QStringLiteral("info"));
        QCOMPARE(lastBox().text, QStringLiteral("La huella ha sido Registrada Correctamente."));
        QCOMPARE(lastBox().title, QStringLiteral("Registro Exitoso"));
        QCOMPARE(listed(ui()->LstFinger), QStringLiteral("Derecho Índice=6"));
        QVERIFY(ui()->LblCalidad->text().isEmpty());
        QCOMPARE(form->LastQuality, kCaptureStored);
        // The template is stored exactly as extracted.
        QCOMPARE(
            db.scalar("select Feature from KxFingerP where Usuario=20 and NumFing=6").toByteArray(),
            templ);
    }

    void oneCaptureIsStoredOnce()
    {
        typeUser("20");
        QVERIFY(capture(middleOf(generatedPrint(kSeed, 1, 1), kRegularWindow)));
        ui()->CmbFing->setCurrentIndex(6);
        ui()->BtnAdd->click();
        ui()->CmbFing->setCurrentIndex(7); // even as another finger
        ui()->BtnAdd->click();
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(lastBox().text, kStoredOnce);
        QCOMPARE(lastBox().title, QStringLiteral("Tome la huella del Dedo seleccionado"));
        QCOMPARE(count(db, "select count(*) from KxFingerP"), 1);
        QCOMPARE(rows(20, 6), 1);
    }

    void sameFingerTwiceIsRefused_data()
    {
        QTest::addColumn<bool>("storedBeforeLoading"); // else by another console afterwards
        QTest::newRow("listed") << true;
        QTest::newRow("stored by another console, not listed yet") << false;
    }
    void sameFingerTwiceIsRefused()
    {
        QFETCH(bool, storedBeforeLoading);
        const QByteArray other = templateOf(generatedPrint(kSeed, 2, 1));
        const SqlValues row{{"Usuario", 20}, {"NumFing", 6}, {"Feature", other}};
        if (storedBeforeLoading)
            db.insertRow("KxFingerP", row);
        typeUser("20");
        if (!storedBeforeLoading)
            db.insertRow("KxFingerP", row);
        QVERIFY(capture(generatedPrint(kSeed, 1, 1)));
        ui()->CmbFing->setCurrentIndex(6);
        ui()->BtnAdd->click();
        QCOMPARE(lastBox().text, kSameFinger);
        QCOMPARE(lastBox().title, QStringLiteral("Mismo indicador de Huella"));
        QCOMPARE(rows(20, 6), 1);
        QCOMPARE(db.scalar("select Feature from KxFingerP where Usuario=20").toByteArray(), other);
        QCOMPARE(listed(ui()->LstFinger), QStringLiteral("Derecho Índice=6"));
        // The capture is not lost: it goes in as another finger.
        ui()->CmbFing->setCurrentIndex(7);
        ui()->BtnAdd->click();
        QCOMPARE(lastBox().kind, QStringLiteral("info"));
        QCOMPARE(rows(20, 7), 1);
    }

    void userNumberBox_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("buttons");
        QTest::newRow("known") << "20" << false << "20"
                               << "JOSÉ MUÑOZ PEÑA" << true;
        QTest::newRow("unknown") << "99" << false << "99"
                                 << "Usuario NO registrado." << false;
        QTest::newRow("letters typed are refused") << "2a1" << false << "21"
                                                   << "ANA LÓPEZ" << true;
        QTest::newRow("pasted text that is no number") << "2O" << true << "2O"
                                                       << "Usuario NO registrado." << false;
        QTest::newRow("pasted quote") << "20'" << true << "20'"
                                      << "Usuario NO registrado." << false;
    }
    void userNumberBox()
    {
        QFETCH(QString, keys);
        QFETCH(bool, pasted);
        QFETCH(QString, shown);
        QFETCH(QString, label);
        QFETCH(bool, buttons);
        db.insertRow("KxFingerP", {{"Usuario", 20}, {"NumFing", 9}});
        typeUser("20"); // someone was shown before
        QCOMPARE(ui()->LstFinger->count(), 1);
        if (pasted) {
            ui()->TbUsr->setFocus();
            ui()->TbUsr->setText(keys);
            QTest::keyClick(ui()->TbUsr, Qt::Key_Return);
        } else {
            typeUser(keys);
        }
        QCOMPARE(ui()->TbUsr->text(), shown);
        QCOMPARE(ui()->LblDUsr->text(), label);
        QCOMPARE(ui()->BtnAdd->isEnabled(), buttons);
        QCOMPARE(ui()->BtnDel->isEnabled(), buttons);
        QCOMPARE(ui()->LstFinger->count(), shown == "20" ? 1 : 0);
    }

    void registeredFingersAreListedByName()
    {
        for (const int numFing : {0, 4, 9})
            db.insertRow("KxFingerP", {{"Usuario", 21}, {"NumFing", numFing}});
        db.insertRow("KxFingerP", {{"Usuario", 20}, {"NumFing", 1}});
        typeUser("21");
        QCOMPARE(listed(ui()->LstFinger),
                 QStringLiteral("Izquierdo Pulgar=0, Izquierdo Meñique=4, Derecho Meñique=9"));
        QCOMPARE(ui()->CmbFing->count(), 10);
        QCOMPARE(ui()->CmbFing->itemText(1), QStringLiteral("Izquierdo Índice"));
    }

    void deletingAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No keeps it") << false;
        QTest::newRow("Yes deletes it") << true;
    }
    void deletingAsksFirst()
    {
        QFETCH(bool, yes);
        db.insertRow("KxFingerP", {{"Usuario", 20}, {"NumFing", 3}});
        db.insertRow("KxFingerP", {{"Usuario", 20}, {"NumFing", 5}});
        db.insertRow("KxFingerP", {{"Usuario", 21}, {"NumFing", 3}});
        typeUser("20");
        ui()->BtnDel->click(); // nothing selected: nothing asked
        QVERIFY(boxes.boxes.isEmpty());
        ui()->LstFinger->setCurrentRow(0);
        boxes.answers << yes;
        ui()->BtnDel->click();
        QCOMPARE(boxes.boxes.first().kind, QStringLiteral("question"));
        QCOMPARE(boxes.boxes.first().text,
                 QStringLiteral("¿Está seguro de eliminar la huella seleccionada?"));
        QCOMPARE(boxes.boxes.first().title, QStringLiteral("¿Eliminar Huella?"));
        QCOMPARE(rows(20, 3), yes ? 0 : 1);
        QCOMPARE(rows(20, 5), 1);
        QCOMPARE(rows(21, 3), 1);
        QCOMPARE(listed(ui()->LstFinger),
                 yes ? QStringLiteral("Derecho Pulgar=5")
                     : QStringLiteral("Izquierdo Anular=3, Derecho Pulgar=5"));
        if (yes) {
            QCOMPARE(lastBox().text,
                     QStringLiteral("La huella digital ha sido eliminada satisfactoriamente."));
            QCOMPARE(lastBox().title, QStringLiteral("Registro Eliminado"));
        } else {
            QCOMPARE(boxes.boxes.size(), 1);
        }
    }

    void searchLoadsTheChosenUser()
    {
        ui()->BtnFind->click();
        QTRY_VERIFY(form->searchDialog());
        form->searchDialog()->ui()->TbFnd->setText("LÓPEZ");
        form->searchDialog()->ui()->BtnSel->click();
        QCOMPARE(ui()->TbUsr->text(), QStringLiteral("21"));
        QCOMPARE(ui()->LblDUsr->text(), QStringLiteral("ANA LÓPEZ"));
        QVERIFY(ui()->BtnAdd->isEnabled());
    }

    void enrolledFingerVerifiesAtTheTerminal()
    {
        typeUser("21");
        QVERIFY(capture(generatedPrint(kSeed, 3, 1)));
        ui()->CmbFing->setCurrentIndex(2);
        ui()->BtnAdd->click();
        QCOMPARE(rows(21, 2), 1);

        // The terminal's verification of user 21 with another touch of the same finger.
        FingerprintComponent component;
        ReaderAdapter terminal(component);
        const QImage touch = generatedPrint(kSeed, 3, 2);
        terminal.storeImage(touch.width(), touch.height(), FingerImage::rawFromPicture(touch), 500);
        QVERIFY(terminal.ExtractTemplate() >= 0);
        int score = 0;
        QCOMPARE(terminal.MatchUserTemplates(db, 21, score), 21);
        QCOMPARE(terminal.MatchUserTemplates(db, 20, score), 0);
    }

    void closingLetsGoOfTheReader()
    {
        QVERIFY(finger->readyFor(form->reader()));
        QSignalSpy released(form.get(), &FrmFng::readerReleased);
        ui()->BtnClose->click();
        QCOMPARE(released.size(), 1);
        QVERIFY(!form->reader().isOpen());
        QTRY_VERIFY_WITH_TIMEOUT(!finger->client().isConnected(), VirtualFinger::kTimeout);
    }
};

QTEST_MAIN(TestFingerprintEnrollment)
#include "tst_fingerprint_enrollment.moc"
