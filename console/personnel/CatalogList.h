#pragma once
// A catalog's list screen: the entries in name order, "&Nuevo" to add one and a double-click
// (or Enter) on a row to rename or delete it in the catalog's edit dialog.

#include "Catalog.h"
#include "CatalogEdit.h"
#include "ConsoleContext.h"

#include <QDialog>
#include <QPointer>

class QPushButton;
class QTableWidget;

class CatalogList : public QDialog
{
    Q_OBJECT
public:
    // Reloads the grid from the database.
    void Carga();

    QTableWidget* grid() const { return grid_; }
    // The edit dialog while it is open.
    CatalogEdit* editor() const { return editor_; }

    void CmdNuevo_Click();
    void iGrid1_DblClick(int row);

protected:
    CatalogList(ConsoleContext& context, const CatalogDefinition& catalog, QWidget* parent);

    // Called by the form once its controls exist: connects them and loads the screen.
    void bind(QTableWidget* grid, QPushButton* cmdNuevo);
    virtual CatalogEdit* createEditor() = 0;

    ConsoleContext& context_;

private:
    void Form_Load();
    void showEditor(CatalogEdit* editor);

    const CatalogDefinition& catalog_;
    QTableWidget* grid_ = nullptr;
    QPointer<CatalogEdit> editor_;
};
