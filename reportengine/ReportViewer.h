#pragma once

#include "reportengine/PageModel.h"

#include <QWidget>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QSpinBox;
class QSplitter;
class QToolBar;
class QTreeWidget;

namespace reportengine {

class Report;

// Shows a report as it will print: a page preview with first, previous, next
// and last page, the page number, zoom (fit width, fit page, percentages),
// print with the print dialog and "Export to PDF".
//
// Two display options can be turned off:
// - the group tree, a list of the report's groups beside the pages that
//   leads to the page each group starts on;
// - the refresh button, which reads the report's rows from the database
//   again. A viewer that must keep showing what it was given (while the rows
//   it came from are replaced by the next print) turns it off.
class ReportViewer : public QWidget {
    Q_OBJECT

public:
    explicit ReportViewer(QWidget* parent = nullptr);
    ~ReportViewer() override;

    // The report shown; the viewer keeps its own reference to it.
    void setReportSource(std::shared_ptr<Report> report);
    const std::shared_ptr<Report>& reportSource() const { return m_report; }
    // Renders the report (its queries run now) and shows its first page.
    void viewReport();

    void setDisplayGroupTree(bool on);
    bool displayGroupTree() const { return m_displayGroupTree; }
    void setEnableRefreshButton(bool on);
    bool enableRefreshButton() const { return m_enableRefresh; }

    const PageModel& pageModel() const { return m_model; }
    int pageCount() const { return m_model.pageCount(); }
    // From 1.
    int currentPage() const;
    void goToPage(int page);
    void firstPage() { goToPage(1); }
    void previousPage() { goToPage(currentPage() - 1); }
    void nextPage() { goToPage(currentPage() + 1); }
    void lastPage() { goToPage(pageCount()); }

    // "Fit width", "Fit page" or a percentage such as "75%".
    void setZoom(const QString& zoom);
    QString zoom() const;
    qreal zoomFactor() const;

    // Through the print service: false when cancelled.
    bool printReport();
    bool exportToPdf();
    void refresh();

private:
    void showModel();
    void updateNavigation();

    std::shared_ptr<Report> m_report;
    PageModel m_model;
    bool m_displayGroupTree = true;
    bool m_enableRefresh = true;

    std::unique_ptr<QPrinter> m_printer;
    QToolBar* m_toolBar = nullptr;
    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
    QAction* m_print = nullptr;
    QAction* m_export = nullptr;
    QAction* m_refresh = nullptr;
    QSpinBox* m_pageNumber = nullptr;
    QLabel* m_pageCount = nullptr;
    QComboBox* m_zoom = nullptr;
    QSplitter* m_splitter = nullptr;
    QTreeWidget* m_groupTree = nullptr;
    QPrintPreviewWidget* m_preview = nullptr;
};

} // namespace reportengine
