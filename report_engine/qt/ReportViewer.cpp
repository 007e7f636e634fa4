#include "ReportViewer.h"

#include "Messages.h"
#include "PagePainter.h"
#include "ReportExport.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const int kZooms[] = {50, 75, 100, 125, 150, 200};
const QString kTitle = QStringLiteral("Visor de Reportes");

QToolButton* toolButton(QWidget* parent, const char* name, const QString& text,
                        QStyle::StandardPixmap icon, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(tip);
    if (icon != QStyle::SP_CustomBase) {
        b->setIcon(parent->style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    b->setAutoRaise(true);
    return b;
}

} // namespace

// The page itself, painted at the viewer's zoom.
class ReportViewer::PageView : public QWidget
{
public:
    explicit PageView(ReportViewer& viewer)
        : QWidget(nullptr)
        , viewer_(viewer)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (!viewer_.doc_)
            return;
        paintPage(p, *viewer_.doc_, viewer_.page_, QRectF(rect()));
        emit viewer_.pageShown(viewer_.page_);
    }

private:
    ReportViewer& viewer_;
};

ReportViewer::ReportViewer(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    first_ = toolButton(this, "BtnPrimera", QStringLiteral("|<"), QStyle::SP_MediaSkipBackward,
                        QStringLiteral("Primera página (Inicio)"));
    previous_ = toolButton(this, "BtnAnterior", QStringLiteral("<"), QStyle::SP_MediaSeekBackward,
                           QStringLiteral("Página anterior (RePág)"));
    next_ = toolButton(this, "BtnSiguiente", QStringLiteral(">"), QStyle::SP_MediaSeekForward,
                       QStringLiteral("Página siguiente (AvPág)"));
    last_ = toolButton(this, "BtnUltima", QStringLiteral(">|"), QStyle::SP_MediaSkipForward,
                       QStringLiteral("Última página (Fin)"));
    for (QToolButton* b : {first_, previous_, next_, last_})
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    pageBox_ = new QSpinBox(this);
    pageBox_->setObjectName(QStringLiteral("TxtPagina"));
    pageBox_->setToolTip(QStringLiteral("Ir a la página"));
    pagesLabel_ = new QLabel(this);
    pagesLabel_->setObjectName(QStringLiteral("LblPaginas"));
    zoomBox_ = new QComboBox(this);
    zoomBox_->setObjectName(QStringLiteral("CmbZoom"));
    zoomBox_->setToolTip(QStringLiteral("Acercamiento"));
    for (int z : kZooms)
        zoomBox_->addItem(QStringLiteral("%1 %").arg(z), z);
    print_ = toolButton(this, "BtnImprimir", QStringLiteral("&Imprimir"), QStyle::SP_CustomBase,
                        QStringLiteral("Imprimir el reporte"));
    pdf_ = toolButton(this, "BtnPdf", QStringLiteral("&PDF"), QStyle::SP_CustomBase,
                      QStringLiteral("Exportar el reporte a PDF"));
    csv_ = toolButton(this, "BtnCsv", QStringLiteral("&CSV"), QStyle::SP_CustomBase,
                      QStringLiteral("Exportar los renglones del reporte a CSV"));
    bar->addWidget(first_);
    bar->addWidget(previous_);
    bar->addWidget(pageBox_);
    bar->addWidget(pagesLabel_);
    bar->addWidget(next_);
    bar->addWidget(last_);
    bar->addSpacing(12);
    bar->addWidget(zoomBox_);
    bar->addStretch(1);
    bar->addWidget(print_);
    bar->addWidget(pdf_);
    bar->addWidget(csv_);

    view_ = new PageView(*this);
    view_->setObjectName(QStringLiteral("Pagina"));
    messageLabel_ = new QLabel(this);
    messageLabel_->setObjectName(QStringLiteral("LblMensaje"));
    messageLabel_->setWordWrap(true);
    messageLabel_->setAlignment(Qt::AlignCenter);
    messageLabel_->hide();
    desk_ = new QScrollArea(this);
    desk_->setObjectName(QStringLiteral("Escritorio"));
    desk_->setAlignment(Qt::AlignCenter);
    desk_->setBackgroundRole(QPalette::Dark);
    desk_->setWidget(view_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(messageLabel_);
    layout->addWidget(desk_, 1);

    connect(first_, &QToolButton::clicked, this, [this] { showPage(0); });
    connect(previous_, &QToolButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(next_, &QToolButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(last_, &QToolButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int n) { showPage(n - 1); });
    connect(zoomBox_, &QComboBox::activated, this,
            [this](int index) { setZoom(zoomBox_->itemData(index).toInt()); });
    connect(print_, &QToolButton::clicked, this, &ReportViewer::printReport);
    connect(pdf_, &QToolButton::clicked, this, &ReportViewer::exportPdf);
    connect(csv_, &QToolButton::clicked, this, &ReportViewer::exportCsv);

    chooseFile = [this](const QString& caption, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, QString(), filter);
    };
    choosePrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Imprimir"));
        dialog.setMinMax(1, std::max(1, pageCount()));
        return dialog.exec() == QDialog::Accepted;
    };
    setZoom(100);
    updateControls();
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::setDocument(std::shared_ptr<const report::Document> doc)
{
    doc_ = std::move(doc);
    page_ = 0;
    messageLabel_->hide();
    setZoom(zoom_);
    updateControls();
}

void ReportViewer::setMessage(const QString& text)
{
    messageLabel_->setText(text);
    messageLabel_->setVisible(!text.isEmpty());
}

QString ReportViewer::message() const
{
    return messageLabel_->isHidden() ? QString() : messageLabel_->text();
}

int ReportViewer::pageCount() const
{
    return doc_ ? int(doc_->pages.size()) : 0;
}

void ReportViewer::showPage(int page)
{
    if (!doc_)
        return;
    const int clamped = std::clamp(page, 0, pageCount() - 1);
    if (clamped == page_ && pageBox_->value() == page_ + 1)
        return;
    page_ = clamped;
    updateControls();
    view_->update();
}

QSize ReportViewer::pageSizeOnScreen() const
{
    if (!doc_)
        return QSize(0, 0);
    const double pxPerMm = logicalDpiX() / 25.4 * zoom_ / 100.0;
    return QSize(qRound(doc_->page.width * pxPerMm), qRound(doc_->page.height * pxPerMm));
}

void ReportViewer::setZoom(int percent)
{
    zoom_ = std::clamp(percent, 10, 400);
    const int index = zoomBox_->findData(zoom_);
    if (index >= 0)
        zoomBox_->setCurrentIndex(index);
    view_->resize(pageSizeOnScreen());
    view_->update();
}

void ReportViewer::updateControls()
{
    const int count = pageCount();
    const bool has = count > 0;
    {
        const QSignalBlocker block(pageBox_);
        pageBox_->setRange(has ? 1 : 0, std::max(count, has ? 1 : 0));
        pageBox_->setValue(has ? page_ + 1 : 0);
    }
    pagesLabel_->setText(QStringLiteral("de %1").arg(count));
    first_->setEnabled(has && page_ > 0);
    previous_->setEnabled(has && page_ > 0);
    next_->setEnabled(has && page_ < count - 1);
    last_->setEnabled(has && page_ < count - 1);
    for (QWidget* w :
         {static_cast<QWidget*>(pageBox_), static_cast<QWidget*>(zoomBox_),
          static_cast<QWidget*>(print_), static_cast<QWidget*>(pdf_), static_cast<QWidget*>(csv_)})
        w->setEnabled(has);
    view_->setVisible(has);
}

void ReportViewer::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(page_ + 1);
        break;
    case Qt::Key_PageUp:
        showPage(page_ - 1);
        break;
    case Qt::Key_Home:
        showPage(0);
        break;
    case Qt::Key_End:
        showPage(pageCount() - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ReportViewer::printReport()
{
    if (!doc_)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!choosePrinter(printer))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    printDocument(*doc_, printer);
    QApplication::restoreOverrideCursor();
}

void ReportViewer::exportPdf()
{
    if (!doc_)
        return;
    QString path =
        chooseFile(QStringLiteral("Exportar a PDF"), QStringLiteral("Documentos PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error = writePdf(*doc_, path);
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty())
        ShowError(error, kTitle);
}

void ReportViewer::exportCsv()
{
    if (!doc_)
        return;
    QString path = chooseFile(QStringLiteral("Exportar a CSV"),
                              QStringLiteral("Valores separados por comas (*.csv)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    const QString error = writeCsv(doc_->csv, path);
    if (!error.isEmpty())
        ShowError(error, kTitle);
}
