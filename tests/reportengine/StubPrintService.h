#pragma once

#include "reportengine/PrintService.h"

#include <QPrinter>
#include <QStringList>

namespace testsupport {

// Stands in for the print dialog, the default printer and the file chooser:
// "printing" writes a PDF file, and every choice is recorded.
class StubPrintService final : public reportengine::PrintService {
public:
    StubPrintService() { install(this); }
    ~StubPrintService() override { install(nullptr); }
    StubPrintService(const StubPrintService&) = delete;
    StubPrintService& operator=(const StubPrintService&) = delete;

    bool choosePrinter(QPrinter& printer, int pageCount, QWidget*) override {
        calls << "dialog:" + QString::number(pageCount);
        if (!acceptDialog)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        return true;
    }
    bool useDefaultPrinter(QPrinter& printer) override {
        calls << "default";
        if (!hasPrinter)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        return true;
    }
    QString choosePdfFile(const QString& suggested, QWidget*) override {
        calls << "pdf:" + suggested;
        return outputFile;
    }
    void reportNoPrinter(QWidget* parent) override {
        calls << "no printer";
        if (showMessage)
            PrintService::reportNoPrinter(parent);
    }

    QString outputFile;
    bool acceptDialog = true;
    bool hasPrinter = true;
    bool showMessage = false;
    QStringList calls;
};

} // namespace testsupport
