#include "ReaderAdapter.h"

#include "Db.h"
#include "FingerprintComponent.h"

#include <QLabel>
#include <QPixmap>
#include <QSqlQuery>

static_assert(FingerprintComponent::kMaxTemplateSize <= ReaderAdapter::kTemplateCapacity);

ReaderAdapter::ReaderAdapter(FingerprintComponent& component)
    : component_(component)
{
}

int ReaderAdapter::InitReader()
{
    Template = QByteArray(kTemplateCapacity, '\0');
    TemplateSize = 0;
    ImageWidth = 0;
    ImageHeight = 0;
    const int status = component_.initialise();
    return status < 0 ? status : 0;
}

int ReaderAdapter::InitReaderAndCapture()
{
    const int status = InitReader();
    if (status < 0)
        return status;
    return component_.startCaptureModule();
}

void ReaderAdapter::storeImage(int width, int height, const QByteArray& raw, int resolution)
{
    RawImage = raw;
    ImageWidth = width;
    ImageHeight = height;
    ImageResolution = resolution;
}

QImage ReaderAdapter::FingerPicture(bool withDetails, int context) const
{
    if (withDetails)
        return component_.pictureWithDetails(Template.left(TemplateSize), RawImage, ImageWidth,
                                             ImageHeight, ImageResolution, context);
    return component_.picture(RawImage, ImageWidth, ImageHeight);
}

void ReaderAdapter::ShowFingerImage(QLabel* img, bool withDetails, int context) const
{
    const QImage picture = FingerPicture(withDetails, context);
    if (picture.isNull())
        return;
    img->setPixmap(QPixmap::fromImage(picture).scaled(img->size(), Qt::KeepAspectRatio,
                                                      Qt::SmoothTransformation));
}

int ReaderAdapter::ExtractTemplate()
{
    TemplateSize = kTemplateCapacity;
    Template.resize(kTemplateCapacity);
    QByteArray extracted;
    const int quality =
        component_.extractTemplate(RawImage, ImageWidth, ImageHeight, ImageResolution, extracted);
    if (quality < 0) {
        TemplateSize = 0;
        Template.clear();
        return quality;
    }
    Template = extracted;
    TemplateSize = int(extracted.size());
    return quality;
}

int ReaderAdapter::MatchUserTemplates(Db& db, int user, int& score)
{
    score = 0;
    if (!HasTemplate())
        return kNoTemplate;
    const int prepared = component_.prepareQuery(Template.left(TemplateSize));
    if (prepared < 0)
        return prepared;
    QSqlQuery q =
        db.query(QStringLiteral("select usuario,Feature from KxFingerp Where usuario = ?"), {user});
    while (q.isActive() && q.next()) {
        const QVariant feature = q.value(1);
        if (feature.isNull())
            continue;
        if (component_.match(feature.toByteArray(), score) == 1)
            return q.value(0).toInt();
    }
    return 0;
}

QString ReaderAdapter::qualityText(int quality)
{
    switch (quality) {
    case 0:
        return QStringLiteral("Calidad de la Huella: MALA");
    case 1:
        return QStringLiteral("Calidad de la Huella: REGULAR");
    case 2:
        return QStringLiteral("Calidad de la Huella: EXCELENTE");
    default:
        return {};
    }
}
