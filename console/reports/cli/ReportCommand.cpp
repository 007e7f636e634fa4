#include "ReportCommand.h"

namespace {

ReportCommandParse failure(const QString& error)
{
    ReportCommandParse result;
    result.error = error;
    return result;
}

std::optional<QDate> dateOf(const QString& text)
{
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid() || text.size() != 10)
        return std::nullopt;
    return date;
}

std::optional<int> numberOf(const QString& text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 1)
        return std::nullopt;
    return number;
}

} // namespace

ReportCommandParse ParseReportCommand(const QStringList& arguments)
{
    ReportCommand command;
    QString from, to, users, department, connection, report, layout, pdf, csv;
    bool all = false;
    int choices = 0;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString option = arguments[i];
        std::optional<QString> value;
        const qsizetype equals = option.indexOf(QLatin1Char('='));
        if (option.startsWith(QLatin1String("--")) && equals > 0) {
            value = option.mid(equals + 1);
            option = option.left(equals);
        }
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            ReportCommandParse result;
            result.help = true;
            return result;
        }
        if (option == QLatin1String("--all")) {
            if (value)
                return failure(QStringLiteral("--all no lleva valor"));
            all = true;
            ++choices;
            continue;
        }
        QString* target = nullptr;
        if (option == QLatin1String("--from"))
            target = &from;
        else if (option == QLatin1String("--to"))
            target = &to;
        else if (option == QLatin1String("--users"))
            target = &users;
        else if (option == QLatin1String("--department"))
            target = &department;
        else if (option == QLatin1String("--connection"))
            target = &connection;
        else if (option == QLatin1String("--report"))
            target = &report;
        else if (option == QLatin1String("--layout"))
            target = &layout;
        else if (option == QLatin1String("--pdf"))
            target = &pdf;
        else if (option == QLatin1String("--csv"))
            target = &csv;
        else
            return failure(QStringLiteral("Opción desconocida: %1").arg(arguments[i]));
        if (!value) {
            if (i + 1 >= arguments.size())
                return failure(QStringLiteral("Falta el valor de %1").arg(option));
            value = arguments[++i];
        }
        *target = *value;
        if (target == &users || target == &department)
            ++choices;
    }

    if (from.isEmpty() || to.isEmpty())
        return failure(QStringLiteral("Indique el periodo con --from y --to (AAAA-MM-DD)"));
    const auto first = dateOf(from);
    if (!first)
        return failure(QStringLiteral("Fecha no válida: %1 (se espera AAAA-MM-DD)").arg(from));
    const auto last = dateOf(to);
    if (!last)
        return failure(QStringLiteral("Fecha no válida: %1 (se espera AAAA-MM-DD)").arg(to));
    command.from = *first;
    command.to = *last;

    if (choices != 1)
        return failure(QStringLiteral("Indique los empleados con una sola de las opciones "
                                      "--users, --department o --all"));
    if (all) {
        command.who = ReportCommand::Who::All;
    } else if (!department.isEmpty()) {
        const auto number = numberOf(department);
        if (!number)
            return failure(QStringLiteral("Departamento no válido: %1").arg(department));
        command.who = ReportCommand::Who::Department;
        command.department = *number;
    } else {
        command.who = ReportCommand::Who::Users;
        for (const QString& part : users.split(QLatin1Char(','))) {
            const auto number = numberOf(part.trimmed());
            if (!number)
                return failure(QStringLiteral("Lista de usuarios no válida: %1").arg(users));
            command.users << *number;
        }
    }
    command.connection = connection;

    if (!report.isEmpty() && !layout.isEmpty())
        return failure(QStringLiteral("Indique el reporte con --report o con --layout, no con "
                                      "ambas"));
    if (!report.isEmpty()) {
        const auto number = numberOf(report);
        if (!number)
            return failure(QStringLiteral("Reporte no válido: %1").arg(report));
        command.report = *number;
    }
    command.layout = layout;
    command.pdf = pdf;
    command.csv = csv;
    if (command.exports() && pdf.isEmpty() && csv.isEmpty())
        return failure(QStringLiteral("Indique dónde escribir el reporte con --pdf o --csv"));
    if (!command.exports() && (!pdf.isEmpty() || !csv.isEmpty()))
        return failure(QStringLiteral("Indique qué reporte exportar con --report o --layout"));
    ReportCommandParse result;
    result.command = command;
    return result;
}

QString ReportCommandUsage()
{
    return QStringLiteral(
        "Uso: tasquelo-report --from AAAA-MM-DD --to AAAA-MM-DD\n"
        "                     (--users 1,2,3 | --department N | --all)\n"
        "                     [--connection \"cadena de conexión ODBC\"]\n"
        "                     [(--report N | --layout ARCHIVO) (--pdf SALIDA | --csv SALIDA)]\n"
        "Llena la tabla de trabajo rep_asistencia_general para el periodo y los empleados\n"
        "indicados (--all: todos los empleados activos; --department: los activos del\n"
        "departamento) y dice cuántas filas escribió. Sin --connection usa la primera línea\n"
        "de VeZuviv.ini junto al programa.\n"
        "Con --report (un reporte del catálogo Reportes) o --layout (un archivo de formato)\n"
        "escribe además el reporte en PDF (--pdf) o sus filas en CSV (--csv), igual que el\n"
        "visor de la consola.\n");
}
