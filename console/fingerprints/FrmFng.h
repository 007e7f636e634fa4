#pragma once
// Fingerprint enrolment: an employee's registered fingers, a finger taken from the reader with
// its quality, stored as one of his ten fingers, and a registered finger deleted.

#include "ConsoleContext.h"
#include "ConsoleReader.h"
#include "EnrolmentCheck.h"
#include "FrmSrc.h"

#include <memory>
#include <optional>
#include <QPointer>
#include <QWidget>

class FingerprintComponent;

namespace Ui {
class FrmFng;
}

class FrmFng : public QWidget
{
    Q_OBJECT
public:
    // Reads fingers through the readers libfprint offers.
    explicit FrmFng(ConsoleContext& context, QWidget* parent = nullptr);
    // Reads fingers through the given component.
    FrmFng(ConsoleContext& context, std::unique_ptr<FingerprintComponent> reader,
           QWidget* parent = nullptr);
    ~FrmFng() override;

    // Loads the employee whose number is in TbUsr.
    void FindUsr();
    // Lists the employee's registered fingers.
    void GetFingers();
    // Stores the capture as the finger chosen in CmbFing.
    void GetFingerP();

    // The last capture's quality 0..2, a negative error, or kCaptureStored once it is stored.
    int LastQuality = 0;

    Ui::FrmFng* ui() const { return ui_; }
    ConsoleReader& reader() { return *reader_; }
    // The search dialog while it is open.
    FrmSrc* searchDialog() const { return search_; }

Q_SIGNALS:
    // The screen closed and let go of the reader.
    void readerReleased();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void TbUsr_LostFocus();
    void BtnFind_Click();
    void BtnAdd_Click();
    void BtnDel_Click();
    void BtnClose_Click();
    void Reader_ImageAcquired(int width, int height, const QByteArray& raw, int resolution);

    // The number typed may not be the one loaded yet (a button pressed by its key leaves the
    // focus in the box): load it first, as leaving the box does.
    void catchUpWithTbUsr();
    QList<int> listedFingers() const;
    void showProblem(const EnrolmentProblem& problem);
    void showLogo();

    ConsoleContext& context_;
    Ui::FrmFng* ui_;
    ConsoleReader* reader_;
    QPointer<FrmSrc> search_;
    QString lookedUp_; // the TbUsr text FindUsr last loaded
};
