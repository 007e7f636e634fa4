#pragma once
// What the report tests read back from the files they write.

#include <QFile>
#include <QRegularExpression>
#include <QString>

namespace testing {

// Pages of a PDF: its "/Type /Page" objects (the page tree's "/Type /Pages" left out).
inline int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(QStringLiteral(R"(/Type\s*/Page(?![a-zA-Z]))"));
    return int(text.count(page));
}

} // namespace testing
