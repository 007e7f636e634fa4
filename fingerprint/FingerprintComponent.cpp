#include "FingerprintComponent.h"

#include "FingerImage.h"
#include "FingerprintStatus.h"
#include "LibfprintReader.h"
#include "MinutiaeOverlay.h"
#include "ReaderBackend.h"

#include <algorithm>
#include <span>

namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

} // namespace

FingerprintComponent::FingerprintComponent(QObject* parent)
    : QObject(parent)
{
}

FingerprintComponent::FingerprintComponent(std::unique_ptr<ReaderBackend> backend, QObject* parent)
    : QObject(parent)
    , backend_(std::move(backend))
{
    attach(backend_.get());
}

FingerprintComponent::~FingerprintComponent() = default;

void FingerprintComponent::attach(ReaderBackend* backend)
{
    connect(backend, &ReaderBackend::sensorPlugged, this, &FingerprintComponent::sensorPlugged);
    connect(backend, &ReaderBackend::sensorUnplugged, this, &FingerprintComponent::sensorUnplugged);
    connect(backend, &ReaderBackend::fingerPlaced, this, &FingerprintComponent::fingerPlaced);
    connect(backend, &ReaderBackend::fingerRemoved, this, &FingerprintComponent::fingerRemoved);
    connect(backend, &ReaderBackend::imageAcquired, this, &FingerprintComponent::imageAcquired);
}

int FingerprintComponent::initialise()
{
    if (initialised_)
        return FingerprintStatus::Ok;
    if (!backend_) {
        backend_ = std::make_unique<LibfprintReader>();
        attach(backend_.get());
    }
    const int status = backend_->open();
    initialised_ = status >= 0;
    return status;
}

int FingerprintComponent::startCaptureModule()
{
    if (!initialised_)
        return FingerprintStatus::NotInitialised;
    backend_->startReporting();
    return FingerprintStatus::Ok;
}

void FingerprintComponent::stopCaptureModule()
{
    if (initialised_)
        backend_->stopReporting();
}

void FingerprintComponent::startCapture(const QString& sensorId)
{
    if (initialised_)
        backend_->startCapture(sensorId);
}

void FingerprintComponent::stopCapture(const QString& sensorId)
{
    if (initialised_)
        backend_->stopCapture(sensorId);
}

QStringList FingerprintComponent::sensors() const
{
    return initialised_ ? backend_->sensors() : QStringList();
}

bool FingerprintComponent::isWaitingForFinger(const QString& sensorId) const
{
    return initialised_ && backend_->isWaitingForFinger(sensorId);
}

QImage FingerprintComponent::picture(const QByteArray& raw, int width, int height) const
{
    return FingerImage::pictureFromRaw(raw, width, height);
}

int FingerprintComponent::extractTemplate(const QByteArray& raw, int width, int height,
                                          int resolution, QByteArray& templ) const
{
    templ.clear();
    if (!FingerImage::isValidRaw(raw, width, height))
        return FingerprintStatus::InvalidImage;
    fp::GrayImage image;
    image.width = width;
    image.height = height;
    if (resolution > 0)
        image.dpi = resolution;
    const std::span<const std::uint8_t> pixels = bytesOf(raw);
    image.pixels.assign(pixels.begin(), pixels.end());

    const fp::Extraction extraction = fp::extractTemplate(image);
    if (extraction.quality < 0)
        return extraction.quality;
    if (extraction.templ.empty())
        return FingerprintStatus::EmptyTemplate;
    if (extraction.templ.size() > fp::kMaxTemplateSize)
        return FingerprintStatus::TemplateTooLarge;
    templ = QByteArray(reinterpret_cast<const char*>(extraction.templ.data()),
                       qsizetype(extraction.templ.size()));
    return std::min(extraction.quality, 2);
}

QImage FingerprintComponent::pictureWithDetails(const QByteArray& templ, const QByteArray& raw,
                                                int width, int height, int resolution,
                                                int context) const
{
    const QImage plain = FingerImage::pictureFromRaw(raw, width, height);
    if (plain.isNull())
        return {};
    const bool showMatch = context == kMatchDetails && !templ.isEmpty() && templ == matchedQuery_;
    return MinutiaeOverlay::draw(plain, fp::decodeMinutiae(bytesOf(templ)),
                                 showMatch ? matchedMinutiae_ : QSet<int>(), resolution);
}

int FingerprintComponent::prepareQuery(const QByteArray& templ)
{
    preparedTemplate_.clear();
    if (templ.isEmpty() || templ.size() > kMaxTemplateSize) {
        query_ = fp::PreparedQuery();
        return templ.isEmpty() ? FingerprintStatus::EmptyTemplate
                               : FingerprintStatus::TemplateTooLarge;
    }
    const int status = query_.prepare(bytesOf(templ));
    if (status >= 0)
        preparedTemplate_ = templ;
    return status;
}

int FingerprintComponent::match(const QByteArray& reference, int& score)
{
    score = 0;
    if (preparedTemplate_.isEmpty())
        return FingerprintStatus::EmptyTemplate;
    if (reference.isEmpty())
        return FingerprintStatus::EmptyTemplate;
    const int similarity = query_.score(bytesOf(reference));
    const int result = fp::decide(similarity);
    if (similarity >= 0)
        score = similarity;
    if (result == 1) {
        matchedQuery_ = preparedTemplate_;
        matchedMinutiae_.clear();
        for (const fp::MatchPair& pair : query_.lastPairs())
            matchedMinutiae_.insert(pair.query);
    }
    return result;
}
