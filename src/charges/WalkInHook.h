#pragma once

#include <QString>

#include <functional>

namespace charges {

// Gives the pickers (controls::openWalkIn) their way to the walk-in
// registration: frmWalkIn run modally, with FromAssessment as the caller
// asks; a registration made for the assessment hands its number to the
// assessment's receiver below. The program calls it once at start-up.
void installWalkInOpener();

// A registration made for the assessment (FromAssessment set) hands its new
// walk-in number to the assessment window through this receiver. The
// assessment window sets it while it is open and clears it (an empty
// function) when it closes; without a receiver the number goes nowhere.
using WalkInNumberReceiver = std::function<void(const QString& walkInNumber)>;
void setAssessmentWalkInReceiver(WalkInNumberReceiver receiver);

// Hands the number to the receiver, if one is set.
void deliverWalkInNumberToAssessment(const QString& walkInNumber);

} // namespace charges
