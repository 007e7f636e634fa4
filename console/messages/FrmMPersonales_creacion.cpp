#include "FrmMPersonales_creacion.h"

#include "BusyPointer.h"
#include "KeyFilters.h"
#include "MessageGrids.h"
#include "MessageRules.h"
#include "Messages.h"
#include "MessageStore.h"
#include "Placement.h"
#include "RowsModel.h"
#include "ui_FrmMPersonales_creacion.h"

#include <QItemSelectionModel>
#include <QSet>

FrmMPersonales_creacion::FrmMPersonales_creacion(ConsoleContext& context, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , ui_(new Ui::FrmMPersonales_creacion)
    , employees_(newRecipientsModel(this))
{
    ui_->setupUi(this);
    showRows(ui_->iGrid1, employees_);
    ui_->TxtAsunto->setMaxLength(MessageStore::kSubjectLength);
    KeyUpper(ui_->TxtAsunto);
    KeyUpper(ui_->TxtTexto);
    connect(ui_->OpcSeleccion, &QRadioButton::clicked, this,
            &FrmMPersonales_creacion::OpcSeleccion_Click);
    connect(ui_->OpcTodos, &QRadioButton::clicked, this, &FrmMPersonales_creacion::OpcTodos_Click);
    connect(ui_->BtnAceptar, &QPushButton::clicked, this,
            &FrmMPersonales_creacion::BtnAceptar_Click);
    Form_Load();
}

FrmMPersonales_creacion::~FrmMPersonales_creacion()
{
    delete ui_;
}

void FrmMPersonales_creacion::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    ui_->DtFecha->setDate(context_.clock.today());
    loadRecipients(context_.db, *employees_);
    fitColumns(ui_->iGrid1);
    OpcSeleccion_Click();
}

void FrmMPersonales_creacion::OpcSeleccion_Click()
{
    ui_->OpcSeleccion->setChecked(true);
    ui_->iGrid1->setSelectionMode(QAbstractItemView::MultiSelection);
}

void FrmMPersonales_creacion::OpcTodos_Click()
{
    ui_->OpcTodos->setChecked(true);
    ui_->iGrid1->clearSelection();
    ui_->iGrid1->setSelectionMode(QAbstractItemView::NoSelection);
}

QList<int> FrmMPersonales_creacion::recipients() const
{
    if (ui_->OpcTodos->isChecked())
        return employees_->keys();
    QList<int> users;
    for (int row = 0; row < employees_->rowCount(); ++row) {
        if (ui_->iGrid1->selectionModel()->isRowSelected(row, {}))
            users.append(employees_->key(row));
    }
    return users;
}

void FrmMPersonales_creacion::BtnAceptar_Click()
{
    const QList<int> users = recipients();
    NewPersonalMessage message;
    // Upper case as typed; pasted text too.
    message.asunto = ui_->TxtAsunto->text().toUpper();
    message.cuerpo = ui_->TxtTexto->toPlainText().toUpper();
    message.fecha = ui_->DtFecha->date();
    message.remite = context_.AdminUser;
    if (const auto problem = checkPersonalMessage(message.asunto, message.cuerpo, users.size())) {
        ShowError(problem->text, problem->title);
        if (auto* control = findChild<QWidget*>(problem->control))
            control->setFocus();
        return;
    }
    {
        BusyPointer busy;
        if (!MessageStore::sendPersonal(context_.db, users, message))
            return;
    }
    const QSet<int> sentTo(users.cbegin(), users.cend());
    for (int row = 0; row < employees_->rowCount(); ++row) {
        if (sentTo.contains(employees_->key(row)))
            employees_->markSent(row);
    }
    emit messagesSent();
    ShowInfo(QStringLiteral("Mensajes Guardados Correctamente"), QStringLiteral("Envio Mensajes"));
    close();
}
