#pragma once

#include "src/charges/ChargeSlip.h"

namespace testsupport {

// The hospital row, and one line of another user's slip that no slip of
// the test's user may show.
inline const char* const kSlipFixture = R"(
INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1, ClientName) VALUES ('CITY GENERAL HOSPITAL', '12 Rizal Avenue, Quezon City', 'TST');
INSERT INTO REPORTS.tbChargeSlip (UserID, ItemID, Description, Quantity, Price, Amount, LineNo) VALUES ('E002', 'XX9', 'OTHER USERS EXAM', 1, 999, 999, 1)
)";

// Two exams and a doctor's fee as the charge entry grid holds them, with an
// empty grid line between them.
inline QList<charges::ChargeSlipLine> entryLines() {
    return {
        {"MM01", "SCREENING MAMMOGRAM", "1", "1500.00", "1500.00"},
        {"", "", "", "", ""},
        {"MM07", "SPOT COMPRESSION VIEW", "2", "250.00", "500.00"},
        {"MD05", "DR. O'NEIL READING FEE", "1", "350", "350"},
    };
}

} // namespace testsupport
