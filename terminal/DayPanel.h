#pragma once
// The selected user's day on the terminal's main screen: the schedule's name, the permission in
// force, today's scheduled and registered times with their status icons, the pairs of a
// multiple-check user, and the list of the last punches at this terminal. What it found about
// the day is returned to the caller, which decides whether the user may punch.

#include "DayPanelRules.h"
#include "Selection.h"

#include <QPixmap>

class Clock;
class Db;
class QLabel;

namespace Ui {
class FrmClock;
}

class DayPanel
{
public:
    DayPanel(Ui::FrmClock& ui, Db& db, const Clock& clock, Selection& selection);

    // True when a schedule is assigned for the selection's rotation order.
    bool ShowScheduleName();
    void ShowPermissions();
    void ClearDayDisplay();
    // What today's schedule and event row say about the day.
    struct DayShown
    {
        bool scheduleToday = false;
        bool dayClosed = false;
    };
    DayShown ShowDaySchedule();
    void ShowDayEvents();
    void InitRecentChecks();
    void AddRecentCheck(const QString& name);

    int RecentRow = 1; // next row of the recent punches, from 1

    // The three icons of one punch.
    struct Icons
    {
        QLabel* plain;
        QLabel* late;
        QLabel* justified;
    };
    static void showIcon(const Icons& icons, DayPanelRules::PunchIcon icon);

private:
    void showScheduledTimes(const CheckEngine::ScheduleDay& schedule);
    // Returns whether today's row is closed.
    bool showRegisteredTimes(const CheckEngine::ScheduleDay& schedule);
    void setBreakVisible(bool visible);

    Ui::FrmClock& ui_;
    Db& db_;
    const Clock& clock_;
    Selection& selection_;
    Icons entry_;
    Icons exit_;
    Icons breakOut_;
    Icons breakReturn_;
};
