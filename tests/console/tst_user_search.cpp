// The user search dialog: matching on every keystroke, the 12-row limit of short texts, the
// pattern characters of "like", and what it returns.

#include "ConsoleTesting.h"
#include "FrmSrc.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmSrc.h"

#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_search");

QStringList codes(QTableWidget* grid)
{
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row)
        rows << (grid->item(row, 0) ? grid->item(row, 0)->text() : QString());
    return rows;
}

} // namespace

class TestUserSearch : public QObject
{
    Q_OBJECT
    Db db;
    std::unique_ptr<ConsoleContext> context;
    std::unique_ptr<FrmSrc> dialog;

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
        // 20 users named GARCÍA, two PEREZ whose names differ in one character, and an inactive
        // user.
        for (int i = 1; i <= 20; ++i)
            addUser(db, {{"Usuario", i},
                         {"Nombre", QString("GARCÍA LÓPEZ %1").arg(i, 2, 10, QChar('0'))}});
        addUser(db, {{"Usuario", 21}, {"Nombre", "PEREZ_X"}});
        addUser(db, {{"Usuario", 22}, {"Nombre", "PEREZAX"}});
        addUser(db, {{"Usuario", 23}, {"Nombre", "BAJA INACTIVO"}, {"activo", 1}});
    }
    void init()
    {
        context = std::make_unique<ConsoleContext>();
        context->db.open(connectionString(kDatabase));
        dialog = std::make_unique<FrmSrc>(*context);
        dialog->show();
    }
    void cleanup()
    {
        dialog.reset();
        context.reset();
    }

    void startsEmpty()
    {
        QTableWidget* grid = dialog->ui()->GrdFnd;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Búsqueda de Catálogos"));
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->columnCount(), 2);
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Codigo"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Nombre"));
        QVERIFY(grid->columnWidth(1) > 3 * grid->columnWidth(0));
        QVERIFY(dialog->FirstRow);
    }

    void matches_data()
    {
        QTest::addColumn<QString>("criteria");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("some"); // codes that must be among the rows
        QTest::newRow("two letters: at most 12") << "GA" << 12 << QStringList();
        QTest::newRow("five characters: at most 12") << "GARCÍ" << 12 << QStringList();
        QTest::newRow("six characters: all") << "GARCÍA" << 20 << QStringList{"1", "20"};
        QTest::newRow("part of a name") << "LÓPEZ 1" << 10 << QStringList{"10", "19"};
        QTest::newRow("inactive users too") << "BAJA" << 1 << QStringList{"23"};
        QTest::newRow("nobody: one empty row") << "ZZZ" << 1 << QStringList{""};
        QTest::newRow("underscore matches any one character")
            << "PEREZ_X" << 2 << QStringList{"21", "22"};
        QTest::newRow("percent matches anything") << "PE%X" << 2 << QStringList{"21", "22"};
        QTest::newRow("percent alone, short") << "%" << 12 << QStringList();
        QTest::newRow("a quote finds nobody") << "'" << 1 << QStringList{""};
    }
    void matches()
    {
        QFETCH(QString, criteria);
        QFETCH(int, rows);
        QFETCH(QStringList, some);
        FatalRecorder fatal;
        dialog->FindRow(criteria);
        const QStringList found = codes(dialog->ui()->GrdFnd);
        QCOMPARE(found.size(), rows);
        for (const QString& code : some)
            QVERIFY2(found.contains(code), qPrintable(found.join(',')));
        QCOMPARE(dialog->FirstRow, some == QStringList{""});
        QVERIFY(fatal.failures.isEmpty());
    }

    void everyKeystrokeSearchesAgain()
    {
        QLineEdit* box = dialog->ui()->TbFnd;
        QTest::keyClicks(box, "pere");
        QCOMPARE(box->text(), QStringLiteral("PERE"));
        QCOMPARE(codes(dialog->ui()->GrdFnd), (QStringList{"21", "22"}));
        QTest::keyClick(box, 'z');
        QTest::keyClick(box, 'a');
        QCOMPARE(codes(dialog->ui()->GrdFnd), QStringList{"22"});
        // Emptying the box leaves the grid as it was.
        box->clear();
        QCOMPARE(codes(dialog->ui()->GrdFnd), QStringList{"22"});
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("row"); // the grid's current row
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("closed");
        QTest::newRow("Seleccionar, first row") << "select" << 0 << "21" << true;
        QTest::newRow("Seleccionar, second row") << "select" << 1 << "22" << true;
        QTest::newRow("double-click") << "double" << 1 << "22" << true;
        QTest::newRow("Enter in the grid") << "enter" << 1 << "22" << true;
        QTest::newRow("Cerrar") << "cerrar" << 1 << "" << true;
        QTest::newRow("Escape") << "escape" << 1 << "" << true;
        QTest::newRow("close box") << "close" << 1 << "" << true;
        QTest::newRow("Seleccionar without results") << "empty" << 0 << "previous" << false;
    }
    void closing()
    {
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(QString, selected);
        QFETCH(bool, closed);
        context->SelectedUser = "previous";
        QVERIFY(activate(dialog.get()));
        QTableWidget* grid = dialog->ui()->GrdFnd;
        dialog->ui()->TbFnd->setText(how == "empty" ? "ZZZ" : "PEREZ");
        const QStringList expected = how == "empty" ? QStringList{""} : QStringList{"21", "22"};
        QCOMPARE(codes(grid), expected);
        grid->setCurrentCell(row, 0);
        if (how == "select" || how == "empty") {
            dialog->ui()->BtnSel->click();
        } else if (how == "double") {
            const QRect cell = grid->visualItemRect(grid->item(row, 1));
            // A double-click is a press and release followed by the double-click itself.
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        } else if (how == "enter") {
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Return);
        } else if (how == "cerrar") {
            dialog->ui()->BtnClose->click();
        } else if (how == "escape") {
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        } else {
            dialog->close();
        }
        QCOMPARE(context->SelectedUser, selected);
        QCOMPARE(!dialog->isVisible(), closed);
        if (closed)
            QCOMPARE(dialog->result(),
                     int(selected.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
    }
};

QTEST_MAIN(TestUserSearch)
#include "tst_user_search.moc"
