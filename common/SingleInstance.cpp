#include "SingleInstance.h"

#include "Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

SingleInstance::SingleInstance(const QString& name, const QString& folder)
{
    const QString base = name.isEmpty()
                             ? QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
                             : name;
    const QString dir = folder.isEmpty() ? QDir::tempPath() : folder;
    path_ = QDir(dir).filePath(base + QStringLiteral(".instance.lock"));
    lock_ = std::make_unique<QLockFile>(path_);
    lock_->setStaleLockTime(0); // only a dead owner makes the lock stale
    acquired_ = lock_->tryLock(0);
}

bool checkSingleInstance(SingleInstance& guard)
{
    if (guard.acquired())
        return true;
    ShowError(QStringLiteral("Ya existe una instancia del Sistema Abierta"),
              QStringLiteral("Instancias Multiples"));
    return false;
}
