#include "server/schema/Schema.h"

namespace server::schema {

// Charge entry: the request numbers of the section and the charges posted on
// the patients' accounts.
Migration migration0005Charges() {
    return {
        5,
        "Request numbers and posted charges",
        {
            // The last request number given; requests are numbered by the
            // database as eight-digit text, so text order is number order.
            R"(CREATE TABLE RADIOLOGY.tbMammoRequestNum (
                RowKey INTEGER NOT NULL PRIMARY KEY CHECK (RowKey = 1),
                LastNum INTEGER NOT NULL
            ))",
            "INSERT INTO RADIOLOGY.tbMammoRequestNum (RowKey, LastNum) "
            "SELECT 1, COALESCE(MAX(CAST(RequestNum AS INTEGER)), 0) FROM RADIOLOGY.tbMammoMaster",

            // One line per charge posted on an account (a negative amount
            // reverses an earlier one). PatientType "I" posts on an admission,
            // "O" on an outpatient visit or a walk-in.
            R"(CREATE TABLE BILLING.tbPatientCharge (
                id {SERIAL},
                PatientType CHAR(1) NOT NULL,
                IdNum VARCHAR(20) NOT NULL,
                HospNum VARCHAR(20) NOT NULL,
                RefNum VARCHAR(20) NOT NULL,
                RevenueID VARCHAR(10) NOT NULL,
                ItemID VARCHAR(20) NOT NULL,
                Quantity NUMERIC(12,2),
                Amount NUMERIC(12,2) NOT NULL,
                DoctorID VARCHAR(20),
                UserID VARCHAR(20) NOT NULL,
                RoomID VARCHAR(20),
                ChargeType CHAR(1) NOT NULL,
                RequestingSection VARCHAR(10),
                ChargeDate TIMESTAMP NOT NULL
            ))",
            "CREATE INDEX ix_tbPatientCharge_IdNum ON BILLING.tbPatientCharge (IdNum)",
            "CREATE INDEX ix_tbPatientCharge_RefNum ON BILLING.tbPatientCharge (RefNum, ItemID)",
            "CREATE INDEX ix_tbPatientCharge_ChargeDate ON BILLING.tbPatientCharge (ChargeDate)",
        },
    };
}

} // namespace server::schema
