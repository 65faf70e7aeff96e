#include "server/demo/DemoData.h"
#include "server/demo/DemoExtensions.h"

#include "server/Backend.h"
#include "server/Error.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <QVariant>

#include <algorithm>

namespace server {

namespace {

// xorshift32: tiny, and the same sequence on every platform and compiler, so a
// seed names one data set for good.
class DemoRandom {
public:
    explicit DemoRandom(quint32 seed)
        : m_state(seed != 0 ? seed : 0x9E3779B9u) {
        for (int i = 0; i < 8; ++i)
            next();
    }

    quint32 next() {
        quint32 x = m_state;
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        return m_state = x;
    }

    int below(int n) { return int(next() % quint32(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int p) { return below(100) < p; }
    const QString& pick(const QStringList& list) { return list[below(int(list.size()))]; }

private:
    quint32 m_state;
};

const QVariant kNullText{QMetaType::fromType<QString>()};

QVariant textOrNull(const QString& text) {
    return text.isEmpty() ? kNullText : QVariant(text);
}

QVariant stamp(const QDateTime& when) {
    return when.isValid() ? QVariant(Backend::timestampText(when)) : kNullText;
}

// Money travels as exact decimal text, never through a double.
QString money(qint64 cents) {
    return QString("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QChar('0'));
}

// One prepared shape of INSERT per table; values go in column order.
class TableWriter {
public:
    TableWriter(Backend& backend, const QString& table, const QStringList& columns)
        : m_backend(backend)
        , m_columns(columns)
        , m_sql(QString("INSERT INTO %1 (%2) VALUES (:%3)")
                    .arg(table, columns.join(", "), columns.join(", :"))) {}

    void add(const QVariantList& values) {
        if (values.size() != m_columns.size())
            throw Error("Demonstration data: " + m_sql + " got the wrong number of values.");
        QVariantMap params;
        for (int i = 0; i < m_columns.size(); ++i)
            params.insert(m_columns[i], values[i]);
        m_backend.exec(m_sql, params);
    }

private:
    Backend& m_backend;
    QStringList m_columns;
    QString m_sql;
};

// ---- word lists: syllables and names made up for this data set -------------

const QStringList kSurnameHeads{"AL", "BA", "CA", "DU",  "ES",  "FA",  "GA",  "LA",
                                "MA", "NA", "OR", "PA",  "QUI", "RA",  "SA",  "TA",
                                "VA", "YU", "ZA", "BEL", "COR", "DEL", "MON", "VIL"};
const QStringList kSurnameMiddles{"BAN", "CEN", "DRI", "GAR", "LON", "MIR", "NAL", "RIS",
                                  "SAL", "TOL", "VER", "ZON", "LI",  "DO",  "RE"};
const QStringList kSurnameTails{"O",   "A",   "ES",  "EZ", "ON", "AN",
                                "ADA", "ITO", "ERA", "IN", "AS", "IA"};
const QStringList kGivenHeads{"A",  "BE", "CA", "DA", "E",  "FE", "GLO", "HE", "I",  "JO", "KA",
                              "LE", "MA", "NI", "O",  "PA", "RO", "SE",  "TE", "VI", "YO", "ZE"};
const QStringList kGivenMiddles{"LA", "RI", "NE", "SA",  "MI",  "LO",
                                "DE", "VI", "NA", "LIN", "MAR", "REN"};
const QStringList kFemaleTails{"NA", "LYN", "TH", "SSA", "RA", "A", "E", "INE", "ETTE", "ISA"};
const QStringList kMaleTails{"O", "EL", "AN", "IS", "ON", "UEL", "ANDO"};
const QStringList kTownHeads{"ALTA", "BAGO", "CORA", "DAMI", "ELE",  "GUMA", "ILA", "LAGU",
                             "MERA", "NOVA", "PALO", "RIVA", "SILA", "TALU", "VALE"};
const QStringList kTownTails{"MAR", "NOC", "BAY", "NAS", "WEN", "DIS", "RON", "SAN", "LIT", "VOR"};
const QStringList kProvinces{"VALMERA",  "CORDALINA", "ISABRANTE",
                             "MARIQUEL", "TALOSENA",  "BENDARIO"};
const QStringList kStreets{"ACACIA ST.",        "MOLAVE ST.",   "NARRA AVE.",   "SAMPAGUITA ST.",
                           "ILANG-ILANG ST.",   "KAMAGONG ST.", "GUMAMELA ST.", "MAHOGANY RD.",
                           "DAMA DE NOCHE ST.", "BANABA ST."};
const QStringList kBarangays{"POBLACION", "BAGUMBAYAN", "MALIGAYA", "MABUHAY",  "BAGONG SILANG",
                             "MAHARLIKA", "LIWANAG",    "MASAGANA", "KALAYAAN", "PAG-ASA"};

// The membership codes of the insurance table, then one that is not in it.
const QStringList kMedicareTypes{"GM",  "GD", "PM", "PD", "SM",   "SD",   "OFM", "OFD",
                                 "OWM", "OT", "IM", "ID", "P/RM", "P/RD", "NN"};
const QString kUnknownMedicareType = "HM";

struct Company {
    QString account;
    QString name;
};
const QList<Company> kCompanies{{"ACC-0101", "ALUNA HEALTH COOPERATIVE"},
                                {"ACC-0102", "BRIMSTOW EMPLOYEES FUND"},
                                {"ACC-0103", "TALVERA MUTUAL BENEFIT"},
                                {"ACC-0104", "KASTEL CARE PLAN"},
                                {"ACC-0105", "ORVANE INSURANCE GUILD"}};

struct Exam {
    QString code;
    QString name;
    QString revenue;
    QString section;
    int pesos; // class A rate; the other rates follow from it
};

const QList<Exam> kExams{
    {"MM01", "SCREENING MAMMOGRAPHY, BILATERAL", "MM", "", 2500},
    {"MM02", "DIAGNOSTIC MAMMOGRAPHY, BILATERAL", "MM", "", 3200},
    {"MM03", "DIAGNOSTIC MAMMOGRAPHY, RIGHT", "MM", "", 1900},
    {"MM04", "DIAGNOSTIC MAMMOGRAPHY, LEFT", "MM", "", 1900},
    {"MM05", "SPOT COMPRESSION VIEW", "MM", "", 800},
    {"MM06", "MAGNIFICATION VIEW", "MM", "", 900},
    {"MM07", "AXILLARY TAIL VIEW", "MM", "", 700},
    {"MM08", "ADDITIONAL CRANIOCAUDAL VIEW", "MM", "", 650},
    {"MM09", "ADDITIONAL MEDIOLATERAL OBLIQUE VIEW", "MM", "", 650},
    {"MM10", "IMPLANT DISPLACEMENT VIEWS", "MM", "", 1500},
    {"MM11", "TOMOSYNTHESIS, BILATERAL", "MM", "", 5200},
    {"MM12", "TOMOSYNTHESIS, UNILATERAL", "MM", "", 3100},
    {"MM13", "BREAST ULTRASOUND, BILATERAL", "MM", "H", 1800},
    {"MM14", "BREAST ULTRASOUND, UNILATERAL", "MM", "H", 1100},
    {"MM15", "AXILLARY ULTRASOUND", "MM", "H", 950},
    {"MM16", "ULTRASOUND-GUIDED CORE BIOPSY", "MM", "H", 6500},
    {"MM17", "STEREOTACTIC CORE BIOPSY", "MM", "", 9800},
    {"MM18", "PRE-OPERATIVE WIRE LOCALIZATION", "MM", "", 4200},
    {"MM19", "GALACTOGRAPHY", "MM", "", 3600},
    {"MM20", "CYST ASPIRATION", "MM", "", 2800},
    {"MM21", "SPECIMEN RADIOGRAPHY", "MM", "", 1200},
    {"MM22", "MALE BREAST MAMMOGRAPHY", "MM", "", 1900},
    {"MM23", "SECOND OPINION READING", "MM", "", 1000},
    {"MM24", "COMPARISON WITH OUTSIDE STUDIES", "MM", "", 500},
    {"MM25", "FILM COPY (PER FILM)", "MM", "", 350},
    {"XR01", "CHEST PA", "XR", "", 450},
    {"XR02", "CHEST PA AND LATERAL", "XR", "", 650},
    {"US01", "WHOLE ABDOMEN ULTRASOUND", "US", "H", 1800},
    {"CT01", "CT SCAN OF THE BRAIN, PLAIN", "CT", "", 4500},
};

// Percent of the class A rate for RateA..RateG; G is the walk-in cash rate.
const int kRatePercents[7] = {100, 95, 90, 85, 80, 60, 90};

qint64 rateCents(const Exam& exam, int rateIndex) {
    return qint64(exam.pesos) * kRatePercents[rateIndex];
}

// Rate column a room class selects on an admission, or -1 for none.
int rateOfClass(const QString& roomClass) {
    const int i = roomClass.isEmpty() ? -1 : roomClass[0].unicode() - 'A';
    return i >= 0 && i <= 5 ? i : -1;
}

struct Room {
    QString id;
    QString roomClass;
};

struct Person {
    QString hospNum;
    QString lastName;
    QString firstName;
    QString middleName;
    QString sex;
    QDate birthDate; // 1900-01-01 when the birth date is not on record
    int storedAge = 0;

    QString fullName() const {
        return lastName + ", " + firstName + (middleName.isEmpty() ? "" : " " + middleName);
    }
    int ageOn(const QDate& day) const {
        if (birthDate.year() == 1900)
            return storedAge;
        int age = day.year() - birthDate.year();
        if (QDate(day.year(), birthDate.month(), birthDate.day()) > day)
            --age;
        return age;
    }
};

struct Admission {
    int patient = 0;
    QDateTime admitted;
    QDateTime discharged;
    QDateTime billed;
    int room = 0;
    QString doctor;
    QString idNum;
    int admissionType = -1; // -1 no tbPatient2 row, 0 NULL type
};

struct Visit {
    int patient = 0;
    QDateTime visited;
    QString doctor;
    QString idNum;
};

struct RequestLine {
    QString idNum;
    QString hospNum;
    QString item;
    qint64 cents = 0;
    QString doctor;
    QString patientType;
    QString room;
    QString chargeType = "D";
};

struct Slip {
    QDateTime when;
    QString receipt; // an official receipt number, or empty for a new charge slip
    QString user;
    QList<RequestLine> lines;
};

const QString kSectionDept = "27";

class DemoBuilder {
public:
    DemoBuilder(Backend& backend, quint32 seed, const QDate& today)
        : m_db(backend)
        , m_rng(seed)
        , m_today(today) {}

    void run() {
        addAddresses();
        addHospital();
        addUsers();
        addRooms();
        addDoctors();
        addExams();
        addMarkups();
        addFilmsAndTemplates();
        addPatients();
        addAdmissions();
        addVisits();
        addCashPatients();
        addAssessmentsAndPaidRequests();
        addOutpatientCommunications();
        addRequests();
        writeRequests();
        setCounters();
    }

private:
    QDateTime at(int daysAgo, int hour, int minute) const {
        return QDateTime(m_today.addDays(-daysAgo), QTime(hour, minute));
    }

    // A moment of a day before the load: earlier days any office hour, the
    // load day itself only early morning, so that even the events that follow
    // it (a payment, a request) do not lie in the future of a morning load.
    QDateTime officeTime(int daysAgo) {
        if (daysAgo <= 0)
            return at(0, 6, m_rng.below(60));
        return at(daysAgo, m_rng.between(7, 19), m_rng.below(60));
    }

    QString surname() {
        QString name =
            m_rng.pick(kSurnameHeads) + m_rng.pick(kSurnameMiddles) + m_rng.pick(kSurnameTails);
        if (m_rng.percent(3))
            name = "D'" + name; // apostrophes must survive every command
        else if (m_rng.percent(4))
            name = "DE LOS " + name;
        return name;
    }

    QString givenName(bool female) {
        static const QString vowels = "AEIOU";
        static const QStringList joints{"L", "N", "R", "S"};
        const QString head = m_rng.pick(kGivenHeads) + m_rng.pick(kGivenMiddles);
        const QString tail = m_rng.pick(female ? kFemaleTails : kMaleTails);
        // Two vowels meeting at the joint make names nobody is called.
        const QString joint = vowels.contains(head.back()) && vowels.contains(tail.front())
                                  ? m_rng.pick(joints)
                                  : QString();
        return head + joint + tail;
    }

    Person person(const QString& hospNum, int femalePercent, int minAge, int maxAge) {
        Person p;
        p.hospNum = hospNum;
        p.sex = m_rng.percent(femalePercent) ? "F" : "M";
        p.lastName = surname();
        p.firstName = givenName(p.sex == "F");
        p.middleName = m_rng.percent(8) ? QString() : surname();
        const int age = m_rng.between(minAge, maxAge);
        if (m_rng.percent(4)) {
            p.birthDate = QDate(1900, 1, 1);
            p.storedAge = age;
        } else {
            p.birthDate = QDate(m_today.year() - age - 1, 1, 1).addDays(m_rng.below(365));
            p.storedAge = p.ageOn(m_today);
        }
        return p;
    }

    QVariant civilStatus() {
        const int r = m_rng.below(100);
        if (r < 3)
            return kNullText;
        if (r < 4)
            return "0";
        if (r < 27)
            return "1";
        if (r < 82)
            return "2";
        if (r < 93)
            return "3";
        return r < 97 ? "4" : "5";
    }

    QVariantList personColumns(const Person& p) {
        const QString street =
            m_rng.percent(10) ? QString()
                              : QString::number(m_rng.between(1, 999)) + " " + m_rng.pick(kStreets);
        const QString barangay = m_rng.percent(5) ? QString() : m_rng.pick(kBarangays);
        return {p.lastName,
                textOrNull(p.firstName),
                textOrNull(p.middleName),
                p.sex,
                stamp(QDateTime(p.birthDate, QTime(0, 0))),
                p.storedAge,
                civilStatus(),
                textOrNull(street),
                textOrNull(barangay),
                m_zipCodes[m_rng.below(int(m_zipCodes.size()))]};
    }

    QVariant medicareType(int serial) {
        // The first admissions walk the whole code table once, then one code
        // the table does not know; after that a spread with some unknowns.
        if (serial < kMedicareTypes.size())
            return kMedicareTypes[serial];
        if (serial == kMedicareTypes.size())
            return kUnknownMedicareType;
        if (m_rng.percent(20))
            return kNullText;
        return m_rng.pick(kMedicareTypes);
    }

    QString attendingDoctor() { return m_doctors[m_rng.between(kRadiologists, 39)]; }

    void addAddresses() {
        TableWriter towns(m_db, "BUILD_FILE.tbCoAddress", {"ZipCode", "Town", "Province"});
        QStringList used;
        for (int p = 0; p < kProvinces.size(); ++p) {
            for (int t = 0; t < 5; ++t) {
                QString town;
                do
                    town = m_rng.pick(kTownHeads) + m_rng.pick(kTownTails);
                while (used.contains(town));
                used << town;
                const QString zip = QString::number(4100 + p * 100 + t * 10);
                towns.add({zip, town, kProvinces[p]});
                m_zipCodes << zip;
                m_townNames << town + ", " + kProvinces[p];
            }
        }
    }

    void addHospital() {
        TableWriter hospital(m_db, "PATIENT_DATA.tbHospitalInfo",
                             {"RowKey", "Company", "Address1", "ClientName", "OPDPassword", "TIN"});
        hospital.add({1, "VALMERA BAY MEDICAL CENTER", "KM. 3 NARRA AVENUE, " + m_townNames[0],
                      "DEMO", "opd2026", "004-217-563-000"});
    }

    void addUsers() {
        struct User {
            QString id;
            QString position;
            QString active;
            QList<QPair<QString, QString>> rights; // department, right
        };
        // A clerk without "A", a supervisor with "A" for the section's
        // department, a radiologist, two technologists, a user who holds "A"
        // only in another department, and a supervisor who has left.
        const QList<User> users{
            {"10021", "CLERK", "Y", {{kSectionDept, "E"}}},
            {"10022", "CLERK", "Y", {{kSectionDept, "E"}}},
            {"10031", "SUPERVISOR", "Y", {{kSectionDept, "A"}, {kSectionDept, "E"}}},
            {"10041", "RADIOLOGIST", "Y", {{kSectionDept, "E"}}},
            {"10051", "RAD TECH", "Y", {{kSectionDept, "E"}}},
            {"10052", "RAD TECH", "Y", {{kSectionDept, "E"}}},
            {"10061", "BILLING CLERK", "Y", {{"15", "A"}, {"15", "E"}}},
            {"10071", "SUPERVISOR", "N", {{kSectionDept, "A"}, {kSectionDept, "E"}}},
        };
        TableWriter main(m_db, "PASSWORD.tbPasswordMain",
                         {"EmployeeID", "LastName", "FirstName", "MiddleName", "Position",
                          "FailedAttempts", "Active"});
        TableWriter rights(m_db, "PASSWORD.tbPasswordRights",
                           {"EmployeeID", "DeptCode", "RightCode"});
        for (const User& u : users) {
            const bool female = m_rng.percent(60);
            main.add({u.id, surname(), givenName(female), surname(), u.position, 0, u.active});
            for (const auto& r : u.rights)
                rights.add({u.id, r.first, r.second});
        }
    }

    void addRooms() {
        struct RoomClass {
            QString letter;
            QString description;
            QString station;
            QString prefix;
            int count;
        };
        const QList<RoomClass> classes{
            {"A", "SUITE", "5TH FLOOR STATION", "50", 4},
            {"B", "PRIVATE DELUXE", "4TH FLOOR STATION", "40", 6},
            {"C", "PRIVATE", "3RD FLOOR STATION", "30", 6},
            {"D", "SEMI-PRIVATE", "2ND FLOOR STATION", "20", 8},
            {"E", "ECONOMY", "1ST FLOOR STATION", "10", 8},
            {"F", "WARD", "WARD STATION", "W0", 8},
        };
        TableWriter rooms(m_db, "BUILD_FILE.tbcoroom",
                          {"RoomID", "Description", "RoomClassID", "Station"});
        for (const RoomClass& c : classes) {
            for (int i = 1; i <= c.count; ++i) {
                const Room room{c.prefix + QString::number(i), c.letter};
                rooms.add({room.id, c.description, c.letter, c.station});
                m_rooms << room;
            }
        }
    }

    static constexpr int kRadiologists = 6;

    void addDoctors() {
        const QStringList specialties{"SURGERY",           "OBSTETRICS-GYNECOLOGY",
                                      "INTERNAL MEDICINE", "FAMILY MEDICINE",
                                      "ONCOLOGY",          "GENERAL PRACTICE"};
        TableWriter doctors(m_db, "BUILD_FILE.tbCoDoctor",
                            {"DoctorID", "LastName", "FirstName", "MiddleName", "Specialty"});
        for (int i = 0; i < 40; ++i) {
            const QString id = QString("D%1").arg(i + 1, 3, 10, QChar('0'));
            const QString specialty =
                i < kRadiologists ? QString("RADIOLOGY") : specialties[i % specialties.size()];
            const QString last = surname();
            const QString first = givenName(m_rng.percent(55));
            doctors.add({id, last, first, surname(), specialty});
            m_doctors << id;
            m_doctorNames << last + ", " + first;
        }
    }

    void addExams() {
        TableWriter exams(m_db, "BUILD_FILE.tbCoOtherRevenue",
                          {"OtherRevenueID", "OtherRevenue", "RevenueID", "SectionID", "RateA",
                           "RateB", "RateC", "RateD", "RateE", "RateF", "RateG"});
        for (const Exam& e : kExams) {
            QVariantList row{e.code, e.name, e.revenue, textOrNull(e.section)};
            for (int r = 0; r < 7; ++r)
                row << money(rateCents(e, r));
            exams.add(row);
        }
    }

    void addMarkups() {
        TableWriter markups(m_db, "BUILD_FILE.tbcoMarkup",
                            {"MarkupID", "Percentage", "Description"});
        markups.add({1, "10.00", "HOLIDAY"});
        markups.add({2, "25.00", "STAT"});
        markups.add({3, "30.00", "SUNDAY"});
        markups.add({4, "50.00", "AFTER 5 P.M."});
    }

    void addFilmsAndTemplates() {
        TableWriter films(m_db, "RADIOLOGY.tbmammofilm", {"code", "description"});
        films.add({"01", "18 X 24 CM"});
        films.add({"02", "24 X 30 CM"});
        films.add({"03", "8 X 10 IN"});
        films.add({"04", "10 X 12 IN"});

        TableWriter templates(m_db, "RADIOLOGY.tbmminterpretation",
                              {"code", "description", "interpretation"});
        templates.add({"T001", "NORMAL BILATERAL",
                       "Both breasts show scattered fibroglandular densities. No mass, "
                       "architectural distortion or suspicious calcification is seen. The skin "
                       "and nipples are unremarkable. No axillary adenopathy."});
        templates.add({"T002", "BENIGN CALCIFICATIONS",
                       "Scattered coarse calcifications of benign appearance are seen in both "
                       "breasts. No suspicious mass or architectural distortion."});
        templates.add({"T003", "SIMPLE CYST",
                       "A well-circumscribed oval mass corresponds to a simple cyst on "
                       "ultrasound. No other abnormality."});
        templates.add({"T004", "PROBABLY BENIGN, SHORT INTERVAL FOLLOW-UP",
                       "A circumscribed nodule with probably benign features is seen. A "
                       "follow-up study in six months is suggested."});
        templates.add({"T005", "SUSPICIOUS MASS, BIOPSY ADVISED",
                       "An irregular spiculated mass is seen. Tissue sampling is advised."});
    }

    static constexpr int kAdmittedPatients = 300;
    static constexpr int kPatients = 360;

    void addPatients() {
        TableWriter master(m_db, "PATIENT_DATA.tbMaster",
                           {"HospNum", "LastName", "FirstName", "MiddleName", "Sex", "BirthDate",
                            "Age", "CivilStatus", "HouseStreet", "Barangay", "ZipCode"});
        for (int i = 0; i < kPatients; ++i) {
            const Person p = person(QString::number(100100 + i), 92, 28, 82);
            master.add(QVariantList{p.hospNum} + personColumns(p));
            m_patients << p;
        }
    }

    // A stay that is still open, closed, or somewhere between; the first
    // patients are pinned so that every room class and the special admission
    // type are sure to be found among the current admissions.
    void addAdmissions() {
        QList<Admission> stays;
        for (int i = 0; i < kAdmittedPatients; ++i) {
            Admission a;
            a.patient = i;
            a.doctor = attendingDoctor();
            a.room =
                i < 6 ? roomOfClass(QString(QChar('A' + i))) : m_rng.below(int(m_rooms.size()));
            const int kind = i < 8 ? 0 : m_rng.below(100);
            if (kind < 55) { // in the hospital, account open
                a.admitted = officeTime(m_rng.between(1, 20));
            } else if (kind < 70) { // discharged and billed
                a.admitted = officeTime(m_rng.between(8, 25));
                a.discharged = a.admitted.addDays(m_rng.between(2, 6)).addSecs(3600 * 3);
                a.billed = a.discharged.addSecs(-3600);
            } else if (kind < 80) { // discharged, bill not yet closed
                a.admitted = officeTime(m_rng.between(6, 20));
                a.discharged = a.admitted.addDays(m_rng.between(2, 5));
            } else if (kind < 90) { // account closed while still admitted
                a.admitted = officeTime(m_rng.between(5, 20));
                a.billed = a.admitted.addDays(m_rng.between(2, 4));
            } else { // an older stay, long closed
                a.admitted = officeTime(m_rng.between(30, 120));
                a.discharged = a.admitted.addDays(m_rng.between(2, 9));
                a.billed = a.discharged.addSecs(-1800);
            }
            a.admissionType = admissionType(i);
            stays << a;
        }
        for (int i = 0; i < 40; ++i) { // earlier stays of the same patients
            Admission a;
            a.patient = i * 7 % kAdmittedPatients;
            a.doctor = attendingDoctor();
            a.room = m_rng.below(int(m_rooms.size()));
            a.admitted = officeTime(m_rng.between(150, 700));
            a.discharged = a.admitted.addDays(m_rng.between(2, 10));
            a.billed = a.discharged.addSecs(-3600);
            a.admissionType = m_rng.percent(50) ? 1 : 0;
            stays << a;
        }
        std::stable_sort(stays.begin(), stays.end(), [](const Admission& x, const Admission& y) {
            return x.admitted < y.admitted;
        });

        TableWriter patient(m_db, "PATIENT_DATA.tbPatient",
                            {"IDNum", "HospNum", "AdmissionDate", "DischargeDate", "BillingDate",
                             "RoomID", "AttendingDr1", "AccountNum", "Company", "MedicareType",
                             "Age", "CancelBilled"});
        TableWriter patient2(m_db, "PATIENT_DATA.tbPatient2", {"IDNum", "AdmissionTypeID"});
        for (int k = 0; k < stays.size(); ++k) {
            Admission& a = stays[k];
            a.idNum = QString::number(2600001 + k);
            const Person& p = m_patients[a.patient];
            QVariant account = kNullText;
            QVariant company = kNullText;
            if (m_rng.percent(20)) {
                const Company& c = kCompanies[m_rng.below(int(kCompanies.size()))];
                account = c.account;
                company = c.name;
            }
            patient.add({a.idNum, p.hospNum, stamp(a.admitted), stamp(a.discharged),
                         stamp(a.billed), m_rooms[a.room].id, a.doctor, account, company,
                         medicareType(k), p.ageOn(a.admitted.date()),
                         // Billing reopens a few closed accounts for cancellations.
                         a.billed.isValid() && m_rng.percent(25) ? QVariant("Y") : kNullText});
            if (a.admissionType >= 0)
                patient2.add({a.idNum, a.admissionType == 0
                                           ? kNullText
                                           : QVariant(QString::number(a.admissionType))});
        }
        m_admissions = stays;
    }

    int roomOfClass(const QString& roomClass) const {
        for (int i = 0; i < m_rooms.size(); ++i)
            if (m_rooms[i].roomClass == roomClass)
                return i;
        return 0;
    }

    int admissionType(int patient) {
        if (patient == 6 || patient == 7)
            return 9; // pinned, so the current admissions always include special ones
        const int r = m_rng.below(100);
        if (r < 7)
            return -1;
        if (r < 15)
            return 9;
        if (r < 50)
            return 0;
        return r < 92 ? 1 : 2;
    }

    void addVisits() {
        QList<Visit> visits;
        for (int i = 0; i < 200; ++i) {
            Visit v;
            v.patient = m_rng.percent(60) ? m_rng.between(kAdmittedPatients, kPatients - 1)
                                          : m_rng.below(kAdmittedPatients);
            v.visited = officeTime(i < 12 ? 0 : m_rng.between(1, 60));
            v.doctor = attendingDoctor();
            visits << v;
        }
        std::stable_sort(visits.begin(), visits.end(),
                         [](const Visit& x, const Visit& y) { return x.visited < y.visited; });

        TableWriter outpatient(m_db, "PATIENT_DATA.tbOutPatient",
                               {"IDNum", "HospNum", "AdmDate", "DcrDate", "BillingDate",
                                "DoctorID1", "AccountNum", "Company", "MedicareType", "Age"});
        for (int k = 0; k < visits.size(); ++k) {
            Visit& v = visits[k];
            v.idNum = "OP" + QString::number(2600001 + k);
            const Person& p = m_patients[v.patient];
            QDateTime released;
            QDateTime billed;
            if (v.visited.date() < m_today && m_rng.percent(85)) {
                released = v.visited.addSecs(3600 * m_rng.between(1, 4));
                if (m_rng.percent(35))
                    billed = released;
            }
            QVariant account = kNullText;
            QVariant company = kNullText;
            if (m_rng.percent(10)) {
                const Company& c = kCompanies[m_rng.below(int(kCompanies.size()))];
                account = c.account;
                company = c.name;
            }
            outpatient.add({v.idNum, p.hospNum, stamp(v.visited), stamp(released), stamp(billed),
                            v.doctor, account, company,
                            m_rng.percent(30) ? kNullText : QVariant(m_rng.pick(kMedicareTypes)),
                            p.ageOn(v.visited.date())});
        }
        m_visits = visits;
    }

    static constexpr int kWalkIns = 100;

    void addCashPatients() {
        TableWriter cash(m_db, "PATIENT_DATA.tbCashPatient",
                         {"HospNum", "LastName", "FirstName", "MiddleName", "Sex", "BirthDate",
                          "Age", "CivilStatus", "HouseStreet", "Barangay", "ZipCode",
                          "RegisterDate"});
        // Walk-in numbers are the prefix and the counter without leading zeros,
        // as the registration writes them.
        QList<QDateTime> registered;
        for (int i = 0; i < kWalkIns; ++i)
            registered << officeTime(m_rng.between(1, 90));
        std::sort(registered.begin(), registered.end());
        for (int i = 0; i < kWalkIns; ++i) {
            const Person p = person("W" + QString::number(i + 1), 90, 30, 75);
            cash.add(QVariantList{p.hospNum} + personColumns(p) +
                     QVariantList{stamp(registered[i])});
            m_walkIns << p;
        }
    }

    // Cash-basis assessments: some still unpaid, some paid at the cashier and
    // waiting for the section, some paid and already used for a request.
    void addAssessmentsAndPaidRequests() {
        struct Assessment {
            QDateTime when;
            QString idNum;
            Person patient;
            QString roomClass; // "A" for both outpatient kinds
            int rate = 0;
            QString doctor;
            QString doctorName;
            QList<int> exams;
        };
        QList<Assessment> list;
        for (int i = 0; i < 30; ++i) {
            Assessment a;
            a.when = officeTime(m_rng.between(0, 10));
            const int kind = m_rng.below(10);
            if (kind < 5) { // walk-in, priced at the cash rate
                a.patient = m_walkIns[m_rng.below(kWalkIns)];
                a.idNum = a.patient.hospNum;
                a.rate = 6;
            } else if (kind < 8) { // registered patient paying cash
                a.patient = m_patients[m_rng.between(kAdmittedPatients, kPatients - 1)];
                a.idNum = "T" + a.patient.hospNum + "C";
                a.rate = 0;
            } else { // confined patient, by room class A to F
                const Admission& adm = currentAdmission();
                a.patient = m_patients[adm.patient];
                a.idNum = adm.idNum;
                a.rate = rateOfClass(m_rooms[adm.room].roomClass);
                a.doctor = adm.doctor;
            }
            if (a.doctor.isEmpty() && m_rng.percent(70))
                a.doctor = attendingDoctor();
            const int items = m_rng.percent(30) ? 2 : 1;
            while (a.exams.size() < items) {
                const int e = m_rng.below(25); // the section's own items
                if (!a.exams.contains(e))
                    a.exams << e;
            }
            list << a;
        }
        std::stable_sort(list.begin(), list.end(),
                         [](const Assessment& x, const Assessment& y) { return x.when < y.when; });

        TableWriter lines(m_db, "BILLING.tbCashAssessment",
                          {"RefNum", "RevenueID", "ItemID", "PatientName", "Quantity", "Amount",
                           "RequestingSection", "UserID", "IdNum", "HospNum", "DoctorID",
                           "DoctorName", "AssessDate", "ORNumber", "PaidDate", "ItemUsed"});
        int receipts = 0;
        for (int k = 0; k < list.size(); ++k) {
            const Assessment& a = list[k];
            const QString number = "MM" + QString::number(k + 1);
            const bool paid = m_rng.percent(70);
            const bool used = paid && m_rng.percent(50);
            const QString receipt = paid ? "OR" + QString::number(4100001 + receipts++) : QString();
            const QDateTime paidAt =
                paid ? a.when.addSecs(60 * m_rng.between(10, 50)) : QDateTime();
            const QString user = m_rng.percent(50) ? "10021" : "10022";
            Slip slip{paidAt.addSecs(600), receipt, user, {}};
            for (int e : a.exams) {
                const Exam& exam = kExams[e];
                const qint64 cents = rateCents(exam, a.rate);
                lines.add({number, exam.revenue, exam.code, a.patient.fullName(), "1.00",
                           money(cents), kNullText, user, a.idNum, a.patient.hospNum,
                           textOrNull(a.doctor), textOrNull(doctorName(a.doctor)), stamp(a.when),
                           textOrNull(receipt), stamp(paidAt), used ? QVariant("Y") : kNullText});
                // Paid items are saved by the section under the receipt, always
                // as an outpatient request.
                slip.lines << RequestLine{
                    a.idNum, a.patient.hospNum, exam.code, cents, a.doctor, "O", "OPD", "D"};
            }
            if (used)
                m_slips << slip;
        }
        m_assessments = int(list.size());
    }

    QString doctorName(const QString& id) const {
        const qsizetype i = m_doctors.indexOf(id);
        return i < 0 ? QString() : m_doctorNames[i];
    }

    const Admission& currentAdmission() {
        for (;;) {
            const Admission& a = m_admissions[m_rng.below(int(m_admissions.size()))];
            if (!a.discharged.isValid() && !a.billed.isValid())
                return a;
        }
    }

    void addOutpatientCommunications() {
        TableWriter lines(m_db, "PATIENT_DATA.tbOPDCommunicationFile",
                          {"IdNum", "RequestNum", "ItemID", "HospNum", "RevenueID", "Quantity",
                           "Amount", "RequestDate", "DoctorID", "Printed"});
        const int firstRecent =
            int(std::find_if(
                    m_visits.cbegin(), m_visits.cend(),
                    [this](const Visit& v) { return v.visited.date() >= m_today.addDays(-14); }) -
                m_visits.cbegin());
        int request = 7000001;
        for (int v = firstRecent; v < m_visits.size() && request < 7000025; ++v) {
            if (!m_rng.percent(60))
                continue;
            const Visit& visit = m_visits[v];
            const bool printed = m_rng.percent(35);
            QList<int> exams{m_rng.percent(80) ? m_rng.below(25) : m_rng.between(25, 28)};
            if (m_rng.percent(25)) {
                const int second = m_rng.below(25);
                if (!exams.contains(second))
                    exams << second;
            }
            for (int e : exams) {
                const Exam& exam = kExams[e];
                lines.add({visit.idNum, QString::number(request), exam.code,
                           m_patients[visit.patient].hospNum, exam.revenue, "1.00",
                           money(rateCents(exam, 0)), stamp(visit.visited.addSecs(1800)),
                           visit.doctor, printed ? QVariant("Y") : kNullText});
            }
            ++request;
        }
    }

    // Charge slips of admitted patients and registered outpatients. Inpatients
    // are priced by room class (RateF for the special admission type); an
    // ordinary admission in a class without a rate gets no request, because
    // the entry window refuses a zero amount.
    void addRequests() {
        int made = 0;
        while (made < 70) {
            const Admission& a = m_admissions[m_rng.below(int(m_admissions.size()))];
            // Charges stop when the patient leaves or the account is closed.
            QDateTime until = at(0, 7, 0);
            if (a.discharged.isValid())
                until = std::min(until, a.discharged);
            if (a.billed.isValid())
                until = std::min(until, a.billed);
            const QDateTime from = std::max(a.admitted, at(14, 0, 0));
            if (until <= from)
                continue;
            const int rate = a.admissionType == 9 ? 5 : rateOfClass(m_rooms[a.room].roomClass);
            if (rate < 0 || (rate == 5 && a.admissionType != 9))
                continue;
            const Person& p = m_patients[a.patient];
            const qint64 span = from.secsTo(until);
            Slip slip{from.addSecs(qint64(m_rng.next() % quint32(span))), {}, clerk(), {}};
            for (int e : examsForSlip())
                slip.lines << RequestLine{
                    a.idNum,  p.hospNum, kExams[e].code,     rateCents(kExams[e], rate),
                    a.doctor, "I",       m_rooms[a.room].id, "D"};
            if (m_rng.percent(15)) // the radiologist's professional fee
                slip.lines << RequestLine{a.idNum,
                                          p.hospNum,
                                          m_doctors[m_rng.below(kRadiologists)],
                                          80000,
                                          a.doctor,
                                          "I",
                                          m_rooms[a.room].id,
                                          "P"};
            m_slips << slip;
            ++made;
        }
        for (const Visit& v : m_visits) {
            if (v.visited.date() < m_today.addDays(-20) || !m_rng.percent(45))
                continue;
            const Person& p = m_patients[v.patient];
            Slip slip{v.visited.addSecs(1200), {}, clerk(), {}};
            for (int e : examsForSlip())
                slip.lines << RequestLine{
                    v.idNum,  p.hospNum, kExams[e].code, rateCents(kExams[e], 0),
                    v.doctor, "O",       "OPD",          "D"};
            m_slips << slip;
        }
    }

    QList<int> examsForSlip() {
        QList<int> exams{m_rng.percent(60) ? m_rng.below(2) : m_rng.below(25)};
        if (m_rng.percent(25)) {
            const int second = m_rng.between(4, 24);
            if (!exams.contains(second))
                exams << second;
        }
        return exams;
    }

    QString clerk() {
        static const QStringList users{"10021", "10022", "10031"};
        return m_rng.pick(users);
    }

    void writeRequests() {
        std::stable_sort(m_slips.begin(), m_slips.end(),
                         [](const Slip& x, const Slip& y) { return x.when < y.when; });
        TableWriter requests(m_db, "RADIOLOGY.tbMammoMaster",
                             {"RequestNum", "IdNum", "HospNum", "RefNum", "ItemID", "Quantity",
                              "Amount", "DoctorID", "PatientType", "RoomID", "ChargeType", "UserID",
                              "RequestDate", "Status", "RadTech", "CancelDate", "CancelledBy"});
        int requestNum = 0;
        for (const Slip& slip : m_slips) {
            const QString ref =
                slip.receipt.isEmpty() ? "C" + QString::number(m_nextSlip++) + "E" : slip.receipt;
            for (const RequestLine& line : slip.lines) {
                // Cash items stay usable only while their request stands, so
                // the demo cancels charged lines only.
                const bool cancelled = slip.receipt.isEmpty() && m_rng.percent(12);
                const bool done = !cancelled && slip.when.date() < m_today && m_rng.percent(55) &&
                                  line.chargeType == "D";
                requests.add({QString("%1").arg(++requestNum, 8, 10, QChar('0')), line.idNum,
                              line.hospNum, ref, line.item, "1.00", money(line.cents),
                              textOrNull(line.doctor), line.patientType, textOrNull(line.room),
                              line.chargeType, slip.user, stamp(slip.when), cancelled ? "R" : "N",
                              done ? QVariant(m_rng.percent(50) ? "10051" : "10052") : kNullText,
                              cancelled ? stamp(slip.when.addSecs(5400)) : kNullText,
                              cancelled ? QVariant("10031") : kNullText});
            }
        }
    }

    void setCounters() {
        m_db.exec("UPDATE RADIOLOGY.tbMammoSlip SET RefNum = :n", {{"n", m_nextSlip}});
        m_db.exec("UPDATE BILLING.tbAssessmentNum SET AssessmentNum = :n",
                  {{"n", m_assessments + 1}});
        m_db.exec("UPDATE PATIENT_DATA.tbLastWalkInNum SET lastopd = :last, transnum = :n",
                  {{"last", QString("W%1").arg(kWalkIns, 7, 10, QChar('0'))}, {"n", kWalkIns}});
    }

    Backend& m_db;
    DemoRandom m_rng;
    QDate m_today;
    QStringList m_zipCodes;
    QStringList m_townNames;
    QStringList m_doctors;
    QStringList m_doctorNames;
    QList<Room> m_rooms;
    QList<Person> m_patients;
    QList<Person> m_walkIns;
    QList<Admission> m_admissions;
    QList<Visit> m_visits;
    QList<Slip> m_slips;
    int m_assessments = 0;
    int m_nextSlip = 901;
};

} // namespace

void loadDemoData(Backend& backend, quint32 seed) {
    loadDemoData(backend, seed, QDate::currentDate());
}

void loadDemoData(Backend& backend, quint32 seed, const QDate& today) {
    if (backend.scalar("SELECT COUNT(*) FROM PATIENT_DATA.tbHospitalInfo").toInt() > 0)
        throw Error("The database already holds a hospital; demonstration data goes only into "
                    "a new database.");
    Transaction tx(backend);
    DemoBuilder(backend, seed, today).run();
    for (const DemoExtension& extend : demoExtensions())
        extend(backend, seed, today);
    tx.commit();
}

} // namespace server
