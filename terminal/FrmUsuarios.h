#pragma once
// The name search window of the terminal: typing part of a name lists the matching users;
// choosing one selects him on the main screen and closes the window.

#include <QTimer>
#include <QWidget>

class Db;

namespace Ui {
class FrmUsuarios;
}

class FrmUsuarios : public QWidget
{
    Q_OBJECT
public:
    explicit FrmUsuarios(Db& db, QWidget* parent = nullptr);
    ~FrmUsuarios() override;

    // Lists the users whose name contains `Criteria`: at most 12 when it is shorter than six
    // characters, every match otherwise.
    void FindRow(const QString& Criteria);

    Ui::FrmUsuarios* ui() const { return ui_; }
    QTimer& tmInicio() { return tmInicio_; }

signals:
    // The user number of the chosen row, as the grid shows it.
    void userChosen(const QString& number);

private:
    void Form_Load();
    void TxtNombre_Change(const QString& text);
    void iGrid1_RowSelected(int row);
    void tmInicio_Timer();

    Db& db_;
    Ui::FrmUsuarios* ui_;
    QTimer tmInicio_;
    bool chosen_ = false;
};
