// A personal message from the console to the terminal and back: written in the creation screen,
// shown at the recipient's next punch once it is due, acknowledged with "&Enterado", and listed
// in the console with the moment of its reception.

#include "FrmMensajes.h"
#include "FrmMPersonales.h"
#include "FrmMPersonales_creacion.h"
#include "RowsModel.h"
#include "TerminalFixture.h"
#include "ui_FrmMensajes.h"
#include "ui_FrmMPersonales.h"
#include "ui_FrmMPersonales_creacion.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_messages_at_terminal");
const QDate kMonday(2026, 12, 7);

// Acknowledges the personal message window as soon as it is on screen, recording what it showed.
class Acknowledger : public QObject
{
public:
    Acknowledger()
    {
        connect(&poll_, &QTimer::timeout, this, &Acknowledger::tick);
        poll_.start(0);
    }

    QStringList seen; // "subject / body / sender / recipient" of each window

private:
    void tick()
    {
        auto* window = qobject_cast<FrmMensajes*>(QApplication::activeModalWidget());
        if (!window)
            return;
        Ui::FrmMensajes* ui = window->ui();
        seen << ui->TxtAsunto->text() + " / " + ui->TxtMensaje->toPlainText() + " / " +
                    ui->TxtDe->text() + " / " + ui->txtPara->text();
        QTest::mouseClick(ui->CmdEnterado, Qt::LeftButton);
    }

    QTimer poll_;
};

} // namespace

class TestMessagesAtTerminal : public QObject
{
    Q_OBJECT
    TerminalFixture fixture{kDatabase};
    std::unique_ptr<ConsoleContext> console;

    // Ana punches by password at `moment`; returns the message windows she saw.
    QStringList punch(const QDateTime& moment)
    {
        fixture.setTime(moment);
        Acknowledger acknowledger;
        fixture.typeUser("20");
        fixture.typePassword("C");
        QCoreApplication::processEvents();
        fixture.resetScreen();
        return acknowledger.seen;
    }

    // Sends a message to Ana through the creation screen, due from `fecha`.
    void sendToAna(const QDate& fecha, const QString& asunto, const QString& texto)
    {
        FrmMPersonales_creacion form(*console);
        form.show();
        auto* ui = form.ui();
        for (int row = 0; row < form.employees()->rowCount(); ++row) {
            if (form.employees()->key(row) == 20)
                ui->iGrid1->selectionModel()->select(form.employees()->index(row, 0),
                                                     QItemSelectionModel::Select |
                                                         QItemSelectionModel::Rows);
        }
        ui->DtFecha->setDate(fecha);
        QTest::keyClicks(ui->TxtAsunto, asunto);
        QTest::keyClicks(ui->TxtTexto, texto);
        RecordingMessages boxes;
        ui->BtnAceptar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("info"));
    }

    // "subject: reception" of Ana's messages as the console's list shows them.
    QStringList listedForAna()
    {
        FrmMPersonales form(*console);
        form.show();
        for (int row = 0; row < form.employees()->rowCount(); ++row) {
            if (form.employees()->key(row) == 20)
                form.ui()->iGrid1->setCurrentIndex(form.employees()->index(row, 0));
        }
        QStringList rows;
        for (int row = 0; row < form.messages()->rowCount(); ++row)
            rows << form.messages()->text(row, 2) + ": " + form.messages()->text(row, 1);
        return rows;
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY2(fixture.ready(), qPrintable(fixture.error()));
    }
    void init()
    {
        fixture.clear();
        fixture.addSchedule(4, "OFICINA", kOfficeTimes);
        fixture.addUser(1, "RECURSOS HUMANOS", "ADMIN");
        fixture.addUser(20, "ANA LOPEZ", "C");
        fixture.assign(20, 4);
        // Both are current employees, as the console lists them.
        fixture.db().exec("UPDATE KxUsuario SET activo=0");
        QVERIFY(fixture.start());
        console = std::make_unique<ConsoleContext>();
        console->db.open(connectionString(kDatabase));
        console->AdminUser = 1;
        console->clock.setLocalSource([] { return QDateTime(kMonday, QTime(8, 0)); });
    }
    void cleanup() { console.reset(); }

    void aMessageIsShownAtTheNextPunchAndItsReceptionListed()
    {
        sendToAna(kMonday, "junta de equipo", "a las cinco en la sala");
        QCOMPARE(listedForAna(), QStringList{"JUNTA DE EQUIPO: "});

        const QStringList seen = punch(QDateTime(kMonday, QTime(9, 0)));
        QCOMPARE(seen, QStringList{"JUNTA DE EQUIPO / A LAS CINCO EN LA SALA / RECURSOS HUMANOS / "
                                   "ANA LOPEZ"});
        QCOMPARE(listedForAna(), QStringList{"JUNTA DE EQUIPO: 07/12/2026 09:00:00"});
        // Acknowledged: not shown again.
        QVERIFY(punch(QDateTime(kMonday, QTime(13, 50))).isEmpty());
    }

    void aMessageDatedTomorrowWaitsForTomorrow()
    {
        sendToAna(kMonday.addDays(1), "aviso", "para el martes");
        QCOMPARE(listedForAna(), QStringList{"AVISO: "});
        QVERIFY(punch(QDateTime(kMonday, QTime(9, 0))).isEmpty());
        QCOMPARE(listedForAna(), QStringList{"AVISO: "});
        QCOMPARE(punch(QDateTime(kMonday.addDays(1), QTime(9, 0))).size(), 1);
        QCOMPARE(listedForAna(), QStringList{"AVISO: 08/12/2026 09:00:00"});
    }
};

QTEST_MAIN(TestMessagesAtTerminal)
#include "tst_messages_at_terminal.moc"
