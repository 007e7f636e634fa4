// The departments and locations catalogs: list order, adding, renaming and deleting entries,
// and the department delete check.

#include "ConsoleTesting.h"
#include "FrmDepartamentos.h"
#include "FrmDepartamentos_creacion.h"
#include "FrmUbicaciones.h"
#include "FrmUbicaciones_creacion.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmDepartamentos_creacion.h"
#include "ui_FrmUbicaciones_creacion.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_catalogs");

// What differs between the two catalogs, for the tests that run on both.
struct Kind
{
    QString table;
    QString key;
    QString name;
    QString listTitle;
    QStringList columns;
    QString label;
};

const Kind kDepartments{"Kxdepart",
                        "departamento",
                        "Nombre_departamento",
                        "Departamentos",
                        {"Departamento", "Nombre Departamento"},
                        "Nombre Departamento:"};
const Kind kLocations{"KxSucursales",
                      "sucursal",
                      "Nombre_sucursal",
                      "Ubicaciones",
                      {"Ubicación", "Nombre Ubicación"},
                      "Nombre Ubicación:"};

std::unique_ptr<CatalogList> openList(ConsoleContext& context, const QString& catalog)
{
    std::unique_ptr<CatalogList> list;
    if (catalog == "departments")
        list = std::make_unique<FrmDepartamentos>(context);
    else
        list = std::make_unique<FrmUbicaciones>(context);
    list->show();
    return list;
}

const Kind& kindOf(const QString& catalog)
{
    return catalog == "departments" ? kDepartments : kLocations;
}

QStringList gridRows(QTableWidget* grid)
{
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row)
        rows << grid->item(row, 0)->text() + " " + grid->item(row, 1)->text();
    return rows;
}

QLineEdit* nameBox(CatalogEdit* editor)
{
    return editor->findChild<QLineEdit*>("TxtNombre");
}

QPushButton* button(CatalogEdit* editor, const char* name)
{
    return editor->findChild<QPushButton*>(name);
}

} // namespace

class TestCatalogs : public QObject
{
    Q_OBJECT
    Db db;
    std::unique_ptr<ConsoleContext> context;

    int add(const Kind& kind, const QString& name)
    {
        return int(db.insertRow(kind.table, {{kind.name, name}}));
    }
    QStringList stored(const Kind& kind)
    {
        QStringList rows;
        QSqlQuery q = db.query(
            QString("select %1,%2 from %3 order by %1").arg(kind.key, kind.name, kind.table));
        while (q.next())
            rows << q.value(0).toString() + " " + q.value(1).toString();
        return rows;
    }

    void bothCatalogs()
    {
        QTest::addColumn<QString>("catalog");
        QTest::newRow("departments") << "departments";
        QTest::newRow("locations") << "locations";
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
    }
    void init()
    {
        clearTables(db);
        context = std::make_unique<ConsoleContext>();
        context->db.open(connectionString(kDatabase));
    }
    void cleanup() { context.reset(); }

    void listInNameOrder_data() { bothCatalogs(); }
    void listInNameOrder()
    {
        QFETCH(QString, catalog);
        const Kind& kind = kindOf(catalog);
        const int zacatecas = add(kind, "ZACATECAS");
        const int leon = add(kind, "LEÓN");
        const int aguascalientes = add(kind, "AGUASCALIENTES");
        auto list = openList(*context, catalog);
        QCOMPARE(list->windowTitle(), kind.listTitle);
        QCOMPARE(list->grid()->horizontalHeaderItem(0)->text(), kind.columns[0]);
        QCOMPARE(list->grid()->horizontalHeaderItem(1)->text(), kind.columns[1]);
        QCOMPARE(
            gridRows(list->grid()),
            (QStringList{QString("%1 AGUASCALIENTES").arg(aguascalientes),
                         QString("%1 LEÓN").arg(leon), QString("%1 ZACATECAS").arg(zacatecas)}));
    }

    void addingAnEntry_data() { bothCatalogs(); }
    void addingAnEntry()
    {
        QFETCH(QString, catalog);
        const Kind& kind = kindOf(catalog);
        add(kind, "MONTERREY");
        auto list = openList(*context, catalog);
        list->findChild<QPushButton*>("CmdNuevo")->click();
        QPointer<CatalogEdit> editor = list->editor();
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->windowModality(), Qt::ApplicationModal);
        QCOMPARE(editor->windowTitle(), kind.listTitle);
        QCOMPARE(editor->findChild<QLabel*>("LblNombre")->text(), kind.label);
        QCOMPARE(button(editor, "CmdGuardar")->text(), QStringLiteral("&Guardar"));
        QVERIFY(!button(editor, "CmdBorrar")->isEnabled());
        QCOMPARE(editor->SelectedKey, 0);
        // Stored as typed: no upper-case filter, and a quote is part of the name.
        QTest::keyClicks(nameBox(editor), "d'Arcy");
        RecordingMessages boxes;
        button(editor, "CmdGuardar")->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("info"));
        if (catalog == "departments") {
            QCOMPARE(boxes.boxes[0].text, QStringLiteral("Departamento Agregado Correctamente"));
            QCOMPARE(boxes.boxes[0].title, QStringLiteral("Alta Departamento"));
        } else {
            QCOMPARE(boxes.boxes[0].text, QStringLiteral("Ubicación Agregada Correctamente"));
            QCOMPARE(boxes.boxes[0].title, QStringLiteral("Alta Ubicación"));
        }
        QTRY_VERIFY(editor.isNull());
        QCOMPARE(count(db, QString("select count(*) from %1 where %2=?").arg(kind.table, kind.name),
                       {"d'Arcy"}),
                 1);
        // The list is reloaded, in name order.
        QCOMPARE(list->grid()->rowCount(), 2);
        QCOMPARE(list->grid()->item(0, 1)->text(), QStringLiteral("d'Arcy"));
    }

    void renamingKeepsTheNumber_data() { bothCatalogs(); }
    void renamingKeepsTheNumber()
    {
        QFETCH(QString, catalog);
        const Kind& kind = kindOf(catalog);
        add(kind, "BAJÍO");
        const int centro = add(kind, "CENTRO");
        auto list = openList(*context, catalog);
        QCOMPARE(list->grid()->item(1, 1)->text(), QStringLiteral("CENTRO"));
        list->iGrid1_DblClick(1);
        QPointer<CatalogEdit> editor = list->editor();
        QVERIFY(editor);
        QCOMPARE(nameBox(editor)->text(), QStringLiteral("CENTRO"));
        QCOMPARE(editor->SelectedKey, centro);
        QCOMPARE(button(editor, "CmdGuardar")->text(), QStringLiteral("&Cambiar"));
        QVERIFY(button(editor, "CmdBorrar")->isEnabled());
        nameBox(editor)->setText("ALTOS");
        RecordingMessages boxes;
        button(editor, "CmdGuardar")->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].title, catalog == "departments"
                                           ? QStringLiteral("Modificado Departamento")
                                           : QStringLiteral("Modificada Ubicación"));
        QTRY_VERIFY(editor.isNull());
        QCOMPARE(stored(kind).size(), 2);
        QVERIFY(stored(kind).contains(QString("%1 ALTOS").arg(centro)));
        QCOMPARE(list->grid()->item(0, 1)->text(), QStringLiteral("ALTOS"));
        QCOMPARE(list->grid()->item(0, 0)->text(), QString::number(centro));
    }

    void doubleClickOnAGridRow()
    {
        add(kDepartments, "VENTAS");
        auto list = openList(*context, "departments");
        QTableWidget* grid = list->grid();
        const QRect cell = grid->visualItemRect(grid->item(0, 1));
        // A double-click is a press and release followed by the double-click itself.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(list->editor());
        QCOMPARE(nameBox(list->editor())->text(), QStringLiteral("VENTAS"));
        list->editor()->close();
    }

    void deletingADepartment_data()
    {
        QTest::addColumn<QString>("users"); // the department's users: a = active, i = inactive
        QTest::addColumn<bool>("deleted");
        QTest::newRow("no users") << "" << true;
        QTest::newRow("an active user") << "a" << false;
        QTest::newRow("only inactive users") << "ii" << false;
    }
    void deletingADepartment()
    {
        QFETCH(QString, users);
        QFETCH(bool, deleted);
        const int ventas = add(kDepartments, "VENTAS");
        const int otro = add(kDepartments, "OTRO");
        for (QChar user : users)
            addUser(db, {{"Nombre", "X"}, {"departamento", ventas}, {"activo", user == 'i'}});
        addUser(db, {{"Nombre", "Y"}, {"departamento", otro}});
        auto list = openList(*context, "departments");
        list->iGrid1_DblClick(1); // OTRO, VENTAS
        QPointer<CatalogEdit> editor = list->editor();
        QCOMPARE(editor->SelectedKey, ventas);
        RecordingMessages boxes;
        boxes.answers << true;
        button(editor, "CmdBorrar")->click();
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("question"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("¿Está seguro de Eliminar el Departamento?"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Borrar Departamento"));
        QCOMPARE(boxes.boxes.size(), 2);
        if (deleted) {
            QCOMPARE(boxes.boxes[1].kind, QStringLiteral("info"));
            QCOMPARE(boxes.boxes[1].text, QStringLiteral("Departamento Eliminado Correctamente!!"));
            QCOMPARE(boxes.boxes[1].title, QStringLiteral("Departamento Borrado"));
            QCOMPARE(stored(kDepartments), QStringList{QString("%1 OTRO").arg(otro)});
            QCOMPARE(list->grid()->rowCount(), 1);
        } else {
            QCOMPARE(boxes.boxes[1].kind, QStringLiteral("error"));
            QCOMPARE(
                boxes.boxes[1].text,
                QStringLiteral("No se puede Eliminar el Departamento, hay Usuarios Asignados"));
            QCOMPARE(boxes.boxes[1].title, QStringLiteral("Imposible Borrar"));
            QCOMPARE(stored(kDepartments).size(), 2);
        }
        QTRY_VERIFY(editor.isNull()); // closed in both cases
    }

    void deletingALocationChecksNothing()
    {
        const int matriz = add(kLocations, "MATRIZ");
        db.insertRow("KxEvento",
                     {{"usuario", 1}, {"fecha", QDate(2024, 1, 2)}, {"sucursal_entra", matriz}});
        auto list = openList(*context, "locations");
        list->iGrid1_DblClick(0);
        QPointer<CatalogEdit> editor = list->editor();
        RecordingMessages boxes;
        boxes.answers << true;
        button(editor, "CmdBorrar")->click();
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("¿Está seguro de Eliminar la Ubicación?"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Borrar Ubicación"));
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[1].kind, QStringLiteral("info"));
        QVERIFY(stored(kLocations).isEmpty());
        QCOMPARE(list->grid()->rowCount(), 0);
        QCOMPARE(count(db, "select count(*) from KxEvento where sucursal_entra=?", {matriz}), 1);
        QTRY_VERIFY(editor.isNull());
    }

    void answeringNoKeepsTheDialog_data() { bothCatalogs(); }
    void answeringNoKeepsTheDialog()
    {
        QFETCH(QString, catalog);
        const Kind& kind = kindOf(catalog);
        add(kind, "NORTE");
        auto list = openList(*context, catalog);
        list->iGrid1_DblClick(0);
        CatalogEdit* editor = list->editor();
        nameBox(editor)->setText("NORTE NUEVO");
        RecordingMessages boxes;
        boxes.answers << false;
        button(editor, "CmdBorrar")->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(list->editor());
        QVERIFY(editor->isVisible());
        QCOMPARE(nameBox(editor)->text(), QStringLiteral("NORTE NUEVO"));
        QCOMPARE(stored(kind).size(), 1);
        editor->close();
    }
};

QTEST_MAIN(TestCatalogs)
#include "tst_catalogs.moc"
