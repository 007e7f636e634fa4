#pragma once
// The rules of permissions, leaves and sanctions as pure functions: the kinds and their texts,
// whether two periods share a day, the texts that describe a chosen period, and the check of
// the editing screen's fields.

#include <optional>
#include <QDate>
#include <QList>
#include <QString>

namespace PermissionRules {

// permisos.tipo codes, in the order the screens offer them.
inline constexpr int kLateArrival = 1;
inline constexpr int kEarlyLeave = 2;
inline constexpr int kAbsentWithoutPay = 3;
inline constexpr int kAbsentWithPay = 4;
inline constexpr int kVacation = 5;
inline constexpr int kSanction = 6;
inline constexpr int kSickLeave = 7;
inline constexpr int kKindCount = 7;

// The list's text of a kind; every code outside 1 to 6 reads "Incapacidad".
QString kindLabel(int tipo);

// The kind whose filter box governs a listed row, found by the row's text: "Incapacidad" (and any
// text that names no kind) belongs to the "Incapacidad" box.
int kindOfLabel(const QString& label);

// Both days included.
struct Period
{
    QDate start;
    QDate end;
};

// The number of calendar days of the period, weekends and holidays included (1 for one day).
int periodDays(const Period& period);

// True when the two periods share at least one day.
bool overlaps(const Period& a, const Period& b);

// A stored permission as the overlap check sees it.
struct StoredPeriod
{
    int permiso = 0;
    Period period;
};

// The first stored permission that shares a day with `wanted`, leaving out the permission being
// changed (`own`; 0 for a new one, which leaves nothing out).
std::optional<int> firstOverlap(const QList<StoredPeriod>& stored, const Period& wanted, int own);

// The longest period the calendar lets one pick.
inline constexpr int kMaxPeriodDays = 100;

// "Periodo del: <start>  Al: <end>", dates in the workstation's short format.
QString periodLabel(const Period& period);
// "Días del Periodo: <days>".
QString daysLabel(const Period& period);

// What the editing screen holds when saving.
struct Entry
{
    Period period;
    QString motivo;
    QString autoriza;
};

// The reason and the authoriser must be given (blanks alone do not count) and the first day
// must be a date.
bool complete(const Entry& entry);

// The screens' message texts and titles.
namespace Text {
inline const QString kOverlapTitle = QStringLiteral("Empalme de Eventos");
inline const QString kOverlap =
    QStringLiteral("Ya hay Eventos Activos en el Rango de Fechas Seleccionadas");
inline const QString kMissingTitle = QStringLiteral("Faltan Datos");
inline const QString kMissing =
    QStringLiteral("Debe especificar un Motivo y persona que autoriza la ausencia");
inline const QString kSavedTitle = QStringLiteral("Guardar Permiso");
inline const QString kSaved = QStringLiteral("Permiso Guardado Correctamente");
inline const QString kChanged = QStringLiteral("Permiso Modificado Correctamente");
inline const QString kGoneTitle = QStringLiteral("Permiso Inexistente");
inline const QString kGone =
    QStringLiteral("El Permiso ya no existe: otra estación lo eliminó. No se guardó ningún cambio");
inline const QString kDeleteTitle = QStringLiteral("Borrar Evento");
inline const QString kDeleteQuestion = QStringLiteral("¿Está seguro de Eliminar el Evento?");
inline const QString kDeletedTitle = QStringLiteral("Evento Borrado");
inline const QString kDeleted = QStringLiteral("Evento Eliminado Correctamente!!");
} // namespace Text

} // namespace PermissionRules
