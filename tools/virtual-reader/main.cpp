// virtual-reader [--socket PATH] [--right | --right-half top|bottom] [FOLDER]
// Lists the PNG fingerprint images of FOLDER (default: "fingerprints" next to
// the program) and places the clicked one on libfprint's virtual image
// reader, whose socket is PATH or the one named by FP_VIRTUAL_IMAGE.

#include "VirtualReaderWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QScreen>
#include <QTextStream>

namespace {

// Room left for the window manager's frame and title bar around the column.
constexpr int kColumnWidth = 380;
constexpr int kFrameAllowance = 4;
constexpr int kTitleAllowance = 32;

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("virtual-reader"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Places fingerprint images on libfprint's virtual image reader."));
    parser.addHelpOption();
    const QCommandLineOption socketOption(
        QStringLiteral("socket"),
        QStringLiteral("Socket of the virtual reader (default: $FP_VIRTUAL_IMAGE)."),
        QStringLiteral("PATH"));
    parser.addOption(socketOption);
    const QCommandLineOption rightOption(
        QStringLiteral("right"),
        QStringLiteral("Stand as a narrow column at the right edge of the screen, beside the "
                       "terminal."));
    parser.addOption(rightOption);
    const QCommandLineOption halfOption(
        QStringLiteral("right-half"),
        QStringLiteral("Stand in the top or bottom half of that column (a second reader shares "
                       "it)."),
        QStringLiteral("top|bottom"));
    parser.addOption(halfOption);
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Folder of PNG fingerprint images."));
    parser.process(app);

    QString socketPath = parser.value(socketOption);
    if (socketPath.isEmpty())
        socketPath = qEnvironmentVariable("FP_VIRTUAL_IMAGE");
    if (socketPath.isEmpty()) {
        QTextStream(stderr) << "virtual-reader: give --socket PATH or set FP_VIRTUAL_IMAGE\n";
        return 2;
    }
    const QStringList positional = parser.positionalArguments();
    const QString folder =
        positional.isEmpty()
            ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("fingerprints"))
            : positional.first();

    VirtualReaderWindow window(folder, socketPath);
    if (parser.isSet(rightOption) || parser.isSet(halfOption)) {
        const QRect area = window.screen()->availableGeometry();
        const int width = qMin(kColumnWidth, area.width() / 3);
        int top = area.top();
        int height = area.height();
        if (parser.isSet(halfOption)) {
            height /= 2;
            if (parser.value(halfOption) == QLatin1String("bottom"))
                top += height;
        }
        window.setGeometry(area.right() - width - kFrameAllowance, top + kTitleAllowance, width,
                           height - kTitleAllowance - kFrameAllowance);
    }
    window.show();
    return app.exec();
}
