#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace reportengine {

// The choices the user makes when a report goes to paper or to a file: the
// print dialog, the default printer and the name of an exported PDF. Tests
// install their own so that nothing waits for a person or a real printer.
class PrintService {
public:
    virtual ~PrintService() = default;

    // Lets the user choose the printer, the pages and the copies; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer, int pageCount, QWidget* parent);
    // Points the printer at the workstation's default printer; false when there is none.
    virtual bool useDefaultPrinter(QPrinter& printer);
    // The PDF file to export to; "" when cancelled.
    virtual QString choosePdfFile(const QString& suggestedName, QWidget* parent);
    // Tells the user that nothing could be printed.
    virtual void reportNoPrinter(QWidget* parent);

    // The service in use; the standard one unless a test installed its own.
    static PrintService& current();
    // Installs a service (not owned); nullptr puts the standard one back.
    static void install(PrintService* service);
};

// The message shown when a report is to be printed and the workstation has no printer.
QString noPrinterMessage();

} // namespace reportengine
