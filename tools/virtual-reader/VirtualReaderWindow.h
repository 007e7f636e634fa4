#pragma once
// A window listing the fingerprint images of a folder; a click places that
// finger on the virtual reader (finger on, the image, finger off).

#include "VirtualReaderClient.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;

class VirtualReaderWindow : public QWidget
{
    Q_OBJECT

public:
    VirtualReaderWindow(const QString& folder, const QString& socketPath,
                        QWidget* parent = nullptr);

    // Images listed, and the state shown to the user (for tests).
    QListWidget* images() const { return images_; }
    QString statusText() const;

private:
    void loadFolder(const QString& folder);
    void placeFinger(QListWidgetItem* item);
    void showConnection();

    VirtualReaderClient client_;
    QListWidget* images_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* lastTouch_ = nullptr;
};
