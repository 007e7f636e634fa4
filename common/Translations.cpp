#include "Translations.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool LoadSpanishTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                          folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

namespace {

// Every calendar, those of date pickers included, starts its weeks on Monday.
class MondayFirst : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish)
            if (auto* calendar = qobject_cast<QCalendarWidget*>(watched))
                calendar->setFirstDayOfWeek(Qt::Monday);
        return false;
    }
};

} // namespace

void UseSpanishLocale(QCoreApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
    app.installEventFilter(new MondayFirst(&app));
}
