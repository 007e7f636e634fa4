// terminal-punch-bench [ROUNDS] [PRINTS_DIR]
// Times one punch at the terminal, end to end through the real screen and the private
// database: from the reader's "finger removed" to the result message, and from the password's
// Enter to the result message. The user has ten enrolled fingers and touches with the one
// enrolled last, so the verification compares against all ten. The same work is then timed
// piece by piece: matching (prepare + ten comparisons), each database step and the picture.

#include "FingerImage.h"
#include "FrmClock.h"
#include "PunchRecorder.h"
#include "ReaderBackend.h"
#include "RecordingMessages.h"
#include "TerminalMessages.h"
#include "TestDatabase.h"
#include "ui_FrmClock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <QApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

double msSince(Steady::time_point start)
{
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

double timed(const std::function<void()>& work)
{
    const auto start = Steady::now();
    work();
    return msSince(start);
}

struct Series
{
    std::vector<double> ms;
    double quantile(double q) const
    {
        if (ms.empty())
            return 0;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted[std::min(sorted.size() - 1, std::size_t(q * double(sorted.size())))];
    }
};

void printRow(const char* what, const Series& s)
{
    std::printf("  %-46s %8.2f %8.2f %8.2f\n", what, s.quantile(0.5), s.quantile(0.9),
                s.quantile(1.0));
}

// A reader whose touches the benchmark plays.
class PlayedReader : public ReaderBackend
{
public:
    int open() override { return 0; }
    void startReporting() override { emit sensorPlugged(QStringLiteral("bench")); }
    void stopReporting() override {}
    void startCapture(const QString&) override {}
    void stopCapture(const QString&) override {}
    QStringList sensors() const override { return {QStringLiteral("bench")}; }
    bool isWaitingForFinger(const QString&) const override { return true; }

    void placeAndImage(const QImage& picture)
    {
        emit fingerPlaced(QStringLiteral("bench"));
        emit imageAcquired(QStringLiteral("bench"), picture.width(), picture.height(),
                           FingerImage::rawFromPicture(picture), 500);
    }
    void remove() { emit fingerRemoved(QStringLiteral("bench")); }
};

QByteArray templateOf(const QImage& image)
{
    QByteArray templ;
    FingerprintComponent().extractTemplate(FingerImage::rawFromPicture(image), image.width(),
                                           image.height(), 500, templ);
    return templ;
}

constexpr int kUser = 20;

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rounds = args.size() > 1 ? std::max(1, args[1].toInt()) : 50;
    const QString prints = args.size() > 2 ? args[2] : QStringLiteral(VELANDRO_PRINTS_DEFAULT);

    // The ten enrolled fingers: nine others first, the touching finger's other impression last.
    const QImage touching(QDir(prints).filePath(QStringLiteral("101_1.png")));
    if (touching.isNull()) {
        std::fprintf(stderr, "terminal-punch-bench: no prints in %s\n", qPrintable(prints));
        return 2;
    }
    QStringList enrolled;
    for (int finger = 102; finger <= 109; ++finger)
        enrolled << QStringLiteral("%1_2.png").arg(finger);
    enrolled << QStringLiteral("110_3.png") << QStringLiteral("101_2.png");

    Db db;
    QString error;
    const QString database = QStringLiteral("bench_terminal_punch");
    if (!testing::createDatabase(db, database, &error)) {
        std::fprintf(stderr, "terminal-punch-bench: %s (is scripts/db start running?)\n",
                     qPrintable(error));
        return 2;
    }
    db.insertRow("KxSucursales", {{"sucursal", 1}, {"Nombre_sucursal", "MATRIZ"}});
    SqlValues schedule{{"Horario", 1}, {"Nombre_horario", "TODO EL DIA"}, {"checa_antes", 15}};
    for (int slot = 1; slot <= 7; ++slot) {
        schedule << qMakePair(QStringLiteral("ENTRADA%1").arg(slot), QVariant("00:00:00"))
                 << qMakePair(QStringLiteral("SALIDA%1").arg(slot), QVariant("23:59:00"));
    }
    db.insertRow("KxHorario", schedule);
    db.insertRow("KxUsuario", {{"Usuario", kUser},
                               {"Nombre", "ANA LOPEZ"},
                               {"Password", "CLAVE"},
                               {"Puede_checar_clave", 1}});
    db.insertRow("Kxhorario_personal", {{"usuario", kUser}, {"horario", 1}, {"orden", 0}});
    std::vector<QByteArray> stored;
    for (int i = 0; i < enrolled.size(); ++i) {
        stored.push_back(templateOf(QImage(QDir(prints).filePath(enrolled[i]))));
        db.insertRow("KxFingerP",
                     {{"Usuario", kUser}, {"NumFing", i + 1}, {"Feature", stored.back()}});
    }

    QTemporaryDir folder;
    {
        QFile station(QDir(folder.path()).filePath(QStringLiteral("VeZuviv.ini")));
        station.open(QIODevice::WriteOnly);
        station.write((testing::connectionString(database) + QStringLiteral("\n1\n")).toUtf8());
    }
    testing::RecordingMessages boxes;
    AppContext context;
    context.programFolder = folder.path();
    auto backend = std::make_unique<PlayedReader>();
    PlayedReader* reader = backend.get();
    FrmClock form(context, std::make_unique<FingerprintComponent>(std::move(backend)));
    if (!form.Form_Load()) {
        std::fprintf(stderr, "terminal-punch-bench: the terminal did not start\n");
        return 2;
    }
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        std::fprintf(stderr, "terminal-punch-bench: the screen did not become active\n");
        return 2;
    }

    // The result message is on screen when the punch lands in the recent list.
    Steady::time_point started;
    double toMessage = 0;
    QObject::connect(form.ui()->iGrid2->model(), &QAbstractItemModel::rowsInserted, &form,
                     [&] { toMessage = msSince(started); });

    const auto clearDay = [&] { db.exec("DELETE FROM KxEvento WHERE usuario=?", {kUser}); };
    Series fingerToMessage, fingerToDone, passwordToMessage;
    Series matching, templatesRead, clockSync, punchWork, ending, picture;
    int unmatched = 0;
    PunchRecorder recorder(context.db, context.clock, context.LocationNumber);
    FingerprintComponent& component = form.reader().component();

    for (int round = 0; round < rounds; ++round) {
        // By finger, end to end.
        clearDay();
        form.InitLabels();
        form.lookUpUser(QString::number(kUser));
        reader->placeAndImage(touching);
        toMessage = 0;
        started = Steady::now();
        reader->remove();
        fingerToDone.ms.push_back(msSince(started));
        if (toMessage == 0) {
            ++unmatched;
            continue;
        }
        fingerToMessage.ms.push_back(toMessage);

        // By password, end to end (Enter in the password box).
        clearDay();
        form.InitLabels();
        form.lookUpUser(QString::number(kUser));
        form.ui()->TxtClave->setFocus();
        QTest::keyClicks(form.ui()->TxtClave, QStringLiteral("CLAVE"));
        toMessage = 0;
        started = Steady::now();
        QTest::keyClick(form.ui()->TxtClave, Qt::Key_Return);
        if (toMessage > 0)
            passwordToMessage.ms.push_back(toMessage);

        // The same work piece by piece.
        const QByteArray query = form.reader().Template.left(form.reader().TemplateSize);
        matching.ms.push_back(timed([&] {
            int score = 0;
            component.prepareQuery(query);
            for (const QByteArray& reference : stored)
                if (component.match(reference, score) == 1)
                    break;
        }));
        templatesRead.ms.push_back(timed([&] {
            QSqlQuery q = context.db.query(
                QStringLiteral("select usuario,Feature from KxFingerp Where usuario = ?"), {kUser});
            while (q.next())
                q.value(1).toByteArray();
        }));
        clockSync.ms.push_back(timed([&] { context.clock.syncWithServer(context.db); }));
        picture.ms.push_back(timed([&] {
            form.reader().ShowFingerImage(form.ui()->Img, true,
                                          FingerprintComponent::kMatchDetails);
        }));
        clearDay();
        punchWork.ms.push_back(timed([&] { recorder.RegisterCheck(form.selection()); }));
        ending.ms.push_back(timed([&] {
            TerminalMessages::pendingMessage(context.db, kUser, QStringLiteral("ANA LOPEZ"));
            form.dayPanel().ShowDaySchedule();
        }));
    }
    clearDay();

    std::printf("terminal punch, user with %d enrolled fingers (matching one last), %d rounds,\n"
                "private database over ODBC (socket)\n\n",
                int(stored.size()), rounds);
    std::printf("  %-46s %8s %8s %8s\n", "milliseconds", "median", "p90", "max");
    printRow("finger removed -> result message", fingerToMessage);
    printRow("finger removed -> screen done (panel refreshed)", fingerToDone);
    printRow("password Enter -> result message", passwordToMessage);
    std::printf("\n  split, timed separately:\n");
    printRow("matching: prepare + 10 comparisons", matching);
    printRow("database: the user's 10 templates read", templatesRead);
    printRow("database: clock synchronised with the server", clockSync);
    printRow("database: schedule, event row, INSERT", punchWork);
    printRow("database: messages + day panel refresh", ending);
    printRow("screen: finger image with the matched details", picture);
    if (unmatched)
        std::printf("\n  %d rounds did not match and are left out\n", unmatched);
    QSqlQuery(db.handle()).exec(QStringLiteral("DROP DATABASE ") + database);
    return 0;
}
