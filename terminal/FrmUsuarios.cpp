#include "FrmUsuarios.h"

#include "Db.h"
#include "KeyFilters.h"
#include "ui_FrmUsuarios.h"
#include "UserSearch.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QSqlQuery>

namespace {

// Short fragments match too many names: their list stops at this many.

} // namespace

FrmUsuarios::FrmUsuarios(Db& db, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , db_(db)
    , ui_(new Ui::FrmUsuarios)
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    KeyUpper(ui_->TxtNombre);
    ui_->iGrid1->setColumnCount(2);
    ui_->iGrid1->setHorizontalHeaderLabels({QStringLiteral("Usuario"), QStringLiteral("Nombre")});
    tmInicio_.setInterval(1000);
    tmInicio_.setSingleShot(true);
    connect(&tmInicio_, &QTimer::timeout, this, &FrmUsuarios::tmInicio_Timer);
    connect(ui_->TxtNombre, &QLineEdit::textChanged, this, &FrmUsuarios::TxtNombre_Change);
    connect(ui_->iGrid1, &QTableWidget::cellClicked, this,
            [this](int row, int) { iGrid1_RowSelected(row); });
    connect(ui_->iGrid1, &QTableWidget::cellActivated, this,
            [this](int row, int) { iGrid1_RowSelected(row); });
    Form_Load();
}

FrmUsuarios::~FrmUsuarios()
{
    delete ui_;
}

void FrmUsuarios::Form_Load()
{
    placeWindow(this);
    tmInicio_.start();
}

void FrmUsuarios::tmInicio_Timer()
{
    tmInicio_.stop();
    ui_->TxtNombre->setFocus();
}

void FrmUsuarios::TxtNombre_Change(const QString& text)
{
    if (!text.trimmed().isEmpty())
        FindRow(text);
}

void FrmUsuarios::FindRow(const QString& Criteria)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTableWidget* grid = ui_->iGrid1;
    grid->setRowCount(0);
    for (const UserMatch& match : UserSearch::byName(db_, Criteria, UserScope::CurrentEmployees)) {
        const int row = grid->rowCount();
        grid->insertRow(row);
        grid->setItem(row, 0, new QTableWidgetItem(QString::number(match.number)));
        grid->setItem(row, 1, new QTableWidgetItem(match.name));
    }
    QApplication::restoreOverrideCursor();
}

void FrmUsuarios::iGrid1_RowSelected(int row)
{
    if (chosen_ || row < 0 || row >= ui_->iGrid1->rowCount())
        return;
    const QTableWidgetItem* number = ui_->iGrid1->item(row, 0);
    if (!number)
        return;
    chosen_ = true;
    emit userChosen(number->text());
    close();
}
