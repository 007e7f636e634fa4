#pragma once
// Qt's own texts (the standard buttons "Sí", "No", "Aceptar", "Cancelar"; the context menus of
// text boxes) in Spanish, from the system's Qt translations.

class QCoreApplication;

// Installs Qt's Spanish translations into the application; false when they are not installed
// (the Debian package qt6-translations-l10n).
bool LoadSpanishTranslations(QCoreApplication& app);

// Dates, month and day names in Spanish (Mexico) wherever a program formats them with the
// default locale: calendars, date pickers, report titles. Calendars still start their weeks on
// Monday, as the schedules and the week numbers of the system do.
void UseSpanishLocale(QCoreApplication& app);
