#pragma once
// A report's pages to PDF (QPdfWriter) and to a printer, its rows to CSV; and the plain calls
// that open a layout on the connection and write the file in one step, for the console and the
// command line alike. Each returns an empty text on success, else what went wrong (Spanish).

#include "Document.h"

#include <QString>

class Db;
class QPrinter;

QString writePdf(const report::Document& doc, const QString& path);

// Comma-separated, fields quoted where needed (RFC 4180), UTF-8, lines ended by CR LF.
QString writeCsv(const report::CsvTable& table, const QString& path);

// Prints the pages the printer asks for (all, or its from/to range).
void printDocument(const report::Document& doc, QPrinter& printer);

// Opens the layout at `layoutPath` with the catalogue's `formula` (used only when the layout
// has none) and `title`, and writes its pages as PDF or its rows as CSV to `outPath`.
QString exportReportPdf(Db& db, const QString& layoutPath, const QString& formula,
                        const QString& title, const QString& outPath);
QString exportReportCsv(Db& db, const QString& layoutPath, const QString& formula,
                        const QString& title, const QString& outPath);
