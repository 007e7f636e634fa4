#pragma once
// The console's main window: the menu bar from which every administration screen opens, the
// client area that holds the child screens, the skins, the about box and the exit question.

#include "ConsoleContext.h"
#include "ScreenRegistry.h"

#include <functional>
#include <QMainWindow>

class QAction;
class QMdiArea;

namespace Ui {
class FrmMain;
}

class FrmMain : public QMainWindow
{
    Q_OBJECT
public:
    // The caption text the console carries after its title.
    static QString versionText();
    static QString caption();

    explicit FrmMain(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmMain() override;

    // Start-up after the single-instance guard: skin, caption, connection and login, data source,
    // version check. Returns false when the console must end.
    bool Form_Load();

    // Connects a menu item (its control name) to the screen it opens and enables the item.
    using Factory = std::function<QWidget*(FrmMain& main, QWidget* parent)>;
    void registerScreen(const QString& item, ScreenKind kind, Factory make);

    // Opens the item's screen as if it were chosen; returns the screen.
    QWidget* openScreen(const QString& item);
    QAction* menuItem(const QString& item) const;
    QMdiArea* clientArea() const;
    ScreenRegistry& screens() { return *screens_; }

    // 0 = the fingerprint verifier item, 1 = the enrollment item; other values do nothing.
    void MnuDisable(int item);
    void MnuEnable(int item);
    void MnuEnableAll();

    // Loads a skin file from the program's folder and applies it at once; a missing file ends
    // the console. Screens opened afterwards take the same skin.
    bool ChangeSkin(const QString& fileName);

    ConsoleContext& context() { return context_; }
    Ui::FrmMain* ui() const { return ui_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool Login();
    void CmdAzul_Click();
    void CmdModerna_Click();
    void cmdazu_Click();
    void CmdGris_Click();
    void cmdLinux_Click();
    void CmdExit_Click();
    QAction* fingerprintItem(int item) const;

    ConsoleContext& context_;
    Ui::FrmMain* ui_;
    ScreenRegistry* screens_;
};
