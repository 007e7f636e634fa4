// messages-bench [EMPLOYEES] [ROUNDS]
// Times the message screens of the console through their real widgets on the private database:
// opening the creation screen (the employee grid), sending one message to all employees in one
// transaction, showing an employee's messages, and saving a message for all locations.
// Prints the median and the slowest of the rounds, in milliseconds.

#include "FrmMPersonales.h"
#include "FrmMPersonales_creacion.h"
#include "FrmMUbicacion.h"
#include "RecordingMessages.h"
#include "RowsModel.h"
#include "TestDatabase.h"
#include "ui_FrmMPersonales.h"
#include "ui_FrmMPersonales_creacion.h"
#include "ui_FrmMUbicacion.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <QApplication>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

double timed(const std::function<void()>& work)
{
    const auto start = Steady::now();
    work();
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

void printRow(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("  %-52s %9.1f %9.1f\n", what, ms[ms.size() / 2], ms.back());
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int employees = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int locations = 50;

    Db db;
    QString error;
    if (!testing::createDatabase(db, QStringLiteral("bench_messages"), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    testing::FatalRecorder fatal;
    testing::RecordingMessages boxes;
    db.insertRow(QStringLiteral("KxDepart"),
                 {{QStringLiteral("Nombre_departamento"), QStringLiteral("ALMACÉN")}});
    for (int i = 1; i <= employees; ++i)
        db.insertRow(QStringLiteral("KxUsuario"),
                     {{QStringLiteral("Nombre"), QStringLiteral("EMPLEADO %1 PEÑA").arg(i)},
                      {QStringLiteral("departamento"), 1}});
    for (int i = 1; i <= locations; ++i)
        db.insertRow(QStringLiteral("KxSucursales"),
                     {{QStringLiteral("Nombre_sucursal"), QStringLiteral("SUCURSAL %1").arg(i)}});

    ConsoleContext context;
    context.db.open(testing::connectionString(QStringLiteral("bench_messages")));
    context.AdminUser = 1;

    std::vector<double> open, send, list, save;
    for (int round = 0; round < rounds; ++round) {
        std::unique_ptr<FrmMPersonales_creacion> form;
        open.push_back(timed([&] {
            form = std::make_unique<FrmMPersonales_creacion>(context);
            form->show();
        }));
        form->ui()->OpcTodos->click();
        form->ui()->TxtAsunto->setText(QStringLiteral("AVISO %1").arg(round));
        form->ui()->TxtTexto->setPlainText(QStringLiteral("REVISIÓN DE EQUIPO, ¿ENTERADOS?"));
        send.push_back(timed([&] { form->ui()->BtnAceptar->click(); }));

        FrmMPersonales personal(context);
        personal.show();
        list.push_back(timed([&] {
            personal.ui()->iGrid1->setCurrentIndex(personal.employees()->index(round, 0));
        }));

        FrmMUbicacion general(context);
        general.show();
        general.ui()->ChKTodos->setChecked(true);
        general.ui()->TxtMensaje->setPlainText(QStringLiteral("INVENTARIO %1").arg(round));
        save.push_back(timed([&] { general.ui()->CmdGuardar->click(); }));
    }
    const int stored =
        db.scalar(QStringLiteral("select count(*) from KxMensajes_personales")).toInt();
    if (!fatal.failures.isEmpty() || stored != employees * rounds) {
        std::fprintf(stderr, "failed: %d rows stored, %lld failures\n", stored,
                     qlonglong(fatal.failures.size()));
        return 1;
    }
    std::printf("%d employees, %d locations, %d rounds (ms)            median   slowest\n",
                employees, locations, rounds);
    printRow("open the creation screen (employee grid)", open);
    printRow("send one message to every employee", send);
    printRow("choose an employee (his messages)", list);
    printRow("save a message for every location", save);
    return 0;
}
