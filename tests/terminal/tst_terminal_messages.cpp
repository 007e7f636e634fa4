// The messages of the terminal on the real screen and database: the location's message at
// start-up, and the personal messages shown after a punch, one per punch, until acknowledged.

#include "FrmMensajes.h"
#include "TerminalFixture.h"
#include "ui_FrmClock.h"
#include "ui_FrmMensajes.h"

#include <QApplication>
#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

const QDate kMonday(2026, 12, 7);

QDateTime monday(const QString& time)
{
    return QDateTime(kMonday, QTime::fromString(time, "HH:mm:ss"));
}

// Acts on the personal message window as soon as it is on screen, and records what it showed.
class MessageWindowDriver : public QObject
{
public:
    enum Action
    {
        Acknowledge,
        Escape,
        TimeOut
    };

    struct Seen
    {
        QString title, para, fecha, de, asunto, mensaje;
        bool enteradoFocused = false;
        int closeTimer = 0;
        bool closeRefused = false;
    };

    MessageWindowDriver(FrmClock* form, Action action)
        : form_(form)
        , action_(action)
    {
        connect(&poll_, &QTimer::timeout, this, &MessageWindowDriver::tick);
        poll_.start(0);
    }

    QList<Seen> seen;

private:
    void tick()
    {
        auto* window = qobject_cast<FrmMensajes*>(QApplication::activeModalWidget());
        if (!window)
            return;
        Ui::FrmMensajes* ui = window->ui();
        Seen s{window->windowTitle(), ui->txtPara->text(),   ui->TxtFecha->text(),
               ui->TxtDe->text(),     ui->TxtAsunto->text(), ui->TxtMensaje->toPlainText()};
        s.closeTimer = window->TmrCierra().isActive() ? window->TmrCierra().interval() : 0;
        // The terminal cannot be closed while the punch waits for the window.
        s.closeRefused = !form_->close();
        QMetaObject::invokeMethod(&window->TmrInicio(), "timeout", Qt::DirectConnection);
        s.enteradoFocused = window->focusWidget() == ui->CmdEnterado;
        seen << s;
        switch (action_) {
        case Acknowledge:
            QTest::mouseClick(ui->CmdEnterado, Qt::LeftButton);
            break;
        case Escape:
            QTest::keyClick(window, Qt::Key_Escape);
            break;
        case TimeOut:
            QMetaObject::invokeMethod(&window->TmrCierra(), "timeout", Qt::DirectConnection);
            break;
        }
    }

    FrmClock* form_;
    Action action_;
    QTimer poll_;
};

} // namespace

class TestTerminalMessages : public QObject
{
    Q_OBJECT
    TerminalFixture fixture{QStringLiteral("t_terminal_messages")};

    // A punch by password at `time`, with the message window handled by `action`.
    QList<MessageWindowDriver::Seen> punch(const QString& time, MessageWindowDriver::Action action)
    {
        fixture.setTime(monday(time));
        MessageWindowDriver driver(fixture.form(), action);
        fixture.typeUser("20");
        fixture.typePassword("C");
        QCoreApplication::processEvents();
        fixture.resetScreen();
        return driver.seen;
    }

    int addMessage(const QDateTime& fecha, const QString& asunto, int remite = 1)
    {
        return int(fixture.db().insertRow("KxMensajes_personales",
                                          {{"Usuario", 20},
                                           {"remite", remite},
                                           {"fecha", fecha},
                                           {"asunto", asunto},
                                           {"cuerpo_mensaje", "Cuerpo de " + asunto}}));
    }

    QVariantList state(int mensaje)
    {
        QSqlQuery q = fixture.db().query(
            "select recibido,fecha_recepcion from KxMensajes_personales where mensaje=?",
            {mensaje});
        if (!q.next())
            return {};
        return {q.value(0), q.value(1).isNull() ? QVariant() : q.value(1)};
    }

private slots:
    void initTestCase() { QVERIFY2(fixture.ready(), qPrintable(fixture.error())); }

    void init()
    {
        fixture.clear();
        fixture.addSchedule(4, "OFICINA", {"09:00:00", "18:00:00", "14:00:00", "15:00:00", 10, 15});
        fixture.addUser(1, "RECURSOS HUMANOS", "ADMIN");
        fixture.addUser(20, "ANA LOPEZ", "C");
        fixture.assign(20, 4);
    }

    void locationMessage_data()
    {
        QTest::addColumn<int>("sucursal"); // 0: no message row
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << "Sin Mensajes...";
        QTest::newRow("another location's only") << 4 << "Sin Mensajes...";
        QTest::newRow("this location's")
            << 3 << "05/12/2026  Mensaje Importante:\nInventario el sábado.";
    }
    void locationMessage()
    {
        QFETCH(int, sucursal);
        QFETCH(QString, text);
        if (sucursal)
            fixture.db().insertRow("Kxmensajes_globales",
                                   {{"Sucursal", sucursal},
                                    {"Cuerpo_mensaje", "Inventario el sábado."},
                                    {"fecha", QDateTime(QDate(2026, 12, 5), QTime(10, 0))}});
        FrmClock* form = fixture.start();
        QVERIFY(form);
        QCOMPARE(form->ui()->TxtMensaje->toPlainText(), text);
    }

    void tomorrowsMessageIsNotShown()
    {
        QVERIFY(fixture.start());
        const int tomorrow = addMessage(monday("08:00:00").addDays(1), "MAÑANA");
        QVERIFY(punch("09:00:00", MessageWindowDriver::Acknowledge).isEmpty());
        QCOMPARE(state(tomorrow), (QVariantList{0, QVariant()}));
    }

    void twoPendingMessagesOnePerPunch()
    {
        FrmClock* form = fixture.start();
        QVERIFY(form);
        const int first = addMessage(monday("08:00:00").addDays(-3), "PRIMERO");
        const int second = addMessage(monday("08:30:00"), "SEGUNDO");

        const auto entry = punch("09:00:00", MessageWindowDriver::Acknowledge);
        QCOMPARE(entry.size(), 1);
        QCOMPARE(entry[0].title, QStringLiteral("Mensaje Importante!!"));
        QCOMPARE(entry[0].para, QStringLiteral("ANA LOPEZ"));
        QCOMPARE(entry[0].de, QStringLiteral("RECURSOS HUMANOS"));
        QCOMPARE(entry[0].asunto, QStringLiteral("PRIMERO"));
        QCOMPARE(entry[0].mensaje, QStringLiteral("Cuerpo de PRIMERO"));
        QCOMPARE(entry[0].fecha, QStringLiteral("04/12/2026 08:00:00 AM"));
        QCOMPARE(entry[0].closeTimer, 50000);
        QVERIFY(entry[0].closeRefused);
        QVERIFY(entry[0].enteradoFocused);
        // Acknowledged at the server's time.
        QCOMPARE(state(first), (QVariantList{1, monday("09:00:00")}));
        QCOMPARE(state(second), (QVariantList{0, QVariant()}));
        QVERIFY(form->ExitAllowed);

        // A refused punch (too early for the break) shows the next message all the same.
        const auto refused = punch("10:00:00", MessageWindowDriver::Acknowledge);
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused[0].asunto, QStringLiteral("SEGUNDO"));
        QCOMPARE(state(second), (QVariantList{1, monday("10:00:00")}));

        QVERIFY(punch("13:50:00", MessageWindowDriver::Acknowledge).isEmpty());
    }

    void closingWithoutAcknowledging_data()
    {
        QTest::addColumn<int>("action");
        QTest::newRow("Escape") << int(MessageWindowDriver::Escape);
        QTest::newRow("50 seconds") << int(MessageWindowDriver::TimeOut);
    }
    void closingWithoutAcknowledging()
    {
        QFETCH(int, action);
        QVERIFY(fixture.start());
        const int message = addMessage(monday("08:00:00"), "AVISO");
        const auto first = punch("09:00:00", MessageWindowDriver::Action(action));
        QCOMPARE(first.size(), 1);
        QCOMPARE(state(message), (QVariantList{0, QVariant()}));
        QCOMPARE(fixture.eventCount(20), 1); // the punch itself was recorded
        const auto next = punch("13:50:00", MessageWindowDriver::Acknowledge);
        QCOMPARE(next.size(), 1);
        QCOMPARE(next[0].asunto, QStringLiteral("AVISO"));
        QCOMPARE(state(message), (QVariantList{1, monday("13:50:00")}));
    }

    void messageFromAnUnknownSenderIsNeverShown()
    {
        QVERIFY(fixture.start());
        addMessage(monday("08:00:00"), "FANTASMA", 77);
        QVERIFY(punch("09:00:00", MessageWindowDriver::Acknowledge).isEmpty());
    }
};

QTEST_MAIN(TestTerminalMessages)
#include "tst_terminal_messages.moc"
