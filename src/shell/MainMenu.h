#pragma once

#include <QList>
#include <QString>

namespace shell {

// One entry of the main window's menu bar, as designed: its caption and
// shortcut, the command it runs, and its design-time state.
struct MenuItem {
    QString caption;
    QString shortcut;
    QString command;          // empty: no action attached
    int reportType = 0;       // for "report": the type given to the report window
    QString patientType;      // for "report": the patient type, where one is given
    bool passCaption = false; // for "report": the window takes the entry's caption
    bool hidden = false;
    bool disabled = false;
    bool separator = false;
    QList<MenuItem> children;
};

// The menu bar, menu by menu, in menu order.
const QList<MenuItem>& mainMenu();

} // namespace shell
