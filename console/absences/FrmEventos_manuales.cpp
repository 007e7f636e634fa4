#include "FrmEventos_manuales.h"

#include "ActiveUsers.h"
#include "BusyPointer.h"
#include "FrmEventos_manuales_creacion.h"
#include "ManualEventStore.h"
#include "Placement.h"
#include "ScreenRegistry.h"
#include "ui_FrmEventos_manuales.h"

#include <QLocale>
#include <QShortcut>

FrmEventos_manuales::FrmEventos_manuales(ConsoleContext& context, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , ui_(new Ui::FrmEventos_manuales)
{
    ui_->setupUi(this);
    prepareGrid(ui_->iGrid2,
                {QStringLiteral("Fecha"), QStringLiteral("Entrada"), QStringLiteral("Salida"),
                 QStringLiteral("Salida Comida"), QStringLiteral("Regreso Comida")});
    prepareGrid(ui_->iGrid3,
                {QStringLiteral("Fecha y Hora"), QStringLiteral("Administrador"),
                 QStringLiteral("Ubicación"), QStringLiteral("Antes"), QStringLiteral("Después")});
    connect(ui_->iGrid1, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { iGrid1_DblClick(row); });
    connect(ui_->iGrid2, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { iGrid2_DblClick(row); });
    auto* enter = new QShortcut(QKeySequence(Qt::Key_Return), ui_->iGrid1, nullptr, nullptr,
                                Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this,
            [this] { iGrid1_DblClick(ui_->iGrid1->currentRow()); });
    connect(ui_->Calendario, &QCalendarWidget::selectionChanged, this,
            &FrmEventos_manuales::Calendario_Click);
    connect(ui_->CmdAgregar, &QPushButton::clicked, this, &FrmEventos_manuales::CmdAgregar_Click);
    Form_Load();
}

FrmEventos_manuales::~FrmEventos_manuales()
{
    delete ui_;
}

void FrmEventos_manuales::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    const QDate today = context_.clock.today();
    {
        const QSignalBlocker quiet(ui_->Calendario);
        ui_->Calendario->setSelectedDate(today);
    }
    ChosenDay = today;
    BusyPointer busy;
    fillUserGrid(ui_->iGrid1, activeUsers(context_.db));
}

void FrmEventos_manuales::iGrid1_DblClick(int row)
{
    if (row < 0 || row >= ui_->iGrid1->rowCount())
        return;
    BusyPointer busy;
    context_.ChosenUser = ui_->iGrid1->item(row, 0)->text().toInt();
    context_.ChosenUserName = ui_->iGrid1->item(row, 1)->text();
    chosenRow_ = row;
    Carga_Eventos();
}

void FrmEventos_manuales::Calendario_Click()
{
    Carga_Eventos();
    ChosenDay = ui_->Calendario->selectedDate();
}

void FrmEventos_manuales::Carga_Eventos()
{
    if (chosenRow_ < 0)
        return;
    BusyPointer busy;
    const int user = ui_->iGrid1->item(chosenRow_, 0)->text().toInt();
    const QDate day = ui_->Calendario->selectedDate();
    ui_->Frame3->setTitle(QStringLiteral("Eventos Para: ") +
                          ui_->iGrid1->item(chosenRow_, 1)->text());
    QTableWidget* grid = ui_->iGrid2;
    const auto rows = ManualEventStore::eventsOfDay(context_.db, user, day);
    grid->clearContents();
    grid->setRowCount(int(rows.size()));
    const QLocale locale;
    for (int row = 0; row < rows.size(); ++row) {
        const ManualEventStore::Listed& event = rows[row];
        grid->setItem(row, 0,
                      new QTableWidgetItem(locale.toString(event.fecha, QLocale::ShortFormat)));
        grid->setItem(row, 1, new QTableWidgetItem(event.entrada));
        grid->setItem(row, 2, new QTableWidgetItem(event.salida));
        grid->setItem(row, 3, new QTableWidgetItem(event.salidaComida));
        grid->setItem(row, 4, new QTableWidgetItem(event.regresoComida));
    }
    grid->resizeColumnsToContents();
    showTrail(user, day);
}

void FrmEventos_manuales::showTrail(int user, const QDate& day)
{
    QTableWidget* grid = ui_->iGrid3;
    const auto rows = ManualEventStore::trail(context_.db, user, day);
    grid->clearContents();
    grid->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        const ManualEventStore::TrailRow& entry = rows[row];
        const QString admin =
            QString::number(entry.administrador) +
            (entry.nombreAdministrador.isEmpty() ? QString()
                                                 : QStringLiteral(" ") + entry.nombreAdministrador);
        grid->setItem(
            row, 0,
            new QTableWidgetItem(entry.momento.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))));
        grid->setItem(row, 1, new QTableWidgetItem(admin));
        grid->setItem(row, 2, new QTableWidgetItem(QString::number(entry.sucursal)));
        const QString before = EventRules::describe(entry.before);
        grid->setItem(row, 3,
                      new QTableWidgetItem(before.isEmpty() ? QStringLiteral("(nuevo)") : before));
        grid->setItem(row, 4, new QTableWidgetItem(EventRules::describe(entry.after)));
    }
    grid->resizeColumnsToContents();
}

void FrmEventos_manuales::CmdAgregar_Click()
{
    if (chosenRow_ < 0) {
        askForUser();
        return;
    }
    showEditor();
}

void FrmEventos_manuales::iGrid2_DblClick(int row)
{
    if (row < 0 || row >= ui_->iGrid2->rowCount() || chosenRow_ < 0)
        return;
    showEditor();
}

FrmEventos_manuales_creacion* FrmEventos_manuales::editor() const
{
    return editor_;
}

void FrmEventos_manuales::showEditor()
{
    editor_ = new FrmEventos_manuales_creacion(context_, *this, context_.ChosenUser, ChosenDay);
    showModal(editor_);
}
