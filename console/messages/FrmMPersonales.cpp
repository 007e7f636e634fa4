#include "FrmMPersonales.h"

#include "FrmMPersonales_creacion.h"
#include "MessageGrids.h"
#include "Placement.h"
#include "RowsModel.h"
#include "ScreenRegistry.h"
#include "ui_FrmMPersonales.h"

#include <QHeaderView>
#include <QItemSelectionModel>

FrmMPersonales::FrmMPersonales(ConsoleContext& context, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , ui_(new Ui::FrmMPersonales)
    , employees_(newRecipientsModel(this))
    , messages_(newPersonalMessagesModel(this))
{
    ui_->setupUi(this);
    showRows(ui_->iGrid1, employees_);
    showRows(ui_->iGrid2, messages_);
    // The message body takes the room the other columns leave; its tooltip shows it whole.
    ui_->iGrid2->horizontalHeader()->setStretchLastSection(false);
    ui_->iGrid2->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    connect(ui_->iGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { iGrid1_Click(current.row()); });
    connect(ui_->Command1, &QPushButton::clicked, this, &FrmMPersonales::Command1_Click);
    Form_Load();
}

FrmMPersonales::~FrmMPersonales()
{
    delete ui_;
}

void FrmMPersonales::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    loadRecipients(context_.db, *employees_);
    fitColumns(ui_->iGrid1);
}

void FrmMPersonales::iGrid1_Click(int row)
{
    if (row < 0 || row >= employees_->rowCount())
        return;
    chosenUser_ = employees_->key(row);
    ui_->Frame2->setTitle(QStringLiteral("Mensajes Personales Para: ") + employees_->text(row, 1));
    Carga_Mensajes();
}

void FrmMPersonales::Carga_Mensajes()
{
    if (chosenUser_ == 0)
        return;
    loadPersonalMessages(context_.db, chosenUser_, *messages_);
    fitColumns(ui_->iGrid2);
}

FrmMPersonales_creacion* FrmMPersonales::creationScreen() const
{
    return creation_;
}

void FrmMPersonales::Command1_Click()
{
    creation_ = new FrmMPersonales_creacion(context_, this);
    // What was sent shows at once in the chosen employee's list.
    connect(creation_, &FrmMPersonales_creacion::messagesSent, this,
            &FrmMPersonales::Carga_Mensajes);
    showModal(creation_);
}
