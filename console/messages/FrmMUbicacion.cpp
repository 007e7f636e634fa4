#include "FrmMUbicacion.h"

#include "BusyPointer.h"
#include "KeyFilters.h"
#include "MessageGrids.h"
#include "MessageRules.h"
#include "Messages.h"
#include "MessageStore.h"
#include "Placement.h"
#include "RowsModel.h"
#include "ui_FrmMUbicacion.h"

#include <QItemSelectionModel>
#include <QSet>

FrmMUbicacion::FrmMUbicacion(ConsoleContext& context, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , ui_(new Ui::FrmMUbicacion)
    , locations_(newLocationsModel(this))
{
    ui_->setupUi(this);
    showRows(ui_->iGrid1, locations_);
    ui_->iGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    KeyUpper(ui_->TxtMensaje);
    connect(ui_->iGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { iGrid1_Click(current.row()); });
    connect(ui_->CmdGuardar, &QPushButton::clicked, this, &FrmMUbicacion::CmdGuardar_Click);
    Form_Load();
}

FrmMUbicacion::~FrmMUbicacion()
{
    delete ui_;
}

void FrmMUbicacion::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    ui_->DTPFecha->setDate(context_.clock.today());
    loadLocations(context_.db, *locations_);
    fitColumns(ui_->iGrid1);
}

void FrmMUbicacion::iGrid1_Click(int row)
{
    if (row < 0 || row >= locations_->rowCount())
        return;
    BusyPointer busy;
    ui_->Frame2->setTitle(QStringLiteral("Mensaje General Para: ") + locations_->text(row, 1));
    const auto message = MessageStore::locationMessage(context_.db, locations_->key(row));
    if (!message) {
        ui_->DTPFecha->setDate(context_.clock.today());
        ui_->TxtMensaje->clear();
        return;
    }
    ui_->DTPFecha->setDate(message->fecha.date());
    ui_->TxtMensaje->setPlainText(message->Cuerpo_mensaje);
}

QList<int> FrmMUbicacion::selectedLocations() const
{
    QList<int> numbers;
    for (int row = 0; row < locations_->rowCount(); ++row) {
        if (ui_->iGrid1->selectionModel()->isRowSelected(row, {}))
            numbers.append(locations_->key(row));
    }
    return numbers;
}

void FrmMUbicacion::CmdGuardar_Click()
{
    // Upper case as typed; pasted text too.
    const QString text = ui_->TxtMensaje->toPlainText().toUpper();
    const bool todas = ui_->ChKTodos->isChecked();
    const QList<int> numbers = todas ? locations_->keys() : selectedLocations();
    if (const auto problem = checkLocationMessage(text, numbers.size())) {
        ShowError(problem->text, problem->title);
        if (auto* control = findChild<QWidget*>(problem->control))
            control->setFocus();
        return;
    }
    const bool saved = todas ? MessageStore::replaceAllLocationMessages(context_.db, numbers, text)
                             : MessageStore::replaceLocationMessages(context_.db, numbers, text);
    if (!saved)
        return;
    const QSet<int> savedFor(numbers.cbegin(), numbers.cend());
    for (int row = 0; row < locations_->rowCount(); ++row) {
        if (savedFor.contains(locations_->key(row)))
            locations_->markSent(row);
    }
    ui_->TxtMensaje->clear();
    ShowInfo(QStringLiteral("Mensajes Guardados Correctamente"), QStringLiteral("Envio Mensajes"));
}
