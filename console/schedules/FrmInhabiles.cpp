#include "FrmInhabiles.h"

#include "BusyPointer.h"
#include "FrmInhabiles_creacion.h"
#include "Placement.h"
#include "ScreenRegistry.h"
#include "ui_FrmInhabiles.h"

#include <QHeaderView>
#include <QShortcut>

FrmInhabiles::FrmInhabiles(ConsoleContext& context, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , ui_(new Ui::FrmInhabiles)
{
    ui_->setupUi(this);
    QTableView* view = ui_->iGrid1;
    view->setModel(&grid_);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->setColumnHidden(HolidayGrid::Dia, true);
    connect(view, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { iGrid1_DblClick(index.row()); });
    auto* enter =
        new QShortcut(QKeySequence(Qt::Key_Return), view, nullptr, nullptr, Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this,
            [this] { iGrid1_DblClick(ui_->iGrid1->currentIndex().row()); });
    connect(ui_->Mes, &QCalendarWidget::clicked, this, &FrmInhabiles::Mes_Click);
    connect(ui_->Mes, &QCalendarWidget::activated, this, &FrmInhabiles::Mes_Click);
    Form_Load();
}

FrmInhabiles::~FrmInhabiles()
{
    delete ui_;
}

void FrmInhabiles::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    BusyPointer busy;
    ui_->Mes->setSelectedDate(context_.clock.today());
    Carga_Dias();
}

void FrmInhabiles::Carga_Dias()
{
    grid_.setDays(HolidayStore::list(context_.db));
    ui_->iGrid1->resizeColumnToContents(HolidayGrid::Fecha);
}

void FrmInhabiles::Mes_Click(const QDate& date)
{
    SelectedDay = date;
    openDay();
}

void FrmInhabiles::iGrid1_DblClick(int row)
{
    if (row < 0 || row >= grid_.rowCount())
        return;
    SelectedDay = grid_.day(row).fecha;
    openDay();
}

void FrmInhabiles::openDay()
{
    // One dialog at a time (a closed one may still wait for its deletion).
    if (editor_ && editor_->isVisible())
        return;
    editor_ = new FrmInhabiles_creacion(context_, *this);
    showModal(editor_);
}
