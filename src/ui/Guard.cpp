#include "src/ui/Guard.h"

#include "src/ui/MsgBox.h"

#include <QApplication>

namespace ui {

QString describeCurrentError() {
    try {
        throw;
    } catch (const std::exception& e) {
        // Database, server and component errors carry their description as what().
        return QString::fromStdString(e.what());
    } catch (...) {
        return "An unexpected error occurred.";
    }
}

bool guard(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        const QString description = describeCurrentError();
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        MsgBox(description, vbCritical);
        return false;
    }
}

} // namespace ui
