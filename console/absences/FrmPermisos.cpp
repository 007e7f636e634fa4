#include "FrmPermisos.h"

#include "ActiveUsers.h"
#include "BusyPointer.h"
#include "FrmPermisos_creacion.h"
#include "PermissionStore.h"
#include "Placement.h"
#include "ScreenRegistry.h"
#include "ui_FrmPermisos.h"

#include <functional>
#include <QLocale>
#include <QShortcut>

namespace {

// The grid of permissions: the number is kept in a hidden first column.
const QStringList kPermissionColumns{QStringLiteral("Permiso"), QStringLiteral("Fecha de Inicio"),
                                     QStringLiteral("Fecha de Fin"), QStringLiteral("Motivo"),
                                     QStringLiteral("Tipo")};

void onEnter(QTableWidget* grid, QObject* context, const std::function<void(int)>& action)
{
    auto* enter =
        new QShortcut(QKeySequence(Qt::Key_Return), grid, nullptr, nullptr, Qt::WidgetShortcut);
    QObject::connect(enter, &QShortcut::activated, context,
                     [grid, action] { action(grid->currentRow()); });
}

} // namespace

FrmPermisos::FrmPermisos(ConsoleContext& context, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , ui_(new Ui::FrmPermisos)
{
    ui_->setupUi(this);
    prepareGrid(ui_->iGrid2, kPermissionColumns);
    ui_->iGrid2->setColumnHidden(0, true);
    connect(ui_->iGrid1, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { iGrid1_DblClick(row); });
    connect(ui_->iGrid2, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { iGrid2_DblClick(row); });
    onEnter(ui_->iGrid1, this, [this](int row) { iGrid1_DblClick(row); });
    onEnter(ui_->iGrid2, this, [this](int row) { iGrid2_DblClick(row); });
    for (QCheckBox* box : filterBoxes())
        connect(box, &QCheckBox::clicked, this, &FrmPermisos::Carga_Eventos);
    connect(ui_->DTPDesde, &QDateEdit::dateChanged, this, &FrmPermisos::Carga_Eventos);
    connect(ui_->DTPHasta, &QDateEdit::dateChanged, this, &FrmPermisos::Carga_Eventos);
    connect(ui_->BtnNuevo, &QPushButton::clicked, this, &FrmPermisos::BtnNuevo_Click);
    Form_Load();
}

FrmPermisos::~FrmPermisos()
{
    delete ui_;
}

QList<QCheckBox*> FrmPermisos::filterBoxes() const
{
    return {ui_->ChkTarde, ui_->ChkTemprano, ui_->ChkSinGoce,    ui_->ChkConGoce,
            ui_->ChkVaca,  ui_->ChkSancion,  ui_->ChkIncapacidad};
}

void FrmPermisos::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    const QDate today = context_.clock.today();
    {
        const QSignalBlocker desde(ui_->DTPDesde);
        const QSignalBlocker hasta(ui_->DTPHasta);
        ui_->DTPDesde->setDate(today.addDays(-30));
        ui_->DTPHasta->setDate(today);
    }
    BusyPointer busy;
    fillUserGrid(ui_->iGrid1, activeUsers(context_.db));
}

void FrmPermisos::iGrid1_DblClick(int row)
{
    if (row < 0 || row >= ui_->iGrid1->rowCount())
        return;
    const QString name = ui_->iGrid1->item(row, 1)->text();
    ui_->FrmEventos->setTitle(QStringLiteral("Eventos de: ") + name);
    chosenRow_ = row;
    context_.ChosenUser = ui_->iGrid1->item(row, 0)->text().toInt();
    context_.ChosenUserName = name;
    Carga_Eventos();
}

void FrmPermisos::Carga_Eventos()
{
    BusyPointer busy;
    QTableWidget* grid = ui_->iGrid2;
    grid->clearContents();
    grid->setRowCount(0);
    if (chosenRow_ < 0)
        return;
    QList<bool> shown;
    for (const QCheckBox* box : filterBoxes())
        shown << box->isChecked();
    const auto rows = PermissionStore::list(context_.db, context_.ChosenUser, ui_->DTPDesde->date(),
                                            ui_->DTPHasta->date());
    for (const PermissionStore::Listed& permission : rows) {
        if (!shown[PermissionRules::kindOfLabel(permission.tipo) - 1])
            continue;
        const int row = grid->rowCount();
        grid->insertRow(row);
        const QLocale locale;
        grid->setItem(row, 0, new QTableWidgetItem(QString::number(permission.permiso)));
        grid->setItem(
            row, 1, new QTableWidgetItem(locale.toString(permission.inicio, QLocale::ShortFormat)));
        grid->setItem(row, 2,
                      new QTableWidgetItem(locale.toString(permission.fin, QLocale::ShortFormat)));
        grid->setItem(row, 3, new QTableWidgetItem(permission.motivo));
        grid->setItem(row, 4, new QTableWidgetItem(permission.tipo));
    }
    for (int column = 1; column < kPermissionColumns.size(); ++column)
        grid->resizeColumnToContents(column);
}

void FrmPermisos::BtnNuevo_Click()
{
    if (chosenRow_ < 0) {
        askForUser();
        return;
    }
    ChosenPermission = 0;
    showEditor();
}

void FrmPermisos::iGrid2_DblClick(int row)
{
    if (row < 0 || row >= ui_->iGrid2->rowCount())
        return;
    ChosenPermission = ui_->iGrid2->item(row, 0)->text().toInt();
    showEditor();
}

FrmPermisos_creacion* FrmPermisos::editor() const
{
    return editor_;
}

void FrmPermisos::showEditor()
{
    editor_ = new FrmPermisos_creacion(context_, *this, ChosenPermission);
    showModal(editor_);
}
