#pragma once
// A catalog's edit dialog: saves a new entry ("&Guardar"), renames an existing one ("&Cambiar")
// or deletes it ("&Borrar"), then reloads its list screen and closes.

#include "Catalog.h"
#include "ConsoleContext.h"

#include <QDialog>

class CatalogList;
class QLineEdit;
class QPushButton;

class CatalogEdit : public QDialog
{
    Q_OBJECT
public:
    // A new entry: "&Guardar", nothing to delete.
    void prepareNew();
    // An existing entry: its name to change, "&Cambiar", "&Borrar" enabled.
    void prepareChange(int key, const QString& name);

    // The number of the entry being edited; 0 while creating a new one.
    int SelectedKey = 0;

    void CmdGuardar_Click();
    void CmdBorrar_Click();

protected:
    CatalogEdit(ConsoleContext& context, const CatalogDefinition& catalog, CatalogList& list);

    // Called by the form once its controls exist.
    void bind(QLineEdit* txtNombre, QPushButton* cmdGuardar, QPushButton* cmdBorrar);

private:
    void Form_Load();
    bool deleteRefused();

    ConsoleContext& context_;
    const CatalogDefinition& catalog_;
    CatalogList& list_;
    QLineEdit* txtNombre_ = nullptr;
    QPushButton* cmdGuardar_ = nullptr;
    QPushButton* cmdBorrar_ = nullptr;
};
