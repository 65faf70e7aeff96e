#pragma once

#include <QDialog>

namespace reportengine {
class ReportViewer;
}

namespace data {

// The report window: the report viewer and nothing else. It opens over the
// main window's client area, maximised, and the viewer fills it.
class frmReport : public QDialog {
    Q_OBJECT

public:
    explicit frmReport(QWidget* parent = nullptr);

    reportengine::ReportViewer* viewer() const { return m_viewer; }

    // Where the window goes when it opens: the main window's client area in
    // screen coordinates, or the screen's available area without a main window.
    static QRect clientArea();

protected:
    void showEvent(QShowEvent* event) override;

private:
    reportengine::ReportViewer* m_viewer = nullptr;
    bool m_placed = false;
};

} // namespace data
