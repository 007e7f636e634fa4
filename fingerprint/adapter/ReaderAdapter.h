#pragma once
// The programs' layer over the fingerprint component: the capture state of the last image (its
// pixels, size and resolution, and the template extracted from it), the reader's start-up,
// showing the image, extraction and the verification of one user's stored templates.
// Templates are opaque byte strings, stored in KxFingerP.Feature exactly as extracted.

#include <QByteArray>
#include <QImage>

class Db;
class FingerprintComponent;
class QLabel;

class ReaderAdapter
{
public:
    // Bytes a template may take.
    static constexpr int kTemplateCapacity = 10000;
    // MatchUserTemplates without a template to match.
    static constexpr int kNoTemplate = -997;

    explicit ReaderAdapter(FingerprintComponent& component);

    FingerprintComponent& component() { return component_; }

    // Starts the reader library. The terminal's form: the status when negative, else 0.
    int InitReader();
    // The console's form: when the library started, also starts the capture module and
    // returns its status.
    int InitReaderAndCapture();

    // Keeps the image of the reader's image event.
    void storeImage(int width, int height, const QByteArray& raw, int resolution);

    // The picture of the last image, plain or with the template's details (context -1: the
    // extraction's, 0: the last matching's); null when there is no valid image.
    QImage FingerPicture(bool withDetails, int context) const;
    // Shows that picture in `img` when there is one.
    void ShowFingerImage(QLabel* img, bool withDetails, int context) const;

    // Extracts the template of the last image; returns the quality 0..2 or a negative error
    // (then TemplateSize is 0).
    int ExtractTemplate();
    bool HasTemplate() const { return TemplateSize > 0; }

    // Verifies the template against the stored templates of `user`, in the order the database
    // returns them; the first match wins. Returns the matching row's user number (1 or more),
    // 0 when none matches, kNoTemplate without a template, or the component's negative status
    // when the template cannot be prepared.
    int MatchUserTemplates(Db& db, int user, int& score);

    // The quality text the terminal shows for an extraction's result.
    static QString qualityText(int quality);

    // Capture state.
    QByteArray RawImage;
    int ImageWidth = 0;
    int ImageHeight = 0;
    int ImageResolution = 0;
    QByteArray Template;
    int TemplateSize = 0;

private:
    FingerprintComponent& component_;
};
