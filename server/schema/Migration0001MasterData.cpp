#include "server/schema/Schema.h"

// The master data every screen of the section leans on: the hospital row, the
// users and their rights, patients with their admissions and outpatient visits,
// walk-in patients, rooms, doctors, addresses, the exam catalogue with its rates,
// markups, the shared counters, the charge slip dump, cash assessments, the
// section's request lines with their results and films, film sizes and
// interpretation templates.
//
// Conventions (docs/schema.md): identifiers are text, money is NUMERIC(12,2),
// quantities are NUMERIC(12,2) because the client sends them as "1.00", dates
// are TIMESTAMP (text "yyyy-MM-dd hh:mm:ss" on the embedded server). Single-row
// tables carry RowKey, fixed at 1, so a second row cannot creep in and make a
// counter ambiguous. CHAR(1) is kept for flags that only ever hold a letter or
// NULL; codes that may arrive empty are VARCHAR, because PostgreSQL pads an
// empty CHAR(1) to a blank and the two backends would then read back different
// text.

namespace server::schema {

Migration migration0001MasterData() {
    return {
        1,
        "Master data, counters, charge slip dump, cash assessments, requests and results",
        {
            // ---- PATIENT_DATA ------------------------------------------------
            R"(CREATE TABLE PATIENT_DATA.tbHospitalInfo (
                RowKey INTEGER NOT NULL DEFAULT 1 PRIMARY KEY CHECK (RowKey = 1),
                Company VARCHAR(100) NOT NULL,
                Address1 VARCHAR(200),
                ClientName VARCHAR(20) NOT NULL,
                OPDPassword VARCHAR(50),
                TIN VARCHAR(30)
            ))",

            R"(CREATE TABLE PATIENT_DATA.tbMaster (
                HospNum VARCHAR(20) NOT NULL PRIMARY KEY,
                LastName VARCHAR(50) NOT NULL,
                FirstName VARCHAR(50),
                MiddleName VARCHAR(50),
                Sex VARCHAR(1),
                BirthDate TIMESTAMP,
                Age INTEGER,
                CivilStatus VARCHAR(1),
                HouseStreet VARCHAR(100),
                Barangay VARCHAR(50),
                ZipCode VARCHAR(10)
            ))",
            "CREATE INDEX ix_tbMaster_Name ON PATIENT_DATA.tbMaster (LastName, FirstName, "
            "MiddleName)",
            "CREATE INDEX ix_tbMaster_ZipCode ON PATIENT_DATA.tbMaster (ZipCode)",

            R"(CREATE TABLE PATIENT_DATA.tbPatient (
                IDNum VARCHAR(20) NOT NULL PRIMARY KEY,
                HospNum VARCHAR(20) NOT NULL REFERENCES PATIENT_DATA.tbMaster (HospNum),
                AdmissionDate TIMESTAMP NOT NULL,
                DischargeDate TIMESTAMP,
                BillingDate TIMESTAMP,
                RoomID VARCHAR(20),
                AttendingDr1 VARCHAR(20),
                AccountNum VARCHAR(20),
                Company VARCHAR(100),
                MedicareType VARCHAR(10),
                Age INTEGER,
                CancelBilled CHAR(1)
            ))",
            "CREATE INDEX ix_tbPatient_HospNum ON PATIENT_DATA.tbPatient (HospNum)",
            "CREATE INDEX ix_tbPatient_AdmissionDate ON PATIENT_DATA.tbPatient (AdmissionDate)",
            "CREATE INDEX ix_tbPatient_BillingDate ON PATIENT_DATA.tbPatient (BillingDate)",
            "CREATE INDEX ix_tbPatient_RoomID ON PATIENT_DATA.tbPatient (RoomID)",

            // No row, or a NULL type, both mean an ordinary admission.
            R"(CREATE TABLE PATIENT_DATA.tbPatient2 (
                IDNum VARCHAR(20) NOT NULL PRIMARY KEY REFERENCES PATIENT_DATA.tbPatient (IDNum),
                AdmissionTypeID VARCHAR(2)
            ))",

            R"(CREATE TABLE PATIENT_DATA.tbOutPatient (
                IDNum VARCHAR(20) NOT NULL PRIMARY KEY,
                HospNum VARCHAR(20) NOT NULL REFERENCES PATIENT_DATA.tbMaster (HospNum),
                AdmDate TIMESTAMP NOT NULL,
                DcrDate TIMESTAMP,
                BillingDate TIMESTAMP,
                DoctorID1 VARCHAR(20),
                AccountNum VARCHAR(20),
                Company VARCHAR(100),
                MedicareType VARCHAR(10),
                Age INTEGER
            ))",
            "CREATE INDEX ix_tbOutPatient_HospNum ON PATIENT_DATA.tbOutPatient (HospNum)",
            "CREATE INDEX ix_tbOutPatient_AdmDate ON PATIENT_DATA.tbOutPatient (AdmDate)",

            // Walk-in patients have no hospital record; their walk-in number
            // stands in for the hospital number.
            R"(CREATE TABLE PATIENT_DATA.tbCashPatient (
                HospNum VARCHAR(20) NOT NULL PRIMARY KEY,
                LastName VARCHAR(50),
                FirstName VARCHAR(50),
                MiddleName VARCHAR(50),
                HouseStreet VARCHAR(100),
                Barangay VARCHAR(50),
                ZipCode VARCHAR(10),
                BirthDate TIMESTAMP,
                CivilStatus VARCHAR(1),
                Age INTEGER,
                Sex VARCHAR(1),
                RegisterDate TIMESTAMP
            ))",
            "CREATE INDEX ix_tbCashPatient_Name ON PATIENT_DATA.tbCashPatient (LastName, "
            "FirstName, MiddleName)",

            R"(CREATE TABLE PATIENT_DATA.tbLastWalkInNum (
                RowKey INTEGER NOT NULL DEFAULT 1 PRIMARY KEY CHECK (RowKey = 1),
                lastopd VARCHAR(20) NOT NULL,
                transnum INTEGER NOT NULL
            ))",
            // A fresh database hands out W1 first: prefix letter, counter 0.
            "INSERT INTO PATIENT_DATA.tbLastWalkInNum (RowKey, lastopd, transnum) "
            "VALUES (1, 'W0', 0)",

            // Lines requested at the outpatient department, one per item; the
            // clinic's request number may cover several items of one visit.
            R"(CREATE TABLE PATIENT_DATA.tbOPDCommunicationFile (
                IdNum VARCHAR(20) NOT NULL,
                RequestNum VARCHAR(20) NOT NULL,
                ItemID VARCHAR(20) NOT NULL,
                HospNum VARCHAR(20) NOT NULL,
                RevenueID VARCHAR(10) NOT NULL,
                Quantity NUMERIC(12,2) NOT NULL DEFAULT 1,
                Amount NUMERIC(12,2),
                RequestDate TIMESTAMP NOT NULL,
                DoctorID VARCHAR(20),
                Printed CHAR(1),
                PRIMARY KEY (IdNum, RequestNum, ItemID)
            ))",
            "CREATE INDEX ix_tbOPDCommunicationFile_RevenueID ON "
            "PATIENT_DATA.tbOPDCommunicationFile (RevenueID, Printed)",
            "CREATE INDEX ix_tbOPDCommunicationFile_HospNum ON "
            "PATIENT_DATA.tbOPDCommunicationFile (HospNum)",

            // ---- PASSWORD ----------------------------------------------------
            R"(CREATE TABLE PASSWORD.tbPasswordMain (
                EmployeeID VARCHAR(20) NOT NULL PRIMARY KEY,
                LastName VARCHAR(50) NOT NULL,
                FirstName VARCHAR(50) NOT NULL,
                MiddleName VARCHAR(50),
                Position VARCHAR(40),
                PasswordHash VARCHAR(255),
                FailedAttempts INTEGER NOT NULL DEFAULT 0,
                LockedUntil TIMESTAMP,
                Active CHAR(1) NOT NULL DEFAULT 'Y'
            ))",
            "CREATE INDEX ix_tbPasswordMain_Name ON PASSWORD.tbPasswordMain (LastName, FirstName)",
            "CREATE INDEX ix_tbPasswordMain_Position ON PASSWORD.tbPasswordMain (Position)",

            R"(CREATE TABLE PASSWORD.tbPasswordRights (
                EmployeeID VARCHAR(20) NOT NULL REFERENCES PASSWORD.tbPasswordMain (EmployeeID),
                DeptCode VARCHAR(10) NOT NULL,
                RightCode VARCHAR(10) NOT NULL,
                PRIMARY KEY (EmployeeID, DeptCode, RightCode)
            ))",

            // ---- BUILD_FILE --------------------------------------------------
            R"(CREATE TABLE BUILD_FILE.tbCoAddress (
                ZipCode VARCHAR(10) NOT NULL PRIMARY KEY,
                Town VARCHAR(50) NOT NULL,
                Province VARCHAR(50) NOT NULL
            ))",
            "CREATE INDEX ix_tbCoAddress_Town ON BUILD_FILE.tbCoAddress (Town)",
            "CREATE INDEX ix_tbCoAddress_Province ON BUILD_FILE.tbCoAddress (Province)",

            R"(CREATE TABLE BUILD_FILE.tbcoroom (
                RoomID VARCHAR(20) NOT NULL PRIMARY KEY,
                Description VARCHAR(100),
                RoomClassID VARCHAR(1),
                Station VARCHAR(50)
            ))",

            R"(CREATE TABLE BUILD_FILE.tbCoDoctor (
                DoctorID VARCHAR(20) NOT NULL PRIMARY KEY,
                LastName VARCHAR(50) NOT NULL,
                FirstName VARCHAR(50),
                MiddleName VARCHAR(50),
                Specialty VARCHAR(50)
            ))",
            "CREATE INDEX ix_tbCoDoctor_Name ON BUILD_FILE.tbCoDoctor (LastName, FirstName)",

            // RateA..RateF follow the room class, RateG is the walk-in cash rate.
            R"(CREATE TABLE BUILD_FILE.tbCoOtherRevenue (
                OtherRevenueID VARCHAR(20) NOT NULL PRIMARY KEY,
                OtherRevenue VARCHAR(100) NOT NULL,
                RevenueID VARCHAR(10) NOT NULL,
                SectionID VARCHAR(10),
                RateA NUMERIC(12,2),
                RateB NUMERIC(12,2),
                RateC NUMERIC(12,2),
                RateD NUMERIC(12,2),
                RateE NUMERIC(12,2),
                RateF NUMERIC(12,2),
                RateG NUMERIC(12,2)
            ))",
            "CREATE INDEX ix_tbCoOtherRevenue_RevenueID ON BUILD_FILE.tbCoOtherRevenue "
            "(RevenueID, OtherRevenue)",

            // The client binds "select *" to a grid that hides the first column and
            // shows the second as the percentage and the third as its description:
            // keep exactly these three columns in this order.
            R"(CREATE TABLE BUILD_FILE.tbcoMarkup (
                MarkupID INTEGER NOT NULL PRIMARY KEY,
                Percentage NUMERIC(6,2) NOT NULL,
                Description VARCHAR(50)
            ))",

            // ---- RADIOLOGY ---------------------------------------------------
            R"(CREATE TABLE RADIOLOGY.tbMammoSlip (
                RowKey INTEGER NOT NULL DEFAULT 1 PRIMARY KEY CHECK (RowKey = 1),
                RefNum INTEGER NOT NULL
            ))",
            "INSERT INTO RADIOLOGY.tbMammoSlip (RowKey, RefNum) VALUES (1, 1)",

            R"(CREATE TABLE RADIOLOGY.tbMammoMaster (
                RequestNum VARCHAR(20) NOT NULL PRIMARY KEY,
                IdNum VARCHAR(20) NOT NULL,
                HospNum VARCHAR(20) NOT NULL,
                RefNum VARCHAR(20),
                ItemID VARCHAR(20) NOT NULL,
                Quantity NUMERIC(12,2) NOT NULL DEFAULT 1,
                Amount NUMERIC(12,2) NOT NULL,
                DoctorID VARCHAR(20),
                PatientType CHAR(1) NOT NULL,
                RoomID VARCHAR(20),
                ChargeType CHAR(1) NOT NULL DEFAULT 'D',
                UserID VARCHAR(20),
                RequestDate TIMESTAMP NOT NULL,
                Status CHAR(1) NOT NULL DEFAULT 'N',
                RadTech VARCHAR(20),
                CancelDate TIMESTAMP,
                CancelledBy VARCHAR(20)
            ))",
            "CREATE INDEX ix_tbMammoMaster_IdNum ON RADIOLOGY.tbMammoMaster (IdNum)",
            "CREATE INDEX ix_tbMammoMaster_HospNum ON RADIOLOGY.tbMammoMaster (HospNum)",
            "CREATE INDEX ix_tbMammoMaster_RefNum ON RADIOLOGY.tbMammoMaster (RefNum, ItemID)",
            "CREATE INDEX ix_tbMammoMaster_RequestDate ON RADIOLOGY.tbMammoMaster (RequestDate)",

            // The reading of one request and the films used for it. The films
            // can be recorded before the reading, so only the key is required.
            R"(CREATE TABLE RADIOLOGY.tbMammoResult (
                RequestNum VARCHAR(20) NOT NULL PRIMARY KEY
                    REFERENCES RADIOLOGY.tbMammoMaster (RequestNum),
                IdNum VARCHAR(20),
                HospNum VARCHAR(20),
                ItemID VARCHAR(20),
                ResultDate TIMESTAMP,
                DoctorID VARCHAR(20),
                RadiologistID VARCHAR(20),
                CoRadiologistID VARCHAR(20),
                Interpretation VARCHAR(8000),
                DensityCode VARCHAR(1),
                FindingsCode VARCHAR(7),
                birad VARCHAR(2),
                UserID VARCHAR(20),
                Film1 INTEGER,
                Film2 INTEGER,
                Film3 INTEGER,
                Film4 INTEGER,
                Film5 INTEGER,
                Film6 INTEGER,
                Film7 INTEGER
            ))",
            "CREATE INDEX ix_tbMammoResult_HospNum ON RADIOLOGY.tbMammoResult (HospNum)",
            "CREATE INDEX ix_tbMammoResult_IdNum ON RADIOLOGY.tbMammoResult (IdNum)",

            R"(CREATE TABLE RADIOLOGY.tbmammofilm (
                code VARCHAR(10) NOT NULL PRIMARY KEY,
                description VARCHAR(50) NOT NULL
            ))",

            R"(CREATE TABLE RADIOLOGY.tbmminterpretation (
                code VARCHAR(20) NOT NULL PRIMARY KEY,
                description VARCHAR(100),
                interpretation VARCHAR(8000)
            ))",
            "CREATE INDEX ix_tbmminterpretation_description ON RADIOLOGY.tbmminterpretation "
            "(description)",

            // ---- BILLING -----------------------------------------------------
            R"(CREATE TABLE BILLING.tbAssessmentNum (
                RowKey INTEGER NOT NULL DEFAULT 1 PRIMARY KEY CHECK (RowKey = 1),
                AssessmentNum INTEGER NOT NULL
            ))",
            "INSERT INTO BILLING.tbAssessmentNum (RowKey, AssessmentNum) VALUES (1, 1)",

            // One line per assessed item. The cashier fills ORNumber and PaidDate
            // on payment; ItemUsed turns "Y" when the section has used the paid
            // item for a request and back to empty when that request is cancelled.
            R"(CREATE TABLE BILLING.tbCashAssessment (
                RefNum VARCHAR(20) NOT NULL,
                RevenueID VARCHAR(10) NOT NULL,
                ItemID VARCHAR(20) NOT NULL,
                PatientName VARCHAR(150),
                Quantity NUMERIC(12,2),
                Amount NUMERIC(12,2) NOT NULL,
                RequestingSection VARCHAR(10),
                UserID VARCHAR(20),
                IdNum VARCHAR(20),
                HospNum VARCHAR(20),
                DoctorID VARCHAR(20),
                DoctorName VARCHAR(150),
                AssessDate TIMESTAMP NOT NULL,
                ORNumber VARCHAR(20),
                PaidDate TIMESTAMP,
                ItemUsed VARCHAR(1),
                PRIMARY KEY (RefNum, RevenueID, ItemID)
            ))",
            "CREATE INDEX ix_tbCashAssessment_ORNumber ON BILLING.tbCashAssessment (ORNumber, "
            "RevenueID)",
            "CREATE INDEX ix_tbCashAssessment_HospNum ON BILLING.tbCashAssessment (HospNum)",
            "CREATE INDEX ix_tbCashAssessment_AssessDate ON BILLING.tbCashAssessment (AssessDate)",

            // ---- REPORTS -----------------------------------------------------
            // Lines of the slip being printed, per user; the surrogate id keeps
            // them in the order they were dumped, also when two workstations of
            // the same user dump at once.
            R"(CREATE TABLE REPORTS.tbChargeSlip (
                id {SERIAL},
                UserID VARCHAR(20) NOT NULL,
                RefNum VARCHAR(20),
                ItemID VARCHAR(20),
                Description VARCHAR(150),
                Quantity NUMERIC(12,2),
                Price NUMERIC(12,2),
                Amount NUMERIC(12,2),
                Remarks VARCHAR(100)
            ))",
            "CREATE INDEX ix_tbChargeSlip_UserID ON REPORTS.tbChargeSlip (UserID)",
        },
    };
}

} // namespace server::schema
