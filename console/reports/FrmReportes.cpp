#include "FrmReportes.h"

#include "AttendanceReport.h"
#include "BusyPointer.h"
#include "FrmReportes_Filtro.h"
#include "FrmView.h"
#include "Messages.h"
#include "ScreenRegistry.h"
#include "ui_FrmReportes.h"

#include <QHeaderView>
#include <QLocale>
#include <QProgressDialog>

namespace {

enum Column
{
    ColUsuario,
    ColNombre,
    ColDepartamento
};

// A run over fewer employees ends before its progress bar would be worth showing.
constexpr int kProgressAfterMs = 700;

} // namespace

FrmReportes::FrmReportes(ConsoleContext& context, QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , ui_(new Ui::FrmReportes)
{
    ui_->setupUi(this);
    QTableWidget* grid = ui_->iGrid1;
    grid->setColumnCount(3);
    grid->setHorizontalHeaderLabels(
        {QStringLiteral("Usuario"), QStringLiteral("Nombre"), QStringLiteral("Departamento")});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::MultiSelection);
    grid->verticalHeader()->hide();

    connect(ui_->CmbReportes, &QListWidget::currentRowChanged, this,
            [this] { CmbReportes_Click(); });
    connect(ui_->ChkSeleccion, &QCheckBox::toggled, this, &FrmReportes::ChkSeleccion_Click);
    connect(ui_->BtnFiltrar, &QPushButton::clicked, this, &FrmReportes::BtnFiltrar_Click);
    connect(ui_->BtnEjecutar, &QPushButton::clicked, this, &FrmReportes::BtnEjecutar_Click);
    Form_Load();
}

FrmReportes::~FrmReportes()
{
    delete ui_;
}

void FrmReportes::Form_Load()
{
    context_.skin.applySkin(this);
    BusyPointer busy;
    const QDate today = context_.clock.today();
    ui_->MtDesde->setSelectedDate(today.addDays(-15));
    ui_->MtHasta->setSelectedDate(today.addDays(-1));
    ui_->CmbReportes->clear();
    for (const ReportStore::CatalogueEntry& entry : ReportStore::Catalogue(context_.db)) {
        auto* item = new QListWidgetItem(entry.nombre, ui_->CmbReportes);
        item->setData(Qt::UserRole, entry.reporte);
    }
    ui_->CmbReportes->setCurrentRow(-1);
    Carga_Usuarios();
}

FrmReportes_Filtro* FrmReportes::filterDialog() const
{
    return filter_;
}

void FrmReportes::Carga_Usuarios()
{
    fillUsers(ReportStore::CurrentUsers(context_.db));
}

void FrmReportes::fillUsers(const QList<ReportStore::UserRow>& rows)
{
    QTableWidget* grid = ui_->iGrid1;
    grid->clearSelection();
    grid->clearContents();
    grid->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        grid->setItem(row, ColUsuario, new QTableWidgetItem(QString::number(rows[row].usuario)));
        grid->setItem(row, ColNombre, new QTableWidgetItem(rows[row].nombre));
        grid->setItem(row, ColDepartamento, new QTableWidgetItem(rows[row].departamento));
    }
    grid->resizeColumnToContents(ColNombre);
    grid->resizeColumnToContents(ColDepartamento);
}

QList<int> FrmReportes::selectedUsers() const
{
    QList<int> users;
    const QTableWidget* grid = ui_->iGrid1;
    const QItemSelectionModel* selection = grid->selectionModel();
    for (int row = 0; row < grid->rowCount(); ++row)
        if (selection->isSelected(grid->model()->index(row, ColUsuario)))
            users << grid->item(row, ColUsuario)->text().toInt();
    return users;
}

void FrmReportes::CmbReportes_Click()
{
    const QListWidgetItem* item = ui_->CmbReportes->currentItem();
    if (!item)
        return;
    report_ = ReportStore::FindReport(context_.db, item->data(Qt::UserRole).toInt());
    ui_->TxtAlcance->setPlainText(report_ ? report_->descripcion : QString());
}

void FrmReportes::ChkSeleccion_Click(bool checked)
{
    if (checked)
        ui_->iGrid1->selectAll();
    else
        ui_->iGrid1->clearSelection();
}

void FrmReportes::BtnFiltrar_Click()
{
    filter_ = new FrmReportes_Filtro(context_, *this, this);
    filter_->setWindowFlag(Qt::Window);
    showModal(filter_);
}

void FrmReportes::BtnEjecutar_Click()
{
    if (!report_) {
        ShowError(QStringLiteral("Seleccione un Reporte a Ejecutar"),
                  QStringLiteral("Sin reporte Seleccionado"));
        return;
    }
    const QList<int> users = selectedUsers();
    if (!users.isEmpty()) {
        context_.ChosenUser = users.last();
        context_.ChosenUserName.clear();
        for (int row = 0; row < ui_->iGrid1->rowCount(); ++row)
            if (ui_->iGrid1->item(row, ColUsuario)->text().toInt() == users.last())
                context_.ChosenUserName = ui_->iGrid1->item(row, ColNombre)->text();
    }
    const QDate from = ui_->MtDesde->selectedDate();
    const QDate to = ui_->MtHasta->selectedDate();
    Attendance::ReportOutcome outcome;
    {
        BusyPointer busy;
        QProgressDialog progress(QStringLiteral("Generando el reporte..."), QString(), 0,
                                 int(users.size()), this);
        progress.setWindowTitle(windowTitle());
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(kProgressAfterMs);
        outcome = Attendance::GenerateAttendance(context_.db, {from, to, users},
                                                 [&](int done, int) { progress.setValue(done); });
    }
    switch (outcome.status) {
    case Attendance::ReportOutcome::Status::Busy:
        ShowError(Attendance::busyText(), Attendance::busyTitle());
        return;
    case Attendance::ReportOutcome::Status::Failed:
        return; // the failing statement has been reported
    case Attendance::ReportOutcome::Status::Written:
        break;
    }
    rowsWritten_ = outcome.rows;
    viewerInput_.layoutPath = ReportStore::LayoutPath(context_.programFolder, report_->rpt);
    viewerInput_.formula = report_->formula;
    viewerInput_.title = ReportStore::ReportTitle(report_->nombre, from, to);
    ShowReport();
}

void FrmReportes::ShowReport()
{
    // The viewer shows the run just written; closing it returns here with the choices kept.
    auto* viewer = new FrmView(context_, viewerInput_.layoutPath, viewerInput_.formula,
                               viewerInput_.title, this);
    viewer_ = viewer;
    showModal(viewer);
}
