#pragma once
// The terminal's one screen: clock, location, the message line, the selected employee's day,
// the location's message and the last punches. An employee types his number (or picks his
// name), proves who he is with a finger or a password, and the punch is recorded.

#include "AppContext.h"
#include "DayPanel.h"
#include "FingerprintComponent.h"
#include "PunchRecorder.h"
#include "ReaderAdapter.h"
#include "Selection.h"

#include <memory>
#include <QTimer>
#include <QWidget>

class FrmUsuarios;

namespace Ui {
class FrmClock;
}

class FrmClock : public QWidget
{
    Q_OBJECT
public:
    // The caption text every terminal carries after its title.
    static QString versionText();

    // Reads fingers through the readers libfprint offers.
    explicit FrmClock(AppContext& context, QWidget* parent = nullptr);
    // Reads fingers through the given component.
    FrmClock(AppContext& context, std::unique_ptr<FingerprintComponent> reader,
             QWidget* parent = nullptr);
    ~FrmClock() override;

    // Start-up after the single-instance guard. Returns false when the program must end
    // (no reader, no configuration or connection, a newer release that closes older ones).
    bool Form_Load();

    void InitLabels();
    void SyncServerClock();
    void ShowLocation();
    void ShowLocationMessage();
    void RefreshClock(); // TmrClock's action: long date on CmdFecha, time on LblTime

    // Identification: loads the user and decides whether he may punch today.
    void Busca_Usuario(qint16 Numero_Usuario);
    // A user number as typed or chosen: numbers that do not fit the user numbers are refused
    // like unknown users, without asking the database.
    void lookUpUser(const QString& number);
    // The finger has been lifted after an image was taken: verify it and punch.
    void VerifyFingerprint();

    // The punch of the selected user, with the common ending.
    void RegisterCheck();
    void RegisterMultipleCheck();
    // Shows the first pending personal message of the selected user; returns once it closed.
    void ShowPersonalMessages();

    // Opens the name search window (a double click on ImgUsers).
    FrmUsuarios* OpenUserSearch();

    // The terminal's weekday with Sunday = 1 ... Saturday = 7.
    qint16 currentDayOfWeek() const;

    // Program-wide punch state.
    bool ExitAllowed = false;
    bool CheckInProgress = false;
    QString LogoPath;

    Selection& selection() { return selection_; }
    DayPanel& dayPanel() { return dayPanel_; }
    ReaderAdapter& reader() { return adapter_; }
    Ui::FrmClock* ui() const { return ui_; }
    QTimer& TmrClock() { return tmrClock_; }
    QTimer& TmrMsg() { return tmrMsg_; }
    AppContext& context() { return context_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectReader();
    void CmdFecha_Click();
    void TmrMsg_Timer();
    void TxtUsuario_LostFocus();
    void TxtClave_LostFocus();
    // Empties everything shown about the previous employee: name, schedule, permission,
    // finger image and quality, day panel.
    void clearPreviousUser();
    void showLogo();
    void refuseSelection(const QString& text);
    void startScreenReset();
    void showPunchOutcome(const PunchOutcome& outcome);
    void finishPunch(bool multiple);

    // Reader events.
    void sensorPlugged(const QString& sensorId);
    void sensorUnplugged(const QString& sensorId);
    void fingerPlaced(const QString& sensorId);
    void imageAcquired(const QString& sensorId, int width, int height, const QByteArray& raw,
                       int resolution);
    void fingerRemoved(const QString& sensorId);
    void startCapture();
    void stopCapture();

    AppContext& context_;
    Ui::FrmClock* ui_;
    std::unique_ptr<FingerprintComponent> component_;
    ReaderAdapter adapter_;
    Selection selection_;
    DayPanel dayPanel_;
    PunchRecorder recorder_;
    QTimer tmrClock_;
    QTimer tmrMsg_;
    bool lookingUp_ = false;
    // The station's location number names a location: only then may anyone punch here.
    bool locationKnown_ = false;
};
