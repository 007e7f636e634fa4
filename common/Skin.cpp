#include "Skin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

QString SkinCtrl::skinFolder()
{
    return QCoreApplication::applicationDirPath();
}

bool SkinCtrl::loadSkin(const QString& fileName)
{
    const QString path =
        QFileInfo(fileName).isAbsolute() ? fileName : QDir(skinFolder()).filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    fileName_ = QFileInfo(path).fileName();
    styleSheet_ = QString::fromUtf8(file.readAll());
    return true;
}

void SkinCtrl::applySkin(QWidget* window) const
{
    if (window)
        window->setStyleSheet(styleSheet_);
}
