#include "DemoEnrollment.h"

#include "Db.h"
#include "Engine.h"
#include "GrayPicture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSqlQuery>

namespace {

QString userName(Db& db, int user)
{
    return db.scalar(QStringLiteral("select Nombre from KxUsuario where Usuario=?"), {user})
        .toString();
}

} // namespace

int demoUserOfFinger(int finger, int fingersPerUser)
{
    return (finger - 1) / fingersPerUser + 1;
}

int demoFingerIndicator(int finger, int fingersPerUser)
{
    return (finger - 1) % fingersPerUser + 1;
}

QString demoReaderFileName(int user, const QString& name, int indicator, int impression)
{
    QString safe = name;
    safe.replace(QRegularExpression(QStringLiteral("[/\\\\:]")), QStringLiteral(" "));
    return QStringLiteral("%1 %2 - dedo %3 - toma %4.png")
        .arg(user, 2, 10, QLatin1Char('0'))
        .arg(safe.simplified())
        .arg(indicator)
        .arg(impression);
}

DemoEnrollmentResult enrollDemoFingers(Db& db, const DemoEnrollmentPlan& plan)
{
    DemoEnrollmentResult result;
    const QDir prints(plan.printsFolder);
    QDir().mkpath(plan.readerFolder);
    const QDir reader(plan.readerFolder);
    for (int user = 1; user <= plan.users; ++user) {
        const QString name = userName(db, user);
        if (name.isEmpty()) {
            result.problems << QStringLiteral("El usuario %1 no existe.").arg(user);
            continue;
        }
        db.exec(QStringLiteral("delete from KxFingerP where Usuario=?"), {user});
        for (int indicator = 1; indicator <= plan.fingersPerUser; ++indicator) {
            const int finger = (user - 1) * plan.fingersPerUser + indicator;
            const QImage first(prints.filePath(QStringLiteral("%1_1.png").arg(finger)));
            const fp::GrayImage image = FingerImage::grayFromPicture(first);
            const fp::Extraction extraction =
                image.pixels.empty() ? fp::Extraction{} : fp::extractTemplate(image);
            if (extraction.quality < 0) {
                result.problems
                    << QStringLiteral("La huella %1_1.png no se pudo procesar.").arg(finger);
                continue;
            }
            const QByteArray feature(reinterpret_cast<const char*>(extraction.templ.data()),
                                     qsizetype(extraction.templ.size()));
            db.insertRow(QStringLiteral("KxFingerP"), {{QStringLiteral("Usuario"), user},
                                                       {QStringLiteral("NumFing"), indicator},
                                                       {QStringLiteral("Feature"), feature}});
            ++result.enrolled;
            for (int impression = 2;; ++impression) {
                const QString source =
                    prints.filePath(QStringLiteral("%1_%2.png").arg(finger).arg(impression));
                if (!QFile::exists(source))
                    break;
                const QString target =
                    reader.filePath(demoReaderFileName(user, name, indicator, impression));
                QFile::remove(target);
                if (QFile::copy(source, target))
                    ++result.offered;
            }
        }
    }
    return result;
}
