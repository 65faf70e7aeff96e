#pragma once

#include "src/data/Connection.h"
#include "src/data/RecordingSession.h"
#include "src/data/SharedComponents.h"
#include "tests/support/TestDatabase.h"

#include <QMap>
#include <QSet>

#include <functional>

namespace testsupport {

// Stand-ins for the hospital system's components: a session component that
// "logs in" at once over a test database, and search components that find
// nothing. Tests register them under the real class identifiers.
class FakeSessionComponent final : public data::ICurrentUser {
public:
    explicit FakeSessionComponent(const TestDatabase& db) {
        auto recording = std::make_unique<data::RecordingSession>(db.open());
        m_recorder = recording.get();
        m_connection = std::make_unique<data::Connection>(std::move(recording));
    }

    bool loginSucceeds = true;
    QSet<QString> rights;
    QString deptCode;
    bool shownMain = false;

    void setPasswordDeptCode(const QString& code) override { deptCode = code; }
    void sethwndParentForm(QWidget*) override {}
    void ShowMain() override {
        shownMain = true;
        m_connected = loginSucceeds;
    }
    bool Connected() const override { return m_connected; }
    data::Connection& SQLConnection() override { return *m_connection; }
    bool HAVE_RIGHTS(const QString& code) override { return rights.contains(code); }
    QString ServerName() const override { return "test"; }
    QString UserID() const override { return "test"; }
    QString ServerPassword() const override { return {}; }
    QString EmployeeCode() const override { return "10031"; }
    QString EmployeeName() const override { return "REYES, ANA"; }

    const QStringList& commands() const { return m_recorder->commands(); }

private:
    std::unique_ptr<data::Connection> m_connection;
    data::RecordingSession* m_recorder = nullptr;
    bool m_connected = false;
};

class FakeCodeSearch final : public data::ICodeSearch {
public:
    void setMTS_Server(const QString&) override {}
    void setSearchMode(bool on) override { searchMode = on; }
    void Initialize_Classes() override {}
    void setConnection(data::Connection* c) override { connection = c; }
    void setOtherSectionID(const QString& section) override { otherSectionID = section; }
    // Finds the text among the records given for the kind; an empty text
    // "picks" `pickedOnEmpty` when it is set. `onSearch` runs first and may
    // throw, as the real component does when it holds no record.
    bool SearchListing(QString& text, int kind) override {
        searches << qMakePair(text, kind);
        if (onSearch)
            onSearch(text, kind);
        QString code = text;
        if (code.isEmpty() && pickedOnEmpty.contains(kind))
            code = pickedOnEmpty.value(kind);
        switch (kind) {
        case Doctor:
            if (!doctors.contains(code))
                return false;
            m_doctor = doctors.value(code);
            break;
        case OtherRevenue:
            if (!items.contains(code))
                return false;
            m_item = items.value(code);
            break;
        case Address:
            if (!addresses.contains(code))
                return false;
            m_address = addresses.value(code);
            break;
        default:
            return false;
        }
        text = code;
        return true;
    }
    const data::DoctorInfo& DoctorRecord() const override { return m_doctor; }
    const data::OtherRevenueInfo& OtherRevenueRecord() const override { return m_item; }
    const data::AddressInfo& AddressRecord() const override { return m_address; }
    bool FileNumFound(const QString&) override { return false; }
    const data::FileNumInfo& FileNum() const override { return m_file; }

    void addDoctor(const data::DoctorInfo& d) { doctors.insert(d.ResultCode, d); }
    void addItem(const data::OtherRevenueInfo& i) { items.insert(i.ResultCode, i); }
    void addAddress(const data::AddressInfo& a) { addresses.insert(a.ResultCode, a); }

    data::Connection* connection = nullptr;
    bool searchMode = false;
    QString otherSectionID;
    QMap<QString, data::DoctorInfo> doctors;
    QMap<QString, data::OtherRevenueInfo> items;
    QMap<QString, data::AddressInfo> addresses;
    QMap<int, QString> pickedOnEmpty;
    std::function<void(const QString& text, int kind)> onSearch;
    QList<QPair<QString, int>> searches;

private:
    data::DoctorInfo m_doctor;
    data::OtherRevenueInfo m_item;
    data::AddressInfo m_address;
    data::FileNumInfo m_file;
};

class FakePatientSearch final : public data::IPatientSearch {
public:
    bool accepts = true;
    // Admissions found by the exact text searched; patients by hospital number.
    QMap<QString, data::AdmissionInfo> admissions;
    QMap<QString, data::PatientInfo> patients;
    QStringList searched;

    bool InitConnection(data::Connection&, const QString&) override { return accepts; }
    bool ValidateAdmission(const QString& text, const std::optional<QString>&) override {
        searched << text;
        if (!admissions.contains(text))
            return false;
        m_admission = admissions.value(text);
        return true;
    }
    const data::AdmissionInfo& Admission() const override { return m_admission; }
    bool LoadPatient(const QString& hospNum) override {
        if (!patients.contains(hospNum))
            return false;
        m_patient = patients.value(hospNum);
        return true;
    }
    QString PatientMasterAge() const override { return m_patient.Age; }
    QString PatientMasterSex() const override { return m_patient.Sex; }
    data::PatientInfo PatientMaster() const override { return m_patient; }

private:
    data::AdmissionInfo m_admission;
    data::PatientInfo m_patient;
};

// Registers the three stand-ins; the session component is made over `db`
// and configured by `setUp` before the window uses it.
class FakeComponents {
public:
    explicit FakeComponents(const TestDatabase& db) {
        data::ComponentFactory::registerClass(data::kSessionClassId, [this, &db] {
            auto made = std::make_unique<FakeSessionComponent>(db);
            session = made.get();
            if (configureSession)
                configureSession(*made);
            return made;
        });
        data::ComponentFactory::registerClass(data::kCodeSearchClassId,
                                              [] { return std::make_unique<FakeCodeSearch>(); });
        data::ComponentFactory::registerClass(data::kPatientSearchClassId, [this] {
            auto made = std::make_unique<FakePatientSearch>();
            made->accepts = patientComponentAccepts;
            return made;
        });
    }
    ~FakeComponents() {
        for (const char* id :
             {data::kSessionClassId, data::kCodeSearchClassId, data::kPatientSearchClassId})
            data::ComponentFactory::unregisterClass(id);
    }

    std::function<void(FakeSessionComponent&)> configureSession;
    bool patientComponentAccepts = true;
    FakeSessionComponent* session = nullptr;
};

} // namespace testsupport
