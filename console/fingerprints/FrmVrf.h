#pragma once
// Fingerprint verification: each finger placed on the reader is identified among the templates
// of all employees and its owner's name is shown.

#include "ConsoleContext.h"
#include "ConsoleReader.h"
#include "FingerprintGallery.h"

#include <memory>
#include <QWidget>

class FingerprintComponent;

namespace Ui {
class FrmVrf;
}

class FrmVrf : public QWidget
{
    Q_OBJECT
public:
    // Reads fingers through the readers libfprint offers.
    explicit FrmVrf(ConsoleContext& context, QWidget* parent = nullptr);
    // Reads fingers through the given component.
    FrmVrf(ConsoleContext& context, std::unique_ptr<FingerprintComponent> reader,
           QWidget* parent = nullptr);
    ~FrmVrf() override;

    // After the finger has been lifted: identifies it and shows the result.
    void IdentifyFinger();
    // The owner's user number, 0 when no template matches, kNoTemplate without a template, or
    // the negative status of preparing it. Shows the owner's name (or that his user is gone).
    int IdentifyAllUsers(int& score);

    // The reader could not start: the screen closes on its own.
    bool readerFailed() const { return readerFailed_; }

    Ui::FrmVrf* ui() const { return ui_; }
    ConsoleReader& reader() { return *reader_; }
    const FingerprintGallery& gallery() const { return gallery_; }

Q_SIGNALS:
    // The screen closed and let go of the reader.
    void readerReleased();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Reader_ImageAcquired(int width, int height, const QByteArray& raw, int resolution);
    void Reader_FingerRemoved();
    void BtnClose_Click();

    ConsoleContext& context_;
    Ui::FrmVrf* ui_;
    ConsoleReader* reader_;
    FingerprintGallery gallery_;
    bool readerFailed_ = false;
};
