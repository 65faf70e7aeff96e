#pragma once

#include "src/controls/RegisteredPatientSearch.h"

namespace controls {

// Regular patients of the master file.
class clsRegularPatientSearch final : public RegisteredPatientSearch {
public:
    explicit clsRegularPatientSearch(QWidget* owner = nullptr)
        : RegisteredPatientSearch(owner, "RADIOLOGY..spGlobal_RegularPatients", "Regular Patients",
                                  false) {}
};

} // namespace controls
