#pragma once

#include <QString>

#include <functional>

namespace shell {

class frmMain;
struct MenuItem;

// What a menu command or toolbar control opens. The parts that build a
// screen register its route; a command without one says so on the status bar.
using Route = std::function<void(frmMain& main, const MenuItem& item)>;

void registerRoute(const QString& command, Route route);
const Route* findRoute(const QString& command);

// The section password, then the right "A": true when both pass; otherwise
// the user has been told why.
bool passwordAndRightsCheck(QWidget* parent);

} // namespace shell
