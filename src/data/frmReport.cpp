#include "src/data/frmReport.h"

#include "reportengine/ReportViewer.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QVBoxLayout>

namespace data {

frmReport::frmReport(QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmReport");
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_viewer = new reportengine::ReportViewer(this);
    m_viewer->setObjectName("rptViewer");
    layout->addWidget(m_viewer);
}

QRect frmReport::clientArea() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != "frmMain" || !top->isVisible())
            continue;
        QWidget* client = top;
        if (auto* main = qobject_cast<QMainWindow*>(top); main && main->centralWidget())
            client = main->centralWidget();
        return QRect(client->mapToGlobal(QPoint(0, 0)), client->size());
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

void frmReport::showEvent(QShowEvent* event) {
    if (!m_placed) {
        m_placed = true;
        setGeometry(clientArea());
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    QDialog::showEvent(event);
}

} // namespace data
