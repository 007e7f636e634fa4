#include "CompanyGenerator.h"

#include "Db.h"

#include <algorithm>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTime>

namespace testing {

namespace {

constexpr int kRowsPerInsert = 400;

// Adds rows with multi-row inserts.
class Inserter
{
public:
    Inserter(Db& db, const QString& table, const QStringList& columns)
        : db_(db)
        , table_(table)
        , columns_(columns)
    {
    }
    ~Inserter() { flush(); }

    void add(const QVariantList& values)
    {
        params_ += values;
        if (++rows_ == kRowsPerInsert)
            flush();
    }

    void flush()
    {
        if (rows_ == 0)
            return;
        const QString row = QLatin1Char('(') + QStringLiteral("?,").repeated(columns_.size() - 1) +
                            QStringLiteral("?)");
        QStringList rows;
        for (int i = 0; i < rows_; ++i)
            rows << row;
        db_.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                     .arg(table_, columns_.join(QLatin1Char(',')), rows.join(QLatin1Char(','))),
                 params_);
        params_.clear();
        rows_ = 0;
    }

private:
    Db& db_;
    QString table_;
    QStringList columns_;
    QVariantList params_;
    int rows_ = 0;
};

class Generator
{
public:
    Generator(Db& db, const CompanyShape& shape)
        : db_(db)
        , shape_(shape)
        , random_(shape.seed)
    {
    }

    Company run()
    {
        addPlaces();
        addSchedules();
        addEmployees();
        addEvents();
        addPermissions();
        addHolidays();
        Company company;
        company.users = employees_;
        std::shuffle(company.users.begin(), company.users.end(), random_);
        // A deleted employee's leftovers: events and an assignment, but no KxUsuario row.
        company.users.insert(company.users.size() / 2, deletedUser_);
        return company;
    }

private:
    int between(int low, int high) { return int(random_.bounded(low, high + 1)); }
    bool chance(int percent) { return int(random_.bounded(100)) < percent; }

    QVariant time(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }
    QVariant nullTime() { return QVariant(QMetaType::fromType<QByteArray>()); }

    void addPlaces()
    {
        for (const char* name : {"VENTAS", "ALMACÉN", "DIRECCIÓN", "LOGÍSTICA"})
            departments_ << int(db_.insertRow(QStringLiteral("Kxdepart"),
                                              {{"Nombre_departamento", QString(name)}}));
        for (const char* name : {"MATRIZ LEÓN", "SUCURSAL IRAPUATO", "SUCURSAL CELAYA"})
            locations_ << int(db_.insertRow(QStringLiteral("KxSucursales"),
                                            {{"Nombre_sucursal", QString(name)}}));
    }

    void addSchedules()
    {
        for (int s = 0; s < 10; ++s) {
            SqlValues values{{"Nombre_horario", QStringLiteral("HORARIO %1").arg(s)},
                             {"tolerancia_retardo", between(0, 15)},
                             {"checa_antes", between(0, 30)}};
            for (int slot = 1; slot <= 7; ++slot) {
                const QString n = QString::number(slot);
                if (chance(15)) {
                    values << qMakePair("ENTRADA" + n, nullTime());
                    continue;
                }
                const QTime entrada =
                    QTime(6, 0).addSecs(between(0, 240) * 60 + (chance(20) ? 30 : 0));
                // Now and then a slot that ends after midnight.
                const QTime salida = entrada.addSecs(chance(3) ? 19 * 3600 : between(7, 10) * 3600);
                values << qMakePair("ENTRADA" + n, time(entrada))
                       << qMakePair("SALIDA" + n, time(salida));
                if (chance(60)) {
                    const QTime sbreak = entrada.addSecs(between(3, 5) * 3600);
                    values << qMakePair("SALIDA_BREAK" + n, time(sbreak))
                           << qMakePair("REGRESO_BREAK" + n,
                                        time(sbreak.addSecs(between(30, 60) * 60)));
                }
            }
            schedules_ << int(db_.insertRow(QStringLiteral("KxHorario"), values));
        }
    }

    int anySchedule() { return schedules_[between(0, int(schedules_.size()) - 1)]; }

    void addEmployees()
    {
        Inserter assignments(db_, QStringLiteral("Kxhorario_personal"),
                             {"usuario", "horario", "orden", "activo"});
        for (int e = 0; e < shape_.employees; ++e) {
            const bool rotating = chance(30);
            const int user = int(db_.insertRow(
                QStringLiteral("KxUsuario"),
                {{"Nombre", QStringLiteral("EMPLEADO %1 PEÑA").arg(e)},
                 {"departamento", chance(90) ? QVariant(departments_[e % departments_.size()])
                                             : QVariant(QMetaType::fromType<int>())},
                 {"Horario_rotativo", rotating ? between(1, 2) : 0}}));
            employees_ << user;
            if (!rotating) {
                if (chance(92))
                    assignments.add({user, anySchedule(), 0, 1});
                else if (chance(50))
                    assignments.add({user, 99999, 0, 1}); // a schedule that no longer exists
            } else {
                for (int order : {1, 2})
                    if (chance(90))
                        assignments.add({user, anySchedule(), order, 1});
                if (chance(20))
                    assignments.add({user, anySchedule(), 0, 1});
                if (chance(10))
                    assignments.add({user, anySchedule(), 3, 1});
            }
        }
        deletedUser_ = employees_.last() + 1000;
        assignments.add({deletedUser_, anySchedule(), 0, 1});
    }

    QVariant mark(const std::optional<QDateTime>& moment)
    {
        if (!moment)
            return QVariant(QMetaType::fromType<QByteArray>());
        return moment->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }

    void addEvent(Inserter& events, int user, const QDate& day)
    {
        // Which marks: mostly complete days, then every other shape.
        int mask; // 1 arrival, 2 meal out, 4 meal back, 8 exit
        const int pick = between(0, 99);
        if (pick < 40)
            mask = 15;
        else if (pick < 65)
            mask = 9;
        else if (pick < 73)
            mask = 1;
        else if (pick < 78)
            mask = 3;
        else if (pick < 83)
            mask = 7;
        else if (pick < 87)
            mask = 11;
        else
            mask = between(0, 15);
        // Mostly on the event's day; sometimes a manual event with marks on another date.
        const QDate markDay = chance(2) ? day.addDays(between(-1, 1)) : day;
        const QDateTime arrival(markDay, QTime(6, 0).addSecs(between(0, 5 * 3600)), Qt::UTC);
        const QDateTime out = arrival.addSecs(between(3, 5) * 3600 + between(0, 59) * 60);
        const QDateTime back = out.addSecs(between(20, 80) * 60 + between(0, 59));
        QDateTime exit = arrival.addSecs(between(6 * 60, 11 * 60) * 60 + between(0, 59));
        if (chance(3))
            exit = arrival.addSecs(-between(1, 120) * 60); // an exit before the arrival
        auto when = [&](int bit, const QDateTime& moment) {
            return mask & bit ? std::optional<QDateTime>(moment) : std::nullopt;
        };
        events.add({user, day, mark(when(1, arrival)), mark(when(2, out)), mark(when(4, back)),
                    mark(when(8, exit)), 1, locations_[between(0, int(locations_.size()) - 1)]});
    }

    void addEvents()
    {
        Inserter events(db_, QStringLiteral("KxEvento"),
                        {"usuario", "fecha", "entrada", "salida_break", "regreso_break", "salida",
                         "tipo", "sucursal_entra"});
        QList<int> everybody = employees_;
        everybody << deletedUser_;
        for (int user : everybody)
            for (QDate day = shape_.from.addDays(-2); day <= shape_.to.addDays(2);
                 day = day.addDays(1)) {
                if (!chance(78))
                    continue;
                addEvent(events, user, day);
                if (chance(10))
                    addEvent(events, user, day);
            }
    }

    void addPermissions()
    {
        Inserter permissions(db_, QStringLiteral("permisos"),
                             {"usuario", "Fecha_inicio", "Fecha_fin", "Motivo", "tipo"});
        const int days = int(shape_.from.daysTo(shape_.to));
        for (int user : employees_) {
            if (!chance(40))
                continue;
            // Up to two permissions that never share a day.
            QDate start = shape_.from.addDays(between(-3, days / 2));
            const int count = between(1, 2);
            for (int p = 0; p < count; ++p) {
                const QDate end = start.addDays(between(0, 5));
                permissions.add({user, start, end, QStringLiteral("MOTIVO ÑOÑO"), between(1, 8)});
                start = end.addDays(between(1, 6));
            }
        }
    }

    void addHolidays()
    {
        const int days = int(shape_.from.daysTo(shape_.to));
        Inserter holidays(db_, QStringLiteral("Dias_inhabiles"), {"Fecha", "Nombre_dia"});
        const QDate twice = shape_.from.addDays(between(0, days));
        holidays.add({twice, QStringLiteral("DÍA FESTIVO")});
        holidays.add({twice, QStringLiteral("DÍA FESTIVO REPETIDO")});
        holidays.add({shape_.from.addDays(between(0, days)), QStringLiteral("ASUETO")});
        holidays.add({shape_.to.addDays(3), QStringLiteral("FUERA DEL PERIODO")});
    }

    Db& db_;
    const CompanyShape shape_;
    QRandomGenerator random_;
    QList<int> departments_, locations_, schedules_, employees_;
    int deletedUser_ = 0;
};

} // namespace

Company GenerateCompany(Db& db, const CompanyShape& shape)
{
    return Generator(db, shape).run();
}

} // namespace testing
