#pragma once

#include "src/controls/RegisteredPatientSearch.h"

namespace controls {

// Walk-in (cash) patients; their list can register a new one.
class clsCashPatientSearch final : public RegisteredPatientSearch {
public:
    explicit clsCashPatientSearch(QWidget* owner = nullptr)
        : RegisteredPatientSearch(owner, "RADIOLOGY..spGlobal_CashPatients", "Walk In Patients",
                                  true) {}
};

} // namespace controls
