#include "CatalogEdit.h"

#include "CatalogList.h"
#include "Messages.h"
#include "Placement.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>

namespace {

const QString kSave = QStringLiteral("&Guardar");
const QString kChange = QStringLiteral("&Cambiar");

} // namespace

CatalogEdit::CatalogEdit(ConsoleContext& context, const CatalogDefinition& catalog,
                         CatalogList& list)
    : QDialog(&list)
    , context_(context)
    , catalog_(catalog)
    , list_(list)
{
}

void CatalogEdit::bind(QLineEdit* txtNombre, QPushButton* cmdGuardar, QPushButton* cmdBorrar)
{
    txtNombre_ = txtNombre;
    cmdGuardar_ = cmdGuardar;
    cmdBorrar_ = cmdBorrar;
    connect(cmdGuardar_, &QPushButton::clicked, this, &CatalogEdit::CmdGuardar_Click);
    connect(cmdBorrar_, &QPushButton::clicked, this, &CatalogEdit::CmdBorrar_Click);
    Form_Load();
}

void CatalogEdit::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
}

void CatalogEdit::prepareNew()
{
    SelectedKey = 0;
    cmdBorrar_->setEnabled(false);
    cmdGuardar_->setText(kSave);
}

void CatalogEdit::prepareChange(int key, const QString& name)
{
    txtNombre_->setText(name);
    SelectedKey = key;
    cmdGuardar_->setText(kChange);
    cmdBorrar_->setEnabled(true);
}

void CatalogEdit::CmdGuardar_Click()
{
    const QString name = txtNombre_->text();
    if (cmdGuardar_->text() == kSave) {
        if (context_.db.exec(catalog_.insertSql, {name}) < 0)
            return;
        ShowInfo(catalog_.inserted.text, catalog_.inserted.title);
    } else {
        if (context_.db.exec(catalog_.updateSql, {name, SelectedKey}) < 0)
            return;
        ShowInfo(catalog_.updated.text, catalog_.updated.title);
    }
    list_.Carga();
    close();
}

bool CatalogEdit::deleteRefused()
{
    if (catalog_.inUseQuery.isEmpty())
        return false;
    QSqlQuery q = context_.db.query(catalog_.inUseQuery, {SelectedKey});
    return q.isActive() && q.next();
}

void CatalogEdit::CmdBorrar_Click()
{
    if (SelectedKey == 0)
        return;
    if (!AskYesNo(catalog_.deleteQuestion.text, catalog_.deleteQuestion.title))
        return;
    if (deleteRefused()) {
        ShowError(catalog_.inUse.text, catalog_.inUse.title);
    } else {
        if (context_.db.exec(catalog_.deleteSql, {SelectedKey}) < 0)
            return;
        ShowInfo(catalog_.deleted.text, catalog_.deleted.title);
        list_.Carga();
    }
    close();
}
