#pragma once

#include <functional>

class QWidget;

namespace controls {

// The walk-in registration window lives with the charge windows, above this
// library; the pickers open it through this hook, which that library installs.
using WalkInOpener = std::function<void(QWidget* parent, bool fromAssessment)>;
void setWalkInOpener(WalkInOpener opener);

// Opens the registration modally; does nothing while no opener is installed.
void openWalkIn(QWidget* parent, bool fromAssessment);

} // namespace controls
