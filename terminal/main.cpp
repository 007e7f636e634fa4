// Velandro: the clock terminal of a location.

#include "AppContext.h"
#include "FrmClock.h"
#include "SingleInstance.h"
#include "Translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velandro"));
    LoadSpanishTranslations(app);
    UseSpanishLocale(app);

    SingleInstance guard;
    if (!checkSingleInstance(guard))
        return 1;

    AppContext context;
    context.programFolder = QApplication::applicationDirPath();
    context.skin.loadSkin(QStringLiteral("Msn2008.skn"));

    FrmClock clock(context);
    if (!clock.Form_Load())
        return 1;
    clock.show();
    return app.exec();
}
