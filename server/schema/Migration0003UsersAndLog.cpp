#include "server/schema/Schema.h"

namespace server::schema {

// The user log and the result file numbers the code search component looks up.
Migration migration0003UsersAndLog() {
    return {
        3,
        "Log-in and the user log",
        {
            // Every log-in, every refused log-in and every logged user action of
            // the section's windows; kept without a foreign key so that a refused
            // log-in under an unknown user id is logged as typed.
            R"(CREATE TABLE BUILD_FILE.tbUserLog (
                LogID {SERIAL},
                LogDate TIMESTAMP NOT NULL,
                EmployeeID VARCHAR(20) NOT NULL,
                Activity VARCHAR(50) NOT NULL,
                Remarks VARCHAR(255),
                Workstation VARCHAR(100)
            ))",
            "CREATE INDEX ix_tbUserLog_Employee ON BUILD_FILE.tbUserLog (EmployeeID, LogDate)",
            "CREATE INDEX ix_tbUserLog_LogDate ON BUILD_FILE.tbUserLog (LogDate)",

            // One row per assigned result file number, with the holder's names as
            // they were registered (walk-in patients have no master row).
            R"(CREATE TABLE RADIOLOGY.tbMammoFileNum (
                FileNum VARCHAR(30) NOT NULL PRIMARY KEY,
                HospNum VARCHAR(20) NOT NULL,
                SectionID VARCHAR(10),
                LastName VARCHAR(50),
                FirstName VARCHAR(50),
                MiddleName VARCHAR(50),
                UpdatedDate TIMESTAMP
            ))",
            "CREATE INDEX ix_tbMammoFileNum_HospNum ON RADIOLOGY.tbMammoFileNum (HospNum)",

            // The patient search looks current admissions up by name.
            "CREATE INDEX ix_tbPatient_DischargeDate ON PATIENT_DATA.tbPatient (DischargeDate)",
        },
    };
}

} // namespace server::schema
