#pragma once
// The terminal's one screen: clock, location, the message line, the selected employee's day,
// the location's message and the last punches.

#include "AppContext.h"

#include <QTimer>
#include <QWidget>

namespace Ui {
class FrmClock;
}

class FrmClock : public QWidget
{
    Q_OBJECT
public:
    // The caption text every terminal carries after its title.
    static QString versionText();

    explicit FrmClock(AppContext& context, QWidget* parent = nullptr);
    ~FrmClock() override;

    // Start-up after the single-instance guard. Returns false when the program must end
    // (no reader, no configuration or connection, a newer release that closes older ones).
    bool Form_Load();

    void InitLabels();
    void SyncServerClock();
    void ShowLocation();
    void RefreshClock(); // TmrClock's action: long date on CmdFecha, time on LblTime

    // The terminal's weekday with Sunday = 1 ... Saturday = 7.
    qint16 currentDayOfWeek() const;

    // Selection and punch state shared with identification and the check engine.
    qint16 DayOfWeek = 1;
    bool ExitAllowed = false;
    bool CheckInProgress = false;
    QString LogoPath;

    Ui::FrmClock* ui() const { return ui_; }
    QTimer& TmrClock() { return tmrClock_; }
    QTimer& TmrMsg() { return tmrMsg_; }
    AppContext& context() { return context_; }

protected:
    void closeEvent(QCloseEvent* event) override;

    // Reader start-up; negative = no reader library. The fingerprint adapter fills this in.
    virtual int InitReader();
    // Stops finger capture when the terminal closes.
    virtual void StopCapture();
    // The location's broadcast message and the recent-checks list (filled by the message and
    // day-panel code).
    virtual void ShowLocationMessage();
    virtual void InitRecentChecks();
    virtual void ClearDayDisplay();

private:
    void CmdFecha_Click();
    void TmrMsg_Timer();
    void showLogo();

    AppContext& context_;
    Ui::FrmClock* ui_;
    QTimer tmrClock_;
    QTimer tmrMsg_;
};
