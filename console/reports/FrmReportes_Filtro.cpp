#include "FrmReportes_Filtro.h"

#include "FrmReportes.h"
#include "Messages.h"
#include "Placement.h"
#include "ReportStore.h"
#include "ui_FrmReportes_Filtro.h"

namespace {

void fill(QComboBox* list, const QList<ReportStore::NamedNumber>& entries)
{
    list->clear();
    for (const ReportStore::NamedNumber& entry : entries)
        list->addItem(entry.name, entry.number);
    list->setCurrentIndex(-1);
}

std::optional<int> chosen(const QComboBox* list)
{
    if (list->currentIndex() < 0)
        return std::nullopt;
    return list->currentData().toInt();
}

} // namespace

FrmReportes_Filtro::FrmReportes_Filtro(ConsoleContext& context, FrmReportes& reports,
                                       QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , reports_(reports)
    , ui_(new Ui::FrmReportes_Filtro)
{
    ui_->setupUi(this);
    connect(ui_->CmdAceptar, &QPushButton::clicked, this, &FrmReportes_Filtro::CmdAceptar_Click);
    Form_Load();
}

FrmReportes_Filtro::~FrmReportes_Filtro()
{
    delete ui_;
}

void FrmReportes_Filtro::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    fill(ui_->CmbSucursales, ReportStore::Locations(context_.db));
    fill(ui_->CmbDepartamentos, ReportStore::Departments(context_.db));
}

void FrmReportes_Filtro::CmdAceptar_Click()
{
    const std::optional<int> location = chosen(ui_->CmbSucursales);
    const std::optional<int> department = chosen(ui_->CmbDepartamentos);
    if (!location && !department) {
        ShowError(QStringLiteral("No Selecciono Ningún Filtro"),
                  QStringLiteral("Filtro no Seleccionado"));
        return;
    }
    const auto mode = ui_->OpcExcluir->isChecked() ? ReportStore::FilterMode::Exclude
                                                   : ReportStore::FilterMode::Include;
    reports_.fillUsers(ReportStore::FilteredUsers(context_.db, mode, department, location));
    close();
}
