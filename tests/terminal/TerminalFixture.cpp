#include "TerminalFixture.h"

#include "FingerprintComponent.h"
#include "MessageLine.h"
#include "ui_FrmClock.h"

#include <QFile>
#include <QLabel>
#include <QtTest>

namespace testing {

TerminalFixture::TerminalFixture(const QString& database)
    : database_(database)
{
    ready_ = createDatabase(db_, database, &error_);
    if (!ready_)
        return;
    QFile file(QDir(folder_.path()).filePath(QStringLiteral("VeZuviv.ini")));
    if (!file.open(QIODevice::WriteOnly)) {
        ready_ = false;
        error_ = QStringLiteral("cannot write the station file");
        return;
    }
    file.write((connectionString(database) + QStringLiteral("\n3\n")).toUtf8());
}

TerminalFixture::~TerminalFixture() = default;

void TerminalFixture::clear(qint16 location, const QString& locationName)
{
    form_.reset();
    context_.reset();
    clearTables(db_);
    db_.insertRow(QStringLiteral("KxSucursales"),
                  {{QStringLiteral("sucursal"), location},
                   {QStringLiteral("Nombre_sucursal"), locationName}});
}

FrmClock* TerminalFixture::start(std::unique_ptr<FingerprintComponent> reader)
{
    form_.reset();
    context_ = std::make_unique<AppContext>();
    context_->programFolder = folder_.path();
    form_ = reader ? std::make_unique<FrmClock>(*context_, std::move(reader))
                   : std::make_unique<FrmClock>(*context_);
    if (!form_->Form_Load()) {
        form_.reset();
        return nullptr;
    }
    form_->show();
    form_->activateWindow();
    if (!QTest::qWaitForWindowActive(form_.get()))
        return nullptr;
    form_->ui()->TxtUsuario->setFocus();
    return form_.get();
}

void TerminalFixture::setTime(const QDateTime& moment)
{
    moment_ = moment;
    context_->clock.setLocalSource([this] { return moment_; });
    context_->clock.syncTo(moment);
    // NOW() and CURDATE() of the terminal's own session follow the same moment.
    context_->db.exec(QStringLiteral("SET timestamp = UNIX_TIMESTAMP(?)"), {moment});
}

void TerminalFixture::addUser(int user, const QString& name, const QString& password, bool multiple,
                              bool rotating)
{
    db_.insertRow(
        QStringLiteral("KxUsuario"),
        {{QStringLiteral("Usuario"), user},
         {QStringLiteral("Nombre"), name},
         {QStringLiteral("Password"), password.isEmpty() ? QVariant() : QVariant(password)},
         {QStringLiteral("Puede_checar_clave"), password.isEmpty() ? 0 : 1},
         {QStringLiteral("Chequeo_Multiple"), multiple ? 1 : 0},
         {QStringLiteral("Horario_rotativo"), rotating ? 1 : 0},
         {QStringLiteral("activo"), 0}});
}

void TerminalFixture::addSchedule(int horario, const QString& name, const ScheduleTimes& times,
                                  QList<int> weekdays)
{
    const auto time = [](const QString& text) {
        return text.isEmpty() ? QVariant() : QVariant(text);
    };
    SqlValues values{{QStringLiteral("Horario"), horario},
                     {QStringLiteral("Nombre_horario"), name},
                     {QStringLiteral("tolerancia_retardo"), times.tolerancia},
                     {QStringLiteral("checa_antes"), times.checaAntes}};
    for (int slot : weekdays) {
        const QString n = QString::number(slot);
        values << qMakePair(QStringLiteral("ENTRADA") + n, time(times.entrada))
               << qMakePair(QStringLiteral("SALIDA") + n, time(times.salida))
               << qMakePair(QStringLiteral("SALIDA_BREAK") + n, time(times.salidaBreak))
               << qMakePair(QStringLiteral("REGRESO_BREAK") + n, time(times.regresoBreak));
    }
    db_.insertRow(QStringLiteral("KxHorario"), values);
}

void TerminalFixture::assign(int user, int horario, int orden)
{
    db_.insertRow(QStringLiteral("Kxhorario_personal"), {{QStringLiteral("usuario"), user},
                                                         {QStringLiteral("horario"), horario},
                                                         {QStringLiteral("orden"), orden}});
}

void TerminalFixture::addPermission(int user, const QDate& from, const QDate& to, int tipo)
{
    db_.insertRow(QStringLiteral("permisos"), {{QStringLiteral("usuario"), user},
                                               {QStringLiteral("Fecha_inicio"), from},
                                               {QStringLiteral("Fecha_fin"), to},
                                               {QStringLiteral("tipo"), tipo}});
}

void TerminalFixture::typeUser(const QString& number)
{
    if (!form_->isActiveWindow()) {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    QLineEdit* box = form_->ui()->TxtUsuario;
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, number);
    QTest::keyClick(box, Qt::Key_Return);
}

void TerminalFixture::typePassword(const QString& password)
{
    QLineEdit* box = form_->ui()->TxtClave;
    box->setFocus();
    QTest::keyClicks(box, password);
    QTest::keyClick(box, Qt::Key_Return);
}

void TerminalFixture::resetScreen()
{
    QMetaObject::invokeMethod(&form_->TmrMsg(), "timeout", Qt::DirectConnection);
}

QString TerminalFixture::message() const
{
    return form_->ui()->LblMsg->text();
}

bool TerminalFixture::messageIsSuccess() const
{
    return MessageLine::background(form_->ui()->LblMsg) == QColor(0x80, 0xFF, 0x80);
}

bool TerminalFixture::messageIsRefusal() const
{
    return MessageLine::background(form_->ui()->LblMsg) == QColor(0xFF, 0x80, 0x80);
}

int TerminalFixture::eventCount(int user)
{
    return db_.scalar(QStringLiteral("select count(*) from KxEvento where usuario=?"), {user})
        .toInt();
}

bool shown(const QLabel* label)
{
    return !label->isHidden() &&
           (label->parentWidget() == nullptr || label->isVisibleTo(label->window()));
}

void TerminalFixture::addOfficeWorker(const QString& password)
{
    addSchedule(4, QStringLiteral("OFICINA"), kOfficeTimes);
    addUser(20, QStringLiteral("ANA LOPEZ"), password);
    assign(20, 4);
}

} // namespace testing
