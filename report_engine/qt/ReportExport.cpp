#include "ReportExport.h"

#include "PagePainter.h"
#include "ReportJob.h"

#include <QDir>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace {

// Resolution of the PDF's drawing coordinates; text and lines stay vectors at any zoom.
constexpr int kPdfDpi = 600;

QPageLayout pageLayoutOf(const report::Document& doc)
{
    const double w = doc.page.width, h = doc.page.height;
    const QPageSize size(QSizeF(std::min(w, h), std::max(w, h)), QPageSize::Millimeter);
    return QPageLayout(size, w > h ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

QString cannotWrite(const QString& path, const QString& why)
{
    return QStringLiteral("No se pudo escribir el archivo \"%1\": %2.")
        .arg(QDir::toNativeSeparators(path), why);
}

QString csvField(const std::string& text)
{
    QString s = QString::fromStdString(text);
    if (s.contains(',') || s.contains('"') || s.contains('\n') || s.contains('\r') ||
        s.startsWith(' ') || s.endsWith(' ')) {
        s.replace('"', QStringLiteral("\"\""));
        s = '"' + s + '"';
    }
    return s;
}

QString csvLine(const std::vector<std::string>& fields)
{
    QStringList parts;
    for (const std::string& f : fields)
        parts << csvField(f);
    return parts.join(',') + QStringLiteral("\r\n");
}

} // namespace

QString writePdf(const report::Document& doc, const QString& path)
{
    {
        // QPdfWriter says nothing of a file it cannot create: try it first.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            return cannotWrite(path, probe.errorString());
    }
    QPdfWriter writer(path);
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(pageLayoutOf(doc));
    writer.setTitle(QString::fromStdString(doc.title));
    writer.setCreator(QStringLiteral("Tasquelo"));
    QPainter painter;
    if (!painter.begin(&writer))
        return cannotWrite(path, QStringLiteral("el PDF no se pudo iniciar"));
    const QRectF target(0, 0, writer.width(), writer.height());
    for (int p = 0; p < int(doc.pages.size()); ++p) {
        if (p > 0)
            writer.newPage();
        paintPage(painter, doc, p, target);
    }
    if (!painter.end())
        return cannotWrite(path, QStringLiteral("el PDF no se pudo terminar"));
    return {};
}

QString writeCsv(const report::CsvTable& table, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite(path, file.errorString());
    QString text = csvLine(table.headings);
    for (const auto& row : table.rows)
        text += csvLine(row);
    file.write(text.toUtf8());
    if (!file.commit())
        return cannotWrite(path, file.errorString());
    return {};
}

void printDocument(const report::Document& doc, QPrinter& printer)
{
    printer.setFullPage(true);
    printer.setPageLayout(pageLayoutOf(doc));
    printer.setDocName(QString::fromStdString(doc.title));
    const int count = int(doc.pages.size());
    int first = 1, last = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(1, printer.fromPage());
        last = std::min(count, printer.toPage() > 0 ? printer.toPage() : count);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRectF target(0, 0, printer.width(), printer.height());
    for (int p = first; p <= last; ++p) {
        if (p > first)
            printer.newPage();
        paintPage(painter, doc, p - 1, target);
    }
    painter.end();
}

namespace {

template <typename Write>
QString exportReport(Db& db, const QString& layoutPath, const QString& formula,
                     const QString& title, Write write)
{
    ReportRequest request;
    request.layoutPath = layoutPath;
    request.formula = formula;
    request.title = title;
    const ReportOutcome outcome = buildReport(db, request);
    if (!outcome.ok())
        return outcome.error;
    return write(*outcome.document);
}

} // namespace

QString exportReportPdf(Db& db, const QString& layoutPath, const QString& formula,
                        const QString& title, const QString& outPath)
{
    return exportReport(db, layoutPath, formula, title,
                        [&](const report::Document& doc) { return writePdf(doc, outPath); });
}

QString exportReportCsv(Db& db, const QString& layoutPath, const QString& formula,
                        const QString& title, const QString& outPath)
{
    return exportReport(db, layoutPath, formula, title,
                        [&](const report::Document& doc) { return writeCsv(doc.csv, outPath); });
}
