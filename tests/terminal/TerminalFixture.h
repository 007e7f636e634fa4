#pragma once
// A terminal on the real screen and a database of its own, with the company's rows written the
// way the console writes them. Time is driven through the terminal's clock and the server
// session's timestamp together, so the engine's comparisons (terminal clock) and the times it
// writes (the server's NOW()) agree.

#include "AppContext.h"
#include "FrmClock.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"

#include <memory>
#include <QDateTime>
#include <QTemporaryDir>

class QLabel;

namespace testing {

struct ScheduleTimes
{
    QString entrada;
    QString salida;
    QString salidaBreak; // empty = NULL
    QString regresoBreak;
    int tolerancia = 10;
    int checaAntes = 15;
};

// The office schedule most screen tests use: 09:00-18:00, meal break 14:00-15:00, tolerance 10,
// exit accepted from 15 minutes before.
inline const ScheduleTimes kOfficeTimes{"09:00:00", "18:00:00", "14:00:00", "15:00:00", 10, 15};

class TerminalFixture
{
public:
    // `database` is created afresh from the schema.
    explicit TerminalFixture(const QString& database);
    ~TerminalFixture();

    bool ready() const { return ready_; }
    QString error() const { return error_; }

    Db& db() { return db_; } // the test's own connection

    // Empties the tables and writes the location the station stands at.
    void clear(qint16 location = 3, const QString& locationName = QStringLiteral("MATRIZ"));

    // A started terminal, shown and active. Returns null when the start-up failed.
    FrmClock* start(std::unique_ptr<FingerprintComponent> reader = {});
    FrmClock* form() { return form_.get(); }
    AppContext& context() { return *context_; }

    // Sets the terminal's clock and the server's NOW() for its connection.
    void setTime(const QDateTime& moment);

    // Company rows.
    void addUser(int user, const QString& name, const QString& password = {}, bool multiple = false,
                 bool rotating = false);
    // The same times in the seven slots; `weekdays` limits them (1 = Monday ... 7 = Sunday).
    void addSchedule(int horario, const QString& name, const ScheduleTimes& times,
                     QList<int> weekdays = {1, 2, 3, 4, 5, 6, 7});
    void assign(int user, int horario, int orden = 0);
    void addPermission(int user, const QDate& from, const QDate& to, int tipo);
    // Schedule 4 "OFICINA" (kOfficeTimes, every day) and user 20 "ANA LOPEZ" assigned to it.
    void addOfficeWorker(const QString& password = {});

    // The screen.
    void typeUser(const QString& number);
    void typePassword(const QString& password);
    void resetScreen(); // the 4-second timer's own signal
    QString message() const;
    bool messageIsSuccess() const;
    bool messageIsRefusal() const;

    // How many KxEvento rows the user has.
    int eventCount(int user);

    RecordingMessages boxes;

private:
    Db db_;
    QTemporaryDir folder_;
    QString database_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<FrmClock> form_;
    QDateTime moment_;
    bool ready_ = false;
    QString error_;
};

// Whether a label is shown on its screen (the screen itself may be hidden).
bool shown(const QLabel* label);

} // namespace testing
