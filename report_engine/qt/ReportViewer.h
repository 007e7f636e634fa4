#pragma once
// The report preview: one page at a time on a grey desk, with page navigation, zoom, printing
// and export to PDF and CSV. 100 % shows the page at its real size on the screen.

#include "Document.h"

#include <functional>
#include <memory>
#include <QWidget>

class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;

class ReportViewer : public QWidget
{
    Q_OBJECT
public:
    explicit ReportViewer(QWidget* parent = nullptr);
    ~ReportViewer() override;

    void setDocument(std::shared_ptr<const report::Document> doc);
    const report::Document* document() const { return doc_.get(); }

    // Shown on the desk instead of pages (for a report that could not be opened).
    void setMessage(const QString& text);
    QString message() const;

    int pageCount() const;
    int currentPage() const { return page_; } // from 0
    void showPage(int page);

    int zoom() const { return zoom_; } // percent
    void setZoom(int percent);

    void printReport();
    void exportPdf();
    void exportCsv();

    // Asks where to save an export (empty: cancelled). Tests replace it.
    std::function<QString(const QString& caption, const QString& filter)> chooseFile;
    // Asks for the printer and its settings (false: cancelled). Tests replace it.
    std::function<bool(QPrinter& printer)> choosePrinter;

    QSize pageSizeOnScreen() const;

signals:
    // The page has been painted on the screen (its number, from 0).
    void pageShown(int page);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class PageView;

    void updateControls();

    std::shared_ptr<const report::Document> doc_;
    int page_ = 0;
    int zoom_ = 100;
    QToolButton* first_;
    QToolButton* previous_;
    QToolButton* next_;
    QToolButton* last_;
    QSpinBox* pageBox_;
    QLabel* pagesLabel_;
    QComboBox* zoomBox_;
    QToolButton* print_;
    QToolButton* pdf_;
    QToolButton* csv_;
    QScrollArea* desk_;
    PageView* view_;
    QLabel* messageLabel_;
};
