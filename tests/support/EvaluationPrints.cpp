#include "EvaluationPrints.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace testing {

QString evaluationSet(const QString& set)
{
    const QStringList roots = {qEnvironmentVariable("VELANDRO_SOURCE_DIR") +
                                   QStringLiteral("/../shared/data/fingerprints"),
                               QStringLiteral("/work/shared/data/fingerprints")};
    for (const QString& root : roots) {
        const QString folder = QDir(root).filePath(set);
        if (QFileInfo(folder).isDir())
            return QDir::cleanPath(folder);
    }
    return {};
}

QString evaluationPrint(const QString& set, const QString& name)
{
    const QString folder = evaluationSet(set);
    if (folder.isEmpty())
        return {};
    const QString path = QDir(folder).filePath(name);
    return QFileInfo::exists(path) ? path : QString();
}

} // namespace testing
