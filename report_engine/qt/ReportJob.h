#pragma once
// Opening a report: its layout file is read and checked, its query runs, the layout's own
// selection formula (or, when it has none, the one given) selects the records, and the pages
// are made. Every fault comes back as one Spanish text that names the file and the problem.

#include "Document.h"

#include <memory>
#include <QDateTime>
#include <QString>

class Db;

struct ReportRequest
{
    QString layoutPath;
    QString formula; // the catalogue's; empty for none
    QString title;
    QDateTime now = QDateTime::currentDateTime();
};

struct ReportOutcome
{
    std::shared_ptr<const report::Document> document; // null on failure
    QString error;

    bool ok() const { return document != nullptr; }
};

ReportOutcome buildReport(Db& db, const ReportRequest& request);
