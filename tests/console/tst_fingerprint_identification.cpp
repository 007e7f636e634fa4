// Identification among all employees: the gallery of stored templates (the best owner, when it
// reads the templates again), the verifier screen on libfprint's virtual image reader with
// generated fingers, and the two fingerprint screens taking turns with the reader.

#include "ConsoleScreens.h"
#include "ConsoleTesting.h"
#include "FingerprintComponent.h"
#include "FingerprintGallery.h"
#include "FingerprintScreens.h"
#include "FingerprintStore.h"
#include "FrmFng.h"
#include "FrmMain.h"
#include "FrmVrf.h"
#include "GeneratedPrints.h"
#include "ReaderBackend.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmFng.h"
#include "ui_FrmVrf.h"
#include "VirtualFinger.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_fingerprint_identification");
constexpr quint64 kSeed = 2027;
const QString kNotIdentified = QStringLiteral("huella No Identificada");

QByteArray print(int finger, int impression)
{
    return templateOf(generatedPrint(kSeed, finger, impression));
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

int scoreOf(const QByteArray& query, const QByteArray& reference)
{
    fp::PreparedQuery prepared;
    if (prepared.prepare(bytesOf(query)) < 0)
        return -1;
    return prepared.score(bytesOf(reference));
}

// A reader the test plays; it logs what the screens ask of it.
class ScriptedReader : public ReaderBackend
{
public:
    ScriptedReader(int openStatus, QStringList* log)
        : openStatus_(openStatus)
        , log_(log)
    {
    }
    ~ScriptedReader() override { *log_ << "closed"; }
    int open() override { return openStatus_; }
    void startReporting() override
    {
        *log_ << "start";
        emit sensorPlugged("s1");
    }
    void stopReporting() override { *log_ << "stop"; }
    void startCapture(const QString& id) override { *log_ << "capture " + id; }
    void stopCapture(const QString& id) override { *log_ << "stop capture " + id; }
    QStringList sensors() const override { return {"s1"}; }
    bool isWaitingForFinger(const QString&) const override { return true; }

private:
    int openStatus_;
    QStringList* log_;
};

} // namespace

class TestFingerprintIdentification : public QObject
{
    Q_OBJECT
    Db db;
    QTemporaryDir folder;
    RecordingMessages boxes;
    std::unique_ptr<ConsoleContext> context;

    void enrol(int user, const QByteArray& feature, int numFing = 0)
    {
        db.insertRow("KxFingerP", {{"Usuario", user}, {"NumFing", numFing}, {"Feature", feature}});
    }

    std::unique_ptr<FrmMain> mainWindow(ConsoleReader::Factory readers)
    {
        auto main = std::make_unique<FrmMain>(*context);
        registerFingerprintScreens(*main, std::move(readers));
        main->show();
        return main;
    }

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
        boxes.boxes.clear();
        context = std::make_unique<ConsoleContext>();
        context->programFolder = folder.path();
        QVERIFY(context->db.open(connectionString(kDatabase)));
    }

    void cleanup() { context.reset(); }

    void bestScoringOwnerWins_data()
    {
        QTest::addColumn<QList<int>>("owners");        // in the table's order
        QTest::addColumn<QList<QByteArray>>("stored"); // their templates
        QTest::addColumn<int>("owner");
        const QByteArray own = print(1, 2);
        const QByteArray weaker =
            templateOf(middleOf(generatedPrint(kSeed, 1, 3), QSize(190, 210)));
        const QByteArray other = print(2, 1);
        QTest::newRow("true owner after a weaker match")
            << QList<int>{31, 32, 33} << QList<QByteArray>{weaker, own, other} << 32;
        QTest::newRow("true owner before a weaker match")
            << QList<int>{32, 31} << QList<QByteArray>{own, weaker} << 32;
        QTest::newRow("equal scores: the first read")
            << QList<int>{41, 42} << QList<QByteArray>{own, own} << 41;
        QTest::newRow("equal scores, other order")
            << QList<int>{42, 41} << QList<QByteArray>{own, own} << 42;
        QTest::newRow("other fingers only")
            << QList<int>{33, 34} << QList<QByteArray>{other, print(3, 1)} << 0;
        QTest::newRow("nothing stored") << QList<int>{} << QList<QByteArray>{} << 0;
        QTest::newRow("NULL and damaged templates are passed over")
            << QList<int>{51, 52, 53}
            << QList<QByteArray>{QByteArray(), own.left(own.size() / 2), own} << 53;
    }
    void bestScoringOwnerWins()
    {
        QFETCH(QList<int>, owners);
        QFETCH(QList<QByteArray>, stored);
        QFETCH(int, owner);
        const QByteArray query = print(1, 1);
        // The rows stand for what they say: the weaker impression matches, below the other.
        const int weak =
            scoreOf(query, templateOf(middleOf(generatedPrint(kSeed, 1, 3), QSize(190, 210))));
        const int strong = scoreOf(query, print(1, 2));
        QVERIFY2(fp::decide(weak) == 1 && weak < strong,
                 qPrintable(QStringLiteral("%1 / %2").arg(weak).arg(strong)));

        for (int i = 0; i < owners.size(); ++i) {
            if (stored[i].isNull())
                db.insertRow("KxFingerP", {{"Usuario", owners[i]}, {"NumFing", i}});
            else
                enrol(owners[i], stored[i], i);
        }
        FingerprintGallery gallery;
        const OwnerSearch found = identifyOwner(db, gallery, query);
        QCOMPARE(found.match.result, owner);
        if (owner) {
            QCOMPARE(found.match.score, strong);
            QCOMPARE(found.match.reference, print(1, 2));
        }
    }

    void templatesAreReadAgainOnlyAfterAChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QVariantList>("params");
        QTest::addColumn<bool>("readAgain");
        QTest::newRow("none") << "" << QVariantList() << false;
        QTest::newRow("row added") << "insert into KxFingerP (Usuario,NumFing,Feature) "
                                      "values (63,1,?)"
                                   << QVariantList{print(3, 2)} << true;
        QTest::newRow("row without template added")
            << "insert into KxFingerP (Usuario,NumFing) values (64,0)" << QVariantList() << true;
        QTest::newRow("row deleted")
            << "delete from KxFingerP where Usuario=62" << QVariantList() << true;
        QTest::newRow("owner changed")
            << "update KxFingerP set Usuario=65 where Usuario=62" << QVariantList() << true;
        QTest::newRow("template replaced") << "update KxFingerP set Feature=? where Usuario=62"
                                           << QVariantList{print(3, 2)} << true;
        QTest::newRow("finger indicator changed")
            << "update KxFingerP set NumFing=8" << QVariantList() << false;
    }
    void templatesAreReadAgainOnlyAfterAChange()
    {
        QFETCH(QString, change);
        QFETCH(QVariantList, params);
        QFETCH(bool, readAgain);
        enrol(61, print(1, 2));
        enrol(62, print(2, 2));
        FingerprintGallery gallery;
        QVERIFY(gallery.refresh(context->db));
        QCOMPARE(gallery.size(), 2);
        QVERIFY(!gallery.refresh(context->db));
        if (!change.isEmpty())
            QVERIFY(db.exec(change, params) > 0);
        QCOMPARE(gallery.refresh(context->db), readAgain);
        QVERIFY(!gallery.refresh(context->db));
    }

    void queryThatCannotBeCompared_data()
    {
        QTest::addColumn<QByteArray>("templ");
        QTest::addColumn<bool>("none");
        QTest::newRow("no template") << QByteArray() << true;
        QTest::newRow("damaged template") << QByteArray("not a template") << false;
    }
    void queryThatCannotBeCompared()
    {
        QFETCH(QByteArray, templ);
        QFETCH(bool, none);
        enrol(61, print(1, 2));
        FingerprintGallery gallery;
        const OwnerSearch found = identifyOwner(db, gallery, templ);
        if (none)
            QCOMPARE(found.match.result, FingerprintGallery::kNoTemplate);
        else
            QVERIFY(found.match.result < 0 &&
                    found.match.result != FingerprintGallery::kNoTemplate);
        QVERIFY(!found.name);
    }

    void touchIsIdentifiedAmongAll_data()
    {
        QTest::addColumn<int>("touching"); // finger touching the reader
        QTest::addColumn<bool>("enrolled");
        QTest::addColumn<bool>("withUser");
        QTest::addColumn<QString>("shown");
        QTest::newRow("owner among many") << 4 << true << true << "MARÍA JOSÉ IBÁÑEZ 4";
        QTest::newRow("finger nobody enrolled") << 9 << true << true << kNotIdentified;
        QTest::newRow("no template stored") << 4 << false << true << kNotIdentified;
        QTest::newRow("template of a user who is gone")
            << 4 << true << false << "Usuario No Localizado!!";
    }
    void touchIsIdentifiedAmongAll()
    {
        QFETCH(int, touching);
        QFETCH(bool, enrolled);
        QFETCH(bool, withUser);
        QFETCH(QString, shown);
        for (int f = 1; enrolled && f <= 8; ++f) {
            if (withUser || f != touching)
                addUser(db,
                        {{"Usuario", 100 + f}, {"Nombre", QString("MARÍA JOSÉ IBÁÑEZ %1").arg(f)}});
            enrol(100 + f, print(f, 2), f % 10);
        }
        VirtualFinger finger;
        FrmVrf form(*context, std::make_unique<FingerprintComponent>());
        QVERIFY(activate(&form));
        QVERIFY(finger.touch(form.reader(), generatedPrint(kSeed, touching, 1)));
        QCOMPARE(form.ui()->LblDNom->text(), shown);
        QVERIFY(form.ui()->LblCalidad->text().startsWith("Calidad de la Huella: "));
        QVERIFY(!form.ui()->img->pixmap().isNull());
        if (withUser) {
            QVERIFY(boxes.boxes.isEmpty());
        } else {
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
            QCOMPARE(boxes.boxes[0].text, QStringLiteral("Usuario No Localizado"));
            QCOMPARE(boxes.boxes[0].title, QStringLiteral("Error"));
        }
    }

    void enrolmentAfterTheFirstTouchIsFoundAtTheNext()
    {
        addUser(db, {{"Usuario", 70}, {"Nombre", "ÑUSTA GÜEMES"}});
        enrol(70, print(5, 2));
        addUser(db, {{"Usuario", 71}, {"Nombre", "ÓSCAR ÁVILA"}});
        VirtualFinger finger;
        FrmVrf form(*context, std::make_unique<FingerprintComponent>());
        QVERIFY(activate(&form));
        QVERIFY(finger.touch(form.reader(), generatedPrint(kSeed, 6, 1)));
        QCOMPARE(form.ui()->LblDNom->text(), kNotIdentified);
        QCOMPARE(form.gallery().size(), 1);
        // Another console enrols the finger.
        QCOMPARE(FingerprintStore::addFinger(db, 71, 3, print(6, 2)),
                 FingerprintStore::AddResult::Added);
        QVERIFY(finger.touch(form.reader(), generatedPrint(kSeed, 6, 3)));
        QCOMPARE(form.ui()->LblDNom->text(), QStringLiteral("ÓSCAR ÁVILA"));
        QCOMPARE(form.gallery().size(), 2);
        QVERIFY(finger.touch(form.reader(), generatedPrint(kSeed, 5, 1)));
        QCOMPARE(form.ui()->LblDNom->text(), QStringLiteral("ÑUSTA GÜEMES"));
    }

    void readerThatFailsClosesOnlyTheVerifier()
    {
        EndRecorder end(*context);
        QStringList log;
        auto main = mainWindow([&log] {
            return std::make_unique<FingerprintComponent>(
                std::make_unique<ScriptedReader>(-101, &log));
        });
        QVERIFY(main->openScreen("CmdVer"));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("No fue posible Inicializar el scanner de "
                                                     "Huella Digital. No es posible continuar"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Scanner no detectado"));
        QTRY_VERIFY(main->clientArea()->subWindowList().isEmpty());
        QVERIFY(end.codes.isEmpty());
        QVERIFY(main->isVisible());
        QVERIFY(main->menuItem("CmdFng")->isEnabled());
        QVERIFY(main->menuItem("CmdVer")->isEnabled());
    }

    void screensTakeTurnsWithTheReader_data()
    {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("other");
        QTest::newRow("enrolment") << "CmdFng"
                                   << "CmdVer";
        QTest::newRow("verifier") << "CmdVer"
                                  << "CmdFng";
    }
    void screensTakeTurnsWithTheReader()
    {
        QFETCH(QString, opened);
        QFETCH(QString, other);
        QStringList log;
        auto main = mainWindow([&log] {
            return std::make_unique<FingerprintComponent>(
                std::make_unique<ScriptedReader>(0, &log));
        });
        QVERIFY(main->openScreen(opened));
        QCOMPARE(log, QStringList({"start", "capture s1"}));
        QVERIFY(!main->menuItem(other)->isEnabled());
        QVERIFY(!main->openScreen(other));
        QVERIFY(main->menuItem(opened)->isEnabled());
        QCOMPARE(main->openScreen(opened), main->screens().screen(main->menuItem(opened)));
        QCOMPARE(main->clientArea()->subWindowList().size(), 1);

        main->clientArea()->subWindowList().first()->close();
        QCOMPARE(log, QStringList({"start", "capture s1", "stop", "closed"}));
        QVERIFY(main->menuItem(other)->isEnabled());
        QVERIFY(main->openScreen(other));
        QVERIFY(!main->menuItem(opened)->isEnabled());
    }

    void enrolledAtOneScreenIdentifiedAtTheOther()
    {
        addUser(db, {{"Usuario", 80}, {"Nombre", "PEDRO IBÁÑEZ"}});
        VirtualFinger finger;
        auto main = mainWindow(ConsoleReader::libfprintReaders());
        auto* enrolment = qobject_cast<FrmFng*>(main->openScreen("CmdFng"));
        QVERIFY(enrolment);
        enrolment->ui()->TbUsr->setText("80");
        enrolment->FindUsr();
        QVERIFY(finger.touch(enrolment->reader(), generatedPrint(kSeed, 7, 1)));
        enrolment->ui()->CmbFing->setCurrentIndex(5);
        enrolment->ui()->BtnAdd->click();
        QCOMPARE(count(db, "select count(*) from KxFingerP where Usuario=80 and NumFing=5"), 1);
        enrolment->ui()->BtnClose->click();
        QTRY_VERIFY(main->clientArea()->subWindowList().isEmpty());

        auto* verifier = qobject_cast<FrmVrf*>(main->openScreen("CmdVer"));
        QVERIFY(verifier);
        QVERIFY(finger.touch(verifier->reader(), generatedPrint(kSeed, 7, 2)));
        QCOMPARE(verifier->ui()->LblDNom->text(), QStringLiteral("PEDRO IBÁÑEZ"));
    }
};

QTEST_MAIN(TestFingerprintIdentification)
#include "tst_fingerprint_identification.moc"
