#include "server/schema/Schema.h"

namespace server::schema {

// Work that waits for the section (requests from the nursing stations and
// discharge notices) and the section's own settings.
Migration migration0004SectionMonitors() {
    return {
        4,
        "Nurse requests, discharge notices and the section set-up",
        {
            R"(CREATE TABLE RADIOLOGY.tbNurseRequest (
                IdNum VARCHAR(20) NOT NULL,
                ItemID VARCHAR(20) NOT NULL,
                RequestDate TIMESTAMP NOT NULL,
                HospNum VARCHAR(20) NOT NULL,
                RevenueID VARCHAR(10) NOT NULL,
                Quantity NUMERIC(12,2) NOT NULL DEFAULT 1,
                Amount NUMERIC(12,2),
                Remarks VARCHAR(200),
                RequestingNurse VARCHAR(50),
                Station VARCHAR(50),
                Stat VARCHAR(1),
                PatientType VARCHAR(1) NOT NULL DEFAULT 'I',
                Status VARCHAR(1) NOT NULL DEFAULT 'P',
                RevokedBy VARCHAR(20),
                RevokedDate TIMESTAMP,
                PRIMARY KEY (IdNum, ItemID, RequestDate)
            ))",
            "CREATE INDEX ix_tbNurseRequest_Status ON RADIOLOGY.tbNurseRequest (RevenueID, Status)",

            // One notice per admission; each section that may hold work for the
            // patient clears it in its own columns.
            R"(CREATE TABLE PATIENT_DATA.tbDischargeNotice (
                IdNum VARCHAR(20) NOT NULL PRIMARY KEY,
                HospNum VARCHAR(20) NOT NULL,
                NoticeDate TIMESTAMP,
                OrderedDate TIMESTAMP,
                DischargeNurse VARCHAR(50),
                Remarks VARCHAR(200),
                MMClearDate TIMESTAMP,
                MMUserID VARCHAR(20),
                MMClearRemarks VARCHAR(200),
                ENDOClearDate TIMESTAMP,
                ENDOUserID VARCHAR(20),
                ENDOClearRemarks VARCHAR(200)
            ))",
            "CREATE INDEX ix_tbDischargeNotice_MM ON PATIENT_DATA.tbDischargeNotice (MMClearDate)",
            "CREATE INDEX ix_tbDischargeNotice_ENDO ON PATIENT_DATA.tbDischargeNotice "
            "(ENDOClearDate)",

            // The settings of a section; switches are stored as "1", "0" or
            // empty, and read back as the texts "True" and "False".
            R"(CREATE TABLE RADIOLOGY.tbRadioSetup (
                SectionCode VARCHAR(10) NOT NULL PRIMARY KEY,
                CashBasis VARCHAR(1),
                Reserved VARCHAR(20),
                UserID VARCHAR(20),
                Markup VARCHAR(10),
                PMarkup VARCHAR(10),
                MarkupOperator VARCHAR(1),
                PAcs VARCHAR(1),
                Company VARCHAR(1),
                CompanyMarkup VARCHAR(10),
                FileNoSetup VARCHAR(1),
                FileNumber VARCHAR(20),
                FileNoPrefix VARCHAR(20),
                UpdatedDate TIMESTAMP
            ))",
        },
    };
}

} // namespace server::schema
