#include "src/controls/WalkInOpener.h"

#include <utility>

namespace controls {

namespace {
WalkInOpener& installedOpener() {
    static WalkInOpener opener;
    return opener;
}
} // namespace

void setWalkInOpener(WalkInOpener opener) {
    installedOpener() = std::move(opener);
}

void openWalkIn(QWidget* parent, bool fromAssessment) {
    // Copied first: the registration may install another opener while it runs.
    const WalkInOpener opener = installedOpener();
    if (opener)
        opener(parent, fromAssessment);
}

} // namespace controls
