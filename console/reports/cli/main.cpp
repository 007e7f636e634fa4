// tasquelo-report: fills the attendance report's working table from the command line and, when
// asked, writes a report of it to PDF or CSV as the console's viewer would show it.
// Exit status: 0 rows written (and the report written), 1 database, employee or report
// problem, 2 bad command line, 3 another station is generating a report.

#include "AttendanceReport.h"
#include "Db.h"
#include "ReportCommand.h"
#include "ReportEmployees.h"
#include "ReportExport.h"
#include "ReportStore.h"
#include "StationConfig.h"

#include <cstdio>
#include <cstdlib>
#include <QGuiApplication>

namespace {

void say(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

int fail(const QString& text, int status = 1)
{
    say(stderr, QStringLiteral("tasquelo-report: ") + text);
    return status;
}

std::optional<QList<int>> chosenEmployees(Db& db, const ReportCommand& command, QString& error)
{
    switch (command.who) {
    case ReportCommand::Who::Users: {
        const QList<int> unknown = Attendance::UnknownUsers(db, command.users);
        if (!unknown.isEmpty()) {
            QStringList numbers;
            for (int user : unknown)
                numbers << QString::number(user);
            error =
                QStringLiteral("Usuario desconocido: %1").arg(numbers.join(QStringLiteral(", ")));
            return std::nullopt;
        }
        return command.users;
    }
    case ReportCommand::Who::Department: {
        auto employees = Attendance::DepartmentEmployees(db, command.department);
        if (!employees)
            error = QStringLiteral("Departamento desconocido: %1").arg(command.department);
        return employees;
    }
    case ReportCommand::Who::All:
        return Attendance::CurrentEmployees(db);
    }
    return std::nullopt;
}

// Writes the report the command names over the period just generated; an empty text on success.
QString exportReport(Db& db, const ReportCommand& command)
{
    QString layout = command.layout;
    QString formula;
    QString title;
    if (command.report > 0) {
        const auto report = ReportStore::FindReport(db, command.report);
        if (!report)
            return QStringLiteral("Reporte desconocido: %1").arg(command.report);
        layout = ReportStore::LayoutPath(QCoreApplication::applicationDirPath(), report->rpt);
        formula = report->formula;
        title = ReportStore::ReportTitle(report->nombre, command.from, command.to);
    }
    if (!command.pdf.isEmpty()) {
        const QString error = exportReportPdf(db, layout, formula, title, command.pdf);
        if (!error.isEmpty())
            return error;
        say(stdout, QStringLiteral("Reporte escrito en %1").arg(command.pdf));
    }
    if (!command.csv.isEmpty()) {
        const QString error = exportReportCsv(db, layout, formula, title, command.csv);
        if (!error.isEmpty())
            return error;
        say(stdout, QStringLiteral("Reporte escrito en %1").arg(command.csv));
    }
    return {};
}

} // namespace

int main(int argc, char* argv[])
{
    // Pages are laid out with fonts, which need a GUI application, but never a display: a run
    // from a scheduled job has none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const ReportCommandParse parsed = ParseReportCommand(app.arguments().mid(1));
    if (parsed.help) {
        say(stdout, ReportCommandUsage());
        return 0;
    }
    if (!parsed.command) {
        say(stderr, QStringLiteral("tasquelo-report: ") + parsed.error);
        say(stderr, ReportCommandUsage());
        return 2;
    }
    const ReportCommand& command = *parsed.command;

    QString connection = command.connection;
    if (connection.isEmpty()) {
        const StationConfigResult station =
            readStationConfig(QCoreApplication::applicationDirPath());
        if (!station.ok)
            return fail(station.error);
        connection = station.config.connectionString;
    }

    Db::setFatalHandler([](const QString& text) {
        say(stderr, QStringLiteral("tasquelo-report: error de la base de datos: ") + text);
        std::exit(1);
    });
    Db db;
    QString error;
    if (!db.open(connection, &error))
        return fail(QStringLiteral("No se pudo conectar a la base de datos: ") + error);

    const auto employees = chosenEmployees(db, command, error);
    if (!employees)
        return fail(error);

    const Attendance::ReportOutcome outcome =
        Attendance::GenerateAttendance(db, {command.from, command.to, *employees});
    switch (outcome.status) {
    case Attendance::ReportOutcome::Status::Busy:
        return fail(Attendance::busyText(), 3);
    case Attendance::ReportOutcome::Status::Failed:
        return fail(QStringLiteral("No se pudo llenar la tabla de trabajo"));
    case Attendance::ReportOutcome::Status::Written:
        break;
    }
    say(stdout, QStringLiteral("Filas escritas en rep_asistencia_general: %1").arg(outcome.rows));
    if (command.exports()) {
        const QString problem = exportReport(db, command);
        if (!problem.isEmpty())
            return fail(problem);
    }
    return 0;
}
