#pragma once

#include "src/data/SessionValues.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace data {

class Connection;

// The hospital information system's three shared components, as the section
// program uses them. The his/ library implements them; tests stand in their own.

// A date the components give as 0 while it is unset is an invalid QDateTime here.
inline bool isUnset(const QDateTime& when) {
    return !when.isValid();
}

struct DoctorInfo {
    QString ResultCode;
    QString LastName;
    QString FirstName;
    QString MiddleName;
};

struct OtherRevenueInfo {
    QString ResultCode;
    QString OtherRevenue;
    double RateA = 0;
    double RateB = 0;
    double RateC = 0;
    double RateD = 0;
    double RateE = 0;
    double RateF = 0;
    double RateG = 0;

    // The rate of a class letter "A" to "G"; 0 for any other.
    double rate(const QString& rateClass) const;
};

struct AddressInfo {
    QString ResultCode;
    QString Town;
    QString Province;
};

struct FileNumInfo {
    QString FileNum;
    QString HospNum;
    QString LastName;
    QString FirstName;
    QString MiddleName;
};

struct PatientAddress {
    QString HouseStreet;
    QString Barangay;
    QString Town;
    QString Province;
};

struct PatientInfo {
    QString LastName;
    QString FirstName;
    QString MiddleName;
    QString Sex; // "M" for male
    QString Age;
    QDateTime BirthDate;
    QString CivilStatus;
    PatientAddress Address;
};

struct RoomInfo {
    QString Room; // the room as shown
    QString RoomClassID;
};

struct AccountInfo {
    QString Account; // the account as shown
    QString Company;
};

struct AdmissionInfo {
    QString Idnumber;
    QString HospitalNumber;
    QDateTime AdmissionDate;
    QDateTime DischargeDate; // unset while admitted
    QDateTime BillingDate;   // set once the account is closed
    RoomInfo Room;
    AccountInfo Account;
    DoctorInfo AttendingDoctor1;
    PatientInfo Patient;
};

// Base of everything the component factory makes.
class Component {
public:
    virtual ~Component() = default;
};

// Session component "HALCYRA_User.clsCurrentUser".
class ICurrentUser : public Component, public CurrentUser {
public:
    virtual void setPasswordDeptCode(const QString& code) = 0;
    virtual void sethwndParentForm(QWidget* owner) = 0;
    virtual void ShowMain() = 0;
    virtual bool Connected() const = 0;
    virtual Connection& SQLConnection() = 0;
    virtual bool HAVE_RIGHTS(const QString& rightCode) = 0;
    // For logging report tables on; ServerPassword is never a user's password.
    virtual QString ServerName() const = 0;
    virtual QString UserID() const = 0;
    virtual QString ServerPassword() const = 0;
};

// Code search component "CodeSearchForm.clsCodeSearch".
class ICodeSearch : public Component {
public:
    enum Kind { Address = 0, Doctor = 1, OtherRevenue = 21 };

    virtual void setMTS_Server(const QString& server) = 0;
    virtual void setSearchMode(bool on) = 0;
    virtual void Initialize_Classes() = 0;
    virtual void setConnection(Connection* connection) = 0;
    virtual void setOtherSectionID(const QString& section) = 0;
    // With a code: validates it. With "": lets the user pick; the text then
    // receives the code picked. True when a record is found or picked.
    virtual bool SearchListing(QString& text, int kind) = 0;
    virtual const DoctorInfo& DoctorRecord() const = 0;
    virtual const OtherRevenueInfo& OtherRevenueRecord() const = 0;
    virtual const AddressInfo& AddressRecord() const = 0;
    virtual bool FileNumFound(const QString& fileNumber) = 0;
    virtual const FileNumInfo& FileNum() const = 0;
};

// Patient search component "MasterSearch.clsPatientSearch".
class IPatientSearch : public Component {
public:
    virtual bool InitConnection(Connection& connection, const QString& text) = 0;
    virtual bool ValidateAdmission(const QString& text,
                                   const std::optional<QString>& second = std::nullopt) = 0;
    virtual const AdmissionInfo& Admission() const = 0;

    // PatientMaster.LoadPatient, then PatientMaster.Age and .Sex.
    virtual bool LoadPatient(const QString& hospitalNumber) = 0;
    virtual QString PatientMasterAge() const = 0;
    virtual QString PatientMasterSex() const = 0;
    // Everything LoadPatient read: names, birth date, civil status, address.
    virtual PatientInfo PatientMaster() const { return {}; }
};

// Creates the shared components by their class identifiers.
class ComponentFactory {
public:
    using Maker = std::function<std::unique_ptr<Component>()>;

    static void registerClass(const QString& classId, Maker maker);
    static void unregisterClass(const QString& classId);
    // Throws DbError "ActiveX component can't create object" for an unknown identifier.
    static std::unique_ptr<Component> create(const QString& classId);

    template <typename T> static std::unique_ptr<T> createAs(const QString& classId) {
        std::unique_ptr<Component> made = create(classId);
        if (auto* typed = dynamic_cast<T*>(made.get())) {
            made.release();
            return std::unique_ptr<T>(typed);
        }
        return nullptr;
    }
};

inline const char* const kSessionClassId = "HALCYRA_User.clsCurrentUser";
inline const char* const kCodeSearchClassId = "CodeSearchForm.clsCodeSearch";
inline const char* const kPatientSearchClassId = "MasterSearch.clsPatientSearch";

} // namespace data
