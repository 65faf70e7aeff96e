#include "reportengine/ReportViewer.h"

#include "reportengine/PagePainter.h"
#include "reportengine/PrintService.h"
#include "reportengine/Report.h"

#include "src/ui/Guard.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace reportengine {

namespace {

const QStringList kZooms{"Fit width", "Fit page", "50%", "75%", "100%", "125%", "150%", "200%"};

} // namespace

ReportViewer::ReportViewer(QWidget* parent)
    : QWidget(parent)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName("tlbViewer");
    auto action = [this](const QString& name, const QString& text, QStyle::StandardPixmap icon) {
        QAction* a = m_toolBar->addAction(style()->standardIcon(icon), text);
        a->setObjectName(name);
        a->setToolTip(text);
        return a;
    };
    m_first = action("actFirstPage", "First page", QStyle::SP_MediaSkipBackward);
    m_previous = action("actPreviousPage", "Previous page", QStyle::SP_MediaSeekBackward);
    m_pageNumber = new QSpinBox(this);
    m_pageNumber->setObjectName("spnPage");
    m_pageNumber->setRange(1, 1);
    m_pageNumber->setKeyboardTracking(false);
    m_toolBar->addWidget(m_pageNumber);
    m_pageCount = new QLabel(" of 1 ", this);
    m_pageCount->setObjectName("lblPageCount");
    m_toolBar->addWidget(m_pageCount);
    m_next = action("actNextPage", "Next page", QStyle::SP_MediaSeekForward);
    m_last = action("actLastPage", "Last page", QStyle::SP_MediaSkipForward);
    m_toolBar->addSeparator();
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName("cmbZoom");
    m_zoom->addItems(kZooms);
    m_toolBar->addWidget(m_zoom);
    m_toolBar->addSeparator();
    m_print = action("actPrint", "Print", QStyle::SP_DialogSaveButton);
    m_export = action("actExportPdf", "Export to PDF", QStyle::SP_DriveFDIcon);
    m_export->setText("Export to PDF");
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_refresh = action("actRefresh", "Refresh", QStyle::SP_BrowserReload);
    layout->addWidget(m_toolBar);

    m_splitter = new QSplitter(this);
    m_groupTree = new QTreeWidget(m_splitter);
    m_groupTree->setObjectName("treGroups");
    m_groupTree->setHeaderHidden(true);
    m_preview = new QPrintPreviewWidget(m_printer.get(), m_splitter);
    m_preview->setObjectName("preview");
    m_splitter->addWidget(m_groupTree);
    m_splitter->addWidget(m_preview);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({160, 800});
    m_groupTree->hide();
    layout->addWidget(m_splitter, 1);

    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { PagePainter::print(m_model, *printer); });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, [this] { updateNavigation(); });
    connect(m_first, &QAction::triggered, this, [this] { firstPage(); });
    connect(m_previous, &QAction::triggered, this, [this] { previousPage(); });
    connect(m_next, &QAction::triggered, this, [this] { nextPage(); });
    connect(m_last, &QAction::triggered, this, [this] { lastPage(); });
    connect(m_pageNumber, &QSpinBox::valueChanged, this, [this](int page) { goToPage(page); });
    connect(m_zoom, &QComboBox::textActivated, this, [this](const QString& z) { setZoom(z); });
    connect(m_print, &QAction::triggered, this, [this] { ui::guard([this] { printReport(); }); });
    connect(m_export, &QAction::triggered, this, [this] { ui::guard([this] { exportToPdf(); }); });
    connect(m_refresh, &QAction::triggered, this, [this] { ui::guard([this] { refresh(); }); });
    connect(m_groupTree, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { goToPage(item->data(0, Qt::UserRole).toInt() + 1); });
    connect(m_groupTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { goToPage(item->data(0, Qt::UserRole).toInt() + 1); });
    m_preview->fitToWidth();
    updateNavigation();
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::setReportSource(std::shared_ptr<Report> report) {
    m_report = std::move(report);
}

void ReportViewer::viewReport() {
    m_model = m_report ? m_report->render() : PageModel{};
    showModel();
}

void ReportViewer::refresh() {
    if (m_enableRefresh)
        viewReport();
}

void ReportViewer::showModel() {
    PagePainter::preparePrinter(*m_printer, m_model);
    m_groupTree->clear();
    QList<QTreeWidgetItem*> parents;
    for (const OutlineEntry& entry : m_model.outline) {
        while (parents.size() > entry.level)
            parents.removeLast();
        auto* item = parents.isEmpty() ? new QTreeWidgetItem(m_groupTree)
                                       : new QTreeWidgetItem(parents.last());
        item->setText(0, entry.text.isEmpty() ? "(none)" : entry.text);
        item->setData(0, Qt::UserRole, entry.page);
        parents << item;
    }
    m_groupTree->expandAll();
    m_groupTree->setVisible(m_displayGroupTree && !m_model.outline.isEmpty());
    m_preview->updatePreview();
    m_preview->setCurrentPage(1);
    updateNavigation();
}

void ReportViewer::setDisplayGroupTree(bool on) {
    m_displayGroupTree = on;
    m_groupTree->setVisible(on && !m_model.outline.isEmpty());
}

void ReportViewer::setEnableRefreshButton(bool on) {
    m_enableRefresh = on;
    m_refresh->setVisible(on);
    m_refresh->setEnabled(on);
}

int ReportViewer::currentPage() const {
    return m_model.pageCount() == 0 ? 0 : m_preview->currentPage();
}

void ReportViewer::goToPage(int page) {
    if (m_model.pageCount() == 0)
        return;
    m_preview->setCurrentPage(qBound(1, page, m_model.pageCount()));
    updateNavigation();
}

void ReportViewer::updateNavigation() {
    const int count = m_model.pageCount();
    const int page = currentPage();
    m_first->setEnabled(page > 1);
    m_previous->setEnabled(page > 1);
    m_next->setEnabled(page < count);
    m_last->setEnabled(page < count);
    m_print->setEnabled(count > 0);
    m_export->setEnabled(count > 0);
    const QSignalBlocker blocker(m_pageNumber);
    m_pageNumber->setRange(count > 0 ? 1 : 0, qMax(1, count));
    m_pageNumber->setValue(page);
    m_pageCount->setText(" of " + QString::number(count) + " ");
}

void ReportViewer::setZoom(const QString& zoom) {
    const QString z = zoom.trimmed();
    if (z.compare("Fit width", Qt::CaseInsensitive) == 0) {
        m_preview->fitToWidth();
    } else if (z.compare("Fit page", Qt::CaseInsensitive) == 0) {
        m_preview->fitInView();
    } else {
        bool ok = false;
        const double percent = QString(z).remove('%').trimmed().toDouble(&ok);
        if (!ok || percent <= 0)
            return;
        m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        // The preview's factor 1 shows the page at the printer's resolution on
        // screen pixels; a percentage means the paper's own size.
        m_preview->setZoomFactor(percent / 100.0 * logicalDpiX() / m_printer->resolution());
    }
    const QSignalBlocker blocker(m_zoom);
    const int index = m_zoom->findText(z, Qt::MatchFixedString);
    if (index >= 0)
        m_zoom->setCurrentIndex(index);
}

QString ReportViewer::zoom() const {
    switch (m_preview->zoomMode()) {
    case QPrintPreviewWidget::FitToWidth:
        return "Fit width";
    case QPrintPreviewWidget::FitInView:
        return "Fit page";
    case QPrintPreviewWidget::CustomZoom:
        break;
    }
    const double percent = m_preview->zoomFactor() * m_printer->resolution() / logicalDpiX() * 100;
    return QString::number(qRound(percent)) + "%";
}

qreal ReportViewer::zoomFactor() const {
    return m_preview->zoomFactor();
}

bool ReportViewer::printReport() {
    if (m_model.pageCount() == 0)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    PagePainter::preparePrinter(printer, m_model);
    PrintService& service = PrintService::current();
    if (!service.choosePrinter(printer, m_model.pageCount(), this))
        return false;
    int from = 0;
    int to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    PagePainter::print(m_model, printer, from, to);
    return true;
}

bool ReportViewer::exportToPdf() {
    if (m_model.pageCount() == 0)
        return false;
    QString suggested = m_report ? QFileInfo(m_report->fileName()).completeBaseName() : "report";
    const QString path = PrintService::current().choosePdfFile(suggested + ".pdf", this);
    if (path.isEmpty())
        return false;
    PagePainter::writePdf(m_model, path);
    return true;
}

} // namespace reportengine
