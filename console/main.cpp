// Tasquelo: the administration console.

#include "ConsoleContext.h"
#include "ConsoleScreens.h"
#include "FrmMain.h"
#include "SingleInstance.h"
#include "Translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tasquelo"));
    LoadSpanishTranslations(app);
    UseSpanishLocale(app);

    SingleInstance guard;
    if (!checkSingleInstance(guard))
        return 1;

    ConsoleContext context;
    context.programFolder = QApplication::applicationDirPath();

    FrmMain main(context);
    registerScreens(main);
    if (!main.Form_Load())
        return 1;
    main.showMaximized();
    return app.exec();
}
