#include "ReportJob.h"

#include "RecordSource.h"
#include "ReportEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

ReportOutcome failure(const QString& text)
{
    ReportOutcome out;
    out.error = text;
    return out;
}

int64_t secondsSinceEpoch(const QDateTime& dt)
{
    return QDate(1970, 1, 1).daysTo(dt.date()) * 86400 + dt.time().msecsSinceStartOfDay() / 1000;
}

QString sentence(const std::string& text)
{
    QString s = QString::fromStdString(text);
    if (!s.endsWith('.'))
        s += '.';
    return s;
}

} // namespace

ReportOutcome buildReport(Db& db, const ReportRequest& request)
{
    const QString path = QDir::toNativeSeparators(request.layoutPath);
    QFile file(request.layoutPath);
    if (!QFileInfo(file).isFile())
        return failure(QStringLiteral("No se encontró el formato de reporte \"%1\".").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("No se pudo leer el formato de reporte \"%1\": %2.")
                           .arg(path, file.errorString()));
    const std::string text = file.readAll().toStdString();

    const QString invalid = QStringLiteral("El formato de reporte \"%1\" no es válido, %2");
    try {
        report::Layout layout = report::parseLayout(text);
        report::Table table;
        QString error;
        if (!readRecords(db, QString::fromStdString(layout.query), table, &error))
            return failure(QStringLiteral("La consulta del formato de reporte \"%1\" (línea %2) "
                                          "falló: %3")
                               .arg(path)
                               .arg(layout.queryLine)
                               .arg(error.trimmed()));
        report::RunOptions options;
        options.title = request.title.toStdString();
        options.catalogueFormula = request.formula.toStdString();
        options.now = secondsSinceEpoch(request.now);
        ReportOutcome out;
        out.document =
            std::make_shared<report::Document>(report::runReport(layout, table, options));
        return out;
    } catch (const report::LayoutError& e) {
        return failure(invalid.arg(path, sentence(e.what())));
    } catch (const report::SelectionError& e) {
        return failure(QString::fromStdString(e.what()));
    }
}
