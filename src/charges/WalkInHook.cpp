#include "src/charges/WalkInHook.h"

#include "src/charges/frmWalkIn.h"
#include "src/controls/WalkInOpener.h"

namespace charges {

namespace {

WalkInNumberReceiver& assessmentReceiver() {
    static WalkInNumberReceiver receiver;
    return receiver;
}

} // namespace

void installWalkInOpener() {
    controls::setWalkInOpener([](QWidget* parent, bool fromAssessment) {
        frmWalkIn window(parent);
        window.setFromAssessment(fromAssessment);
        if (fromAssessment)
            QObject::connect(&window, &frmWalkIn::walkInRegistered,
                             &deliverWalkInNumberToAssessment);
        window.exec();
    });
}

void setAssessmentWalkInReceiver(WalkInNumberReceiver receiver) {
    assessmentReceiver() = std::move(receiver);
}

void deliverWalkInNumberToAssessment(const QString& walkInNumber) {
    if (assessmentReceiver())
        assessmentReceiver()(walkInNumber);
}

} // namespace charges
