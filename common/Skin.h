#pragma once
// Skins: a ".skn" file beside the program is a Qt style sheet. The current skin applies to a
// window when the window loads (and at once to the windows open when the skin changes).

#include <QString>

class QWidget;

class SkinCtrl
{
public:
    // Loads the file (a bare name is looked up beside the program). False if it cannot be read.
    bool loadSkin(const QString& fileName);
    void applySkin(QWidget* window) const;
    QString fileName() const { return fileName_; }
    QString styleSheet() const { return styleSheet_; }

    static QString skinFolder();

private:
    QString fileName_;
    QString styleSheet_;
};
