#include "DayPanel.h"

#include "CheckEngine.h"
#include "Clock.h"
#include "Db.h"
#include "MessageLine.h"
#include "TerminalFormat.h"
#include "TodayRows.h"
#include "ui_FrmClock.h"

#include <QHeaderView>
#include <QSqlQuery>

using CheckEngine::OptionalTime;
using DayPanelRules::Lateness;
using DayPanelRules::PunchIcon;

static void initTerminalResources()
{
    Q_INIT_RESOURCE(terminal);
}

namespace {

void setIcon(QLabel* label, const QString& file)
{
    label->setPixmap(QPixmap(QStringLiteral(":/terminal/icons/") + file));
}

// The recent punches list shows this many rows, each this many pixels taller than its text.
constexpr int kRecentRows = 3;
constexpr int kRowPadding = 8;

QString timeText(const OptionalTime& time)
{
    return time ? time->toString(QStringLiteral("HH:mm:ss")) : QString();
}

} // namespace

DayPanel::DayPanel(Ui::FrmClock& ui, Db& db, const Clock& clock, Selection& selection)
    : ui_(ui)
    , db_(db)
    , clock_(clock)
    , selection_(selection)
    , entry_{ui.StE, ui.StER, ui.StEJ}
    , exit_{ui.StS, ui.StSR, ui.StSJ}
    , breakOut_{ui.StSc, ui.StScR, ui.StScJ}
    , breakReturn_{ui.StRc, ui.StRcR, ui.StRcJ}
{
    initTerminalResources();
    for (const Icons& icons : {entry_, exit_, breakOut_, breakReturn_}) {
        setIcon(icons.plain, QStringLiteral("ontime.png"));
        setIcon(icons.late, QStringLiteral("late.png"));
        setIcon(icons.justified, QStringLiteral("justified.png"));
    }
}

bool DayPanel::ShowScheduleName()
{
    QSqlQuery q = db_.query(
        QStringLiteral("Select h.Nombre_horario from kxHorario h join kxhorario_personal p on "
                       "h.horario=p.horario where p.usuario=?  and p.orden=?"),
        {selection_.CurrentUser, selection_.RotationOrder});
    if (q.isActive() && q.next()) {
        ui_.LblHorario->setText(q.value(0).toString());
        return true;
    }
    ui_.LblHorario->setText(QStringLiteral("Sin Horario Asignado!!"));
    return false;
}

void DayPanel::ShowPermissions()
{
    ui_.LblPermisos->clear();
    selection_.PermLateArrival = false;
    selection_.PermEarlyLeave = false;
    QSqlQuery q = db_.query(QStringLiteral("SELECT tipo FROM permisos where usuario= ? and "
                                           "fecha_inicio <= curdate() and fecha_fin >= curdate()"),
                            {selection_.CurrentUser});
    if (!q.isActive() || !q.next())
        return;
    const int tipo = q.value(0).toInt();
    ui_.LblPermisos->setText(DayPanelRules::permissionNote(tipo));
    selection_.PermLateArrival = tipo == DayPanelRules::kLateArrival;
    selection_.PermEarlyLeave = tipo == DayPanelRules::kEarlyLeave;
}

void DayPanel::ClearDayDisplay()
{
    for (const Icons& icons : {entry_, exit_, breakOut_, breakReturn_})
        showIcon(icons, PunchIcon::None);
    for (QLabel* label : {ui_.LblEntrada, ui_.LblSalida, ui_.LblCSalida, ui_.LblCRegreso,
                          ui_.LblEntradaR, ui_.LblSalidaR, ui_.LblCSalidaR, ui_.LblCRegresoR})
        label->clear();
}

void DayPanel::showIcon(const Icons& icons, PunchIcon icon)
{
    icons.plain->setVisible(icon == PunchIcon::OnTime);
    icons.late->setVisible(icon == PunchIcon::OutOfTolerance);
    icons.justified->setVisible(icon == PunchIcon::Justified);
}

void DayPanel::setBreakVisible(bool visible)
{
    for (QLabel* label : {ui_.LblCSalida, ui_.LblCRegreso, ui_.LblCSalidaR, ui_.LblCRegresoR,
                          ui_.LblTitStSc, ui_.LblTitStRc})
        label->setVisible(visible);
}

DayPanel::DayShown DayPanel::ShowDaySchedule()
{
    const int slot = CheckEngine::ScheduleSlot(selection_.DayOfWeek);
    const auto schedule =
        TodayRows::panelSchedule(db_, selection_.CurrentUser, selection_.RotationOrder, slot);
    if (!schedule)
        return {};
    if (!schedule->entrada) {
        MessageLine::showRefusal(ui_.LblMsg, CheckEngine::Text::noScheduleToday());
        return {};
    }
    showScheduledTimes(*schedule);
    return {true, showRegisteredTimes(*schedule)};
}

void DayPanel::showScheduledTimes(const CheckEngine::ScheduleDay& schedule)
{
    const QString programmed = QStringLiteral("Programada: ");
    ui_.LblEntrada->setText(programmed + timeText(schedule.entrada));
    ui_.LblSalida->setText(programmed + timeText(schedule.salida));
    selection_.Tolerance = schedule.toleranciaRetardo;
    if (!DayPanelRules::hasMealBreak(schedule)) {
        setBreakVisible(false);
        ui_.StSc->hide();
    } else {
        setBreakVisible(true);
        ui_.LblCSalida->setText(programmed + timeText(schedule.salidaBreak));
        ui_.LblCRegreso->setText(programmed + timeText(schedule.regresoBreak));
    }
}

bool DayPanel::showRegisteredTimes(const CheckEngine::ScheduleDay& schedule)
{
    QSqlQuery q = db_.query(QStringLiteral("SELECT  TIME_FORMAT(E.ENTRADA,'%H:%i:%s')'Entrada',"
                                           "TIME_FORMAT(E.SALIDA_break,'%H:%i:%s')'SComida',"
                                           "TIME_FORMAT(e.regreso_break,'%H:%i:%s')'RComida',"
                                           "TIME_FORMAT(e.salida,'%H:%i:%s')'Salida',cerrado "
                                           "from kxevento e where e.usuario=? and fecha=CURDATE()"),
                            {selection_.CurrentUser});
    if (!q.isActive() || !q.next()) {
        for (QLabel* label : {ui_.LblEntradaR, ui_.LblSalidaR, ui_.LblCSalidaR, ui_.LblCRegresoR})
            label->clear();
        return false;
    }
    const OptionalTime entrada = TodayRows::timeOf(q.value(0));
    const OptionalTime salidaBreak = TodayRows::timeOf(q.value(1));
    const OptionalTime regresoBreak = TodayRows::timeOf(q.value(2));
    const OptionalTime salida = TodayRows::timeOf(q.value(3));
    const bool closed = q.value(4).toInt() != 0;

    const QString real = QStringLiteral("Real: ");
    ui_.LblEntradaR->setText(real + timeText(entrada));
    ui_.LblSalidaR->setText(real + timeText(salida));
    ui_.LblCSalidaR->setText(real + timeText(salidaBreak));
    ui_.LblCRegresoR->setText(real + timeText(regresoBreak));

    const int tolerance = selection_.Tolerance;
    const bool late = selection_.PermLateArrival;
    const bool early = selection_.PermEarlyLeave;
    using DayPanelRules::punchIcon;
    showIcon(entry_, punchIcon(schedule.entrada, entrada, Lateness::After, tolerance, late));
    showIcon(exit_, punchIcon(schedule.salida, salida, Lateness::Before, tolerance, early));
    // A day without a meal break shows neither break column nor their icons, whatever the
    // slot keeps for the return.
    const bool mealBreak = DayPanelRules::hasMealBreak(schedule);
    showIcon(breakOut_, mealBreak ? punchIcon(schedule.salidaBreak, salidaBreak, Lateness::Before,
                                              tolerance, early)
                                  : PunchIcon::None);
    showIcon(breakReturn_, mealBreak ? punchIcon(schedule.regresoBreak, regresoBreak,
                                                 Lateness::After, tolerance, late)
                                     : PunchIcon::None);
    return closed;
}

void DayPanel::ShowDayEvents()
{
    QSqlQuery q = db_.query(
        QStringLiteral("Select s.nombre_sucursal 'Ubicación',"
                       "TIME_FORMAT(e.ENTRADA,'%H:%i:%s')'Entrada',"
                       "TIME_FORMAT(e.SALIDA,'%H:%i:%s')'Salida' FROM kxevento e join kxsucursales "
                       "s on e.sucursal_entra=s.sucursal where e.usuario=? and e.fecha=? "
                       "order by e.evento"),
        {selection_.CurrentUser, clock_.today()});
    QTableWidget* grid = ui_.iGrid1;
    // Another user's pairs never stay on screen: the grid starts empty for every user.
    grid->clear();
    grid->setColumnCount(3);
    grid->setHorizontalHeaderLabels(
        {QStringLiteral("Ubicación"), QStringLiteral("Entrada"), QStringLiteral("Salida")});
    grid->setRowCount(0);
    while (q.isActive() && q.next()) {
        const int row = grid->rowCount();
        grid->insertRow(row);
        for (int column = 0; column < 3; ++column)
            grid->setItem(row, column, new QTableWidgetItem(q.value(column).toString()));
    }
}

void DayPanel::InitRecentChecks()
{
    QTableWidget* grid = ui_.iGrid2;
    // Always three whole rows, each name on one line and cut with "…" when too long, however
    // much room the rest of the panel takes.
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideRight);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int rowHeight = grid->fontMetrics().height() + kRowPadding;
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setMaximumHeight(QWIDGETSIZE_MAX);
    grid->clear();
    grid->setColumnCount(2);
    grid->setHorizontalHeaderLabels({QStringLiteral("Usuario"), QStringLiteral("Hora")});
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    grid->setFixedHeight(grid->horizontalHeader()->sizeHint().height() + kRecentRows * rowHeight +
                         2 * grid->frameWidth());
    grid->setRowCount(0);
    RecentRow = 1;
}

void DayPanel::AddRecentCheck(const QString& name)
{
    QTableWidget* grid = ui_.iGrid2;
    if (grid->rowCount() >= kRecentRows) {
        grid->setRowCount(0);
        RecentRow = 1;
    }
    grid->setRowCount(RecentRow);
    grid->setItem(RecentRow - 1, 0, new QTableWidgetItem(name));
    grid->setItem(RecentRow - 1, 1,
                  new QTableWidgetItem(TerminalFormat::shortTime(clock_.now().time())));
    ++RecentRow;
}
