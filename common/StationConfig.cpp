#include "StationConfig.h"

#include <limits>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

StationConfigResult parseStationConfig(const QString& text)
{
    StationConfigResult result;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (lines.size() < 2) {
        result.error = QStringLiteral("El archivo de configuración %1 tiene menos de dos líneas.")
                           .arg(QLatin1String(kStationFileName));
        return result;
    }
    bool isNumber = false;
    const QString second = lines[1].trimmed();
    const int number = second.toInt(&isNumber);
    if (!isNumber || number < std::numeric_limits<qint16>::min() ||
        number > std::numeric_limits<qint16>::max()) {
        result.error =
            QStringLiteral("La segunda línea de %1 debe ser el número de ubicación; dice \"%2\".")
                .arg(QLatin1String(kStationFileName), second);
        return result;
    }
    result.ok = true;
    result.config.connectionString = lines[0].trimmed();
    result.config.locationNumber = static_cast<qint16>(number);
    return result;
}

StationConfigResult readStationConfig(const QString& folder)
{
    const QString dir = folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
    QFile file(QDir(dir).filePath(QLatin1String(kStationFileName)));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        StationConfigResult result;
        result.error = QStringLiteral("No se pudo abrir el archivo de configuración %1: %2")
                           .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
        return result;
    }
    return parseStationConfig(QString::fromUtf8(file.readAll()));
}
