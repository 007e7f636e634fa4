#include "VirtualReaderWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int kThumbnailSide = 120;
constexpr int kPathRole = Qt::UserRole;

} // namespace

VirtualReaderWindow::VirtualReaderWindow(const QString& folder, const QString& socketPath,
                                         QWidget* parent)
    : QWidget(parent)
    , images_(new QListWidget(this))
    , status_(new QLabel(this))
    , lastTouch_(new QLabel(this))
{
    setWindowTitle(tr("Lector de huellas virtual"));
    images_->setObjectName(QStringLiteral("images"));
    images_->setViewMode(QListView::IconMode);
    images_->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    images_->setResizeMode(QListView::Adjust);
    images_->setMovement(QListView::Static);
    images_->setSpacing(6);
    status_->setObjectName(QStringLiteral("status"));
    lastTouch_->setObjectName(QStringLiteral("lastTouch"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(images_, 1);
    layout->addWidget(lastTouch_);
    resize(760, 560);

    connect(images_, &QListWidget::itemClicked, this, &VirtualReaderWindow::placeFinger);
    connect(&client_, &VirtualReaderClient::connected, this, &VirtualReaderWindow::showConnection);
    connect(&client_, &VirtualReaderClient::disconnected, this,
            &VirtualReaderWindow::showConnection);

    loadFolder(folder);
    client_.connectTo(socketPath);
    showConnection();
}

QString VirtualReaderWindow::statusText() const
{
    return status_->text();
}

void VirtualReaderWindow::loadFolder(const QString& folder)
{
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList(
        {QStringLiteral("*.png"), QStringLiteral("*.PNG")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        QImageReader reader(file.absoluteFilePath());
        reader.setScaledSize(
            reader.size().scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio));
        const QImage thumbnail = reader.read();
        if (thumbnail.isNull())
            continue;
        auto* item =
            new QListWidgetItem(QIcon(QPixmap::fromImage(thumbnail)), file.fileName(), images_);
        item->setData(kPathRole, file.absoluteFilePath());
    }
    if (files.isEmpty())
        lastTouch_->setText(tr("No hay imágenes PNG en %1").arg(QDir::toNativeSeparators(folder)));
}

void VirtualReaderWindow::placeFinger(QListWidgetItem* item)
{
    const QString path = item->data(kPathRole).toString();
    const QImage image(path);
    if (image.isNull()) {
        lastTouch_->setText(tr("No se pudo leer %1").arg(item->text()));
        return;
    }
    if (client_.touch(image))
        lastTouch_->setText(tr("Dedo colocado: %1").arg(item->text()));
    else
        lastTouch_->setText(tr("No se pudo enviar %1 (lector sin conexión)").arg(item->text()));
}

void VirtualReaderWindow::showConnection()
{
    const QString socket = QDir::toNativeSeparators(client_.socketPath());
    if (client_.isConnected())
        status_->setText(tr("Conectado al lector: %1").arg(socket));
    else
        status_->setText(tr("Esperando al lector en %1...").arg(socket));
}
