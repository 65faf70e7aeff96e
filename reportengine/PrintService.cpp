#include "reportengine/PrintService.h"

#include "src/ui/MsgBox.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace reportengine {

namespace {

PrintService*& installed() {
    static PrintService* service = nullptr;
    return service;
}

} // namespace

QString noPrinterMessage() {
    return "No printer is installed on this workstation, so the report was not printed. "
           "Please install a printer or ask Technical Support.";
}

bool PrintService::choosePrinter(QPrinter& printer, int pageCount, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, qMax(1, pageCount));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

bool PrintService::useDefaultPrinter(QPrinter& printer) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (all.isEmpty())
            return false;
        printer.setPrinterName(all.first().printerName());
        return true;
    }
    printer.setPrinterName(info.printerName());
    return true;
}

QString PrintService::choosePdfFile(const QString& suggestedName, QWidget* parent) {
    return QFileDialog::getSaveFileName(parent, "Export to PDF", suggestedName, "PDF files (*.pdf)",
                                        nullptr, QFileDialog::DontUseNativeDialog);
}

void PrintService::reportNoPrinter(QWidget* /*parent*/) {
    ui::MsgBox(noPrinterMessage(), ui::vbExclamation);
}

PrintService& PrintService::current() {
    static PrintService standard;
    return installed() ? *installed() : standard;
}

void PrintService::install(PrintService* service) {
    installed() = service;
}

} // namespace reportengine
