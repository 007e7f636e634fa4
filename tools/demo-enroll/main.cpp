// demo-enroll: enrols generated fingerprints for the demo company.
//   demo-enroll --ini DIR --prints DIR --reader DIR [--users N] [--fingers-per-user K]

#include "Db.h"
#include "DemoEnrollment.h"
#include "StationConfig.h"

#include <cstdio>
#include <QCommandLineParser>
#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"ini", "Carpeta del VeZuviv.ini de la estación.", "dir"});
    parser.addOption({"prints", "Carpeta de huellas generadas (F_I.png).", "dir"});
    parser.addOption({"reader", "Carpeta que ofrecerá el lector virtual.", "dir"});
    parser.addOption({"users", "Usuarios a enrolar (1..N).", "n", "12"});
    parser.addOption({"fingers-per-user", "Dedos por usuario.", "k", "2"});
    parser.process(app);
    if (!parser.isSet("ini") || !parser.isSet("prints") || !parser.isSet("reader")) {
        std::fputs("demo-enroll: faltan --ini, --prints o --reader\n", stderr);
        return 2;
    }
    const StationConfigResult config = readStationConfig(parser.value("ini"));
    if (!config.ok) {
        std::fprintf(stderr, "demo-enroll: %s\n", qPrintable(config.error));
        return 1;
    }
    Db db;
    QString error;
    if (!db.open(config.config.connectionString, &error)) {
        std::fprintf(stderr, "demo-enroll: %s\n", qPrintable(error));
        return 1;
    }
    Db::setFatalHandler([](const QString& text) {
        std::fprintf(stderr, "demo-enroll: %s\n", qPrintable(text));
        std::exit(1);
    });
    DemoEnrollmentPlan plan;
    plan.printsFolder = parser.value("prints");
    plan.readerFolder = parser.value("reader");
    plan.users = parser.value("users").toInt();
    plan.fingersPerUser = qMax(1, parser.value("fingers-per-user").toInt());
    const DemoEnrollmentResult result = enrollDemoFingers(db, plan);
    for (const QString& problem : result.problems)
        std::fprintf(stderr, "demo-enroll: %s\n", qPrintable(problem));
    std::printf("Huellas enroladas: %d; tomas para el lector virtual: %d\n", result.enrolled,
                result.offered);
    return result.enrolled > 0 ? 0 : 1;
}
