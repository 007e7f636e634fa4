#include "FingerprintScreens.h"

#include "FrmFng.h"
#include "FrmMain.h"
#include "FrmVrf.h"

namespace {

// MnuDisable/MnuEnable's numbers of the two items.
constexpr int kVerifierItem = 0;
constexpr int kEnrollmentItem = 1;

// While `screen` holds the reader, the other screen's item stays disabled.
template <typename Screen> Screen* holdReader(FrmMain& main, Screen* screen, int otherItem)
{
    main.MnuDisable(otherItem);
    QObject::connect(screen, &Screen::readerReleased, &main,
                     [&main, otherItem] { main.MnuEnable(otherItem); });
    return screen;
}

} // namespace

void registerFingerprintScreens(FrmMain& main, ConsoleReader::Factory makeReader)
{
    main.registerScreen(
        QStringLiteral("CmdFng"), ScreenKind::Child, [makeReader](FrmMain& m, QWidget* parent) {
            return holdReader(m, new FrmFng(m.context(), makeReader(), parent), kVerifierItem);
        });
    main.registerScreen(
        QStringLiteral("CmdVer"), ScreenKind::Child, [makeReader](FrmMain& m, QWidget* parent) {
            return holdReader(m, new FrmVrf(m.context(), makeReader(), parent), kEnrollmentItem);
        });
}
