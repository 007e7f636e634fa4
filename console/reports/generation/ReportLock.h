#pragma once
// The working table rep_asistencia_general is shared by every station: a report run holds a
// named server lock for its whole length so that a second run waits its turn instead of
// mixing its rows with the first one's. The lock belongs to the connection; the server also
// frees it when a station's connection ends.

class Db;

class ReportLock
{
public:
    // Tries to take the lock at once, without waiting.
    explicit ReportLock(Db& db);
    ~ReportLock();
    ReportLock(const ReportLock&) = delete;
    ReportLock& operator=(const ReportLock&) = delete;

    bool held() const { return held_; }

private:
    Db& db_;
    bool held_ = false;
};
