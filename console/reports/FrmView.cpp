#include "FrmView.h"

#include "BusyPointer.h"
#include "Messages.h"
#include "Placement.h"
#include "ReportJob.h"
#include "ReportViewer.h"
#include "ui_FrmView.h"

#include <QGuiApplication>
#include <QScreen>

FrmView::FrmView(ConsoleContext& context, const QString& layoutPath, const QString& formula,
                 const QString& title, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , ui_(new Ui::FrmView)
    , layoutPath_(layoutPath)
    , formula_(formula)
    , title_(title)
{
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    Form_Load();
}

FrmView::~FrmView()
{
    delete ui_;
}

ReportViewer* FrmView::viewer() const
{
    return ui_->VwrRpt;
}

void FrmView::Form_Load()
{
    ReportOutcome outcome;
    {
        BusyPointer busy;
        context_.skin.applySkin(this);
        // A page at 100 % is wider than the form's design size: take most of the screen.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize free = screen->availableSize();
            resize(std::min(free.width() * 9 / 10, 1100),
                   std::max(height(), free.height() * 8 / 10));
        }
        placeWhenShown(this);
        ReportRequest request;
        request.layoutPath = layoutPath_;
        request.formula = formula_;
        request.title = title_;
        outcome = buildReport(context_.db, request);
    }
    if (!outcome.ok()) {
        ui_->VwrRpt->setMessage(outcome.error);
        ShowError(outcome.error, windowTitle());
        return;
    }
    opened_ = true;
    ui_->VwrRpt->setDocument(outcome.document);
    ui_->VwrRpt->setZoom(100);
    ui_->VwrRpt->setFocus();
}

void FrmView::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void FrmView::Form_Resize()
{
    ui_->VwrRpt->setGeometry(0, 0, width(), height());
}
