#include "CatalogList.h"

#include "BusyPointer.h"
#include "CatalogEdit.h"
#include "Placement.h"
#include "ScreenRegistry.h"

#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QSqlQuery>
#include <QTableWidget>

CatalogList::CatalogList(ConsoleContext& context, const CatalogDefinition& catalog, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , catalog_(catalog)
{
}

void CatalogList::bind(QTableWidget* grid, QPushButton* cmdNuevo)
{
    grid_ = grid;
    grid_->setColumnCount(2);
    grid_->setHorizontalHeaderLabels(catalog_.columns);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    connect(cmdNuevo, &QPushButton::clicked, this, &CatalogList::CmdNuevo_Click);
    connect(grid_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { iGrid1_DblClick(row); });
    auto* enter =
        new QShortcut(QKeySequence(Qt::Key_Return), grid_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this, [this] { iGrid1_DblClick(grid_->currentRow()); });
    Form_Load();
}

void CatalogList::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    Carga();
}

void CatalogList::Carga()
{
    BusyPointer busy;
    QSqlQuery q = context_.db.query(catalog_.listQuery);
    grid_->clearContents();
    grid_->setRowCount(0);
    while (q.next()) {
        const int row = grid_->rowCount();
        grid_->insertRow(row);
        grid_->setItem(row, 0, new QTableWidgetItem(q.value(0).toString()));
        grid_->setItem(row, 1, new QTableWidgetItem(q.value(1).toString()));
    }
    grid_->resizeColumnToContents(0);
}

void CatalogList::CmdNuevo_Click()
{
    CatalogEdit* editor = createEditor();
    editor->prepareNew();
    showEditor(editor);
}

void CatalogList::iGrid1_DblClick(int row)
{
    if (row < 0 || row >= grid_->rowCount())
        return;
    CatalogEdit* editor = createEditor();
    editor->prepareChange(grid_->item(row, 0)->text().toInt(), grid_->item(row, 1)->text());
    showEditor(editor);
}

void CatalogList::showEditor(CatalogEdit* editor)
{
    editor_ = editor;
    showModal(editor);
}
