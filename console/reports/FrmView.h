#pragma once
// The report viewer window: opens the layout the catalogue names, selects its records with the
// layout's own formula (the catalogue's only when the layout has none), titles it, and shows
// its pages at 100 % in a preview that fills the window, with navigation, zoom, printing and
// export to PDF and CSV. A layout that is missing or not valid is reported in an error box
// that names the file and the problem; the window then shows no pages.

#include "ConsoleContext.h"

#include <QDialog>

class ReportViewer;

namespace Ui {
class FrmView;
}

class FrmView : public QDialog
{
    Q_OBJECT
public:
    FrmView(ConsoleContext& context, const QString& layoutPath, const QString& formula,
            const QString& title, QWidget* parent = nullptr);
    ~FrmView() override;

    Ui::FrmView* ui() const { return ui_; }
    ReportViewer* viewer() const;

    // False when the report could not be opened (the error box has been shown).
    bool hasReport() const { return opened_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();

    ConsoleContext& context_;
    Ui::FrmView* ui_;
    QString layoutPath_;
    QString formula_;
    QString title_;
    bool opened_ = false;
};
