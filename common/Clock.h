#pragma once
// The program's clock: the database server's time, kept as an offset from the local clock.
// The computer's own clock is never changed. Tests replace the local source to drive time.

#include <functional>
#include <QDateTime>

class Db;

class Clock
{
public:
    using Source = std::function<QDateTime()>;

    Clock();
    QDateTime now() const;
    QDate today() const { return now().date(); }

    // Reads "Select NOW() 'Ahora' from Kxcontrol"; with a row, the clock follows the server.
    // Returns false when no row came back (the clock is left as it was).
    bool syncWithServer(Db& db);
    void syncTo(const QDateTime& serverNow);

    void setLocalSource(Source source);
    qint64 offsetMs() const { return offsetMs_; }

private:
    Source local_;
    qint64 offsetMs_ = 0;
};
