#pragma once

#include "src/data/SharedComponents.h"

namespace data {
class Recordset;
}

namespace his {

// The code search component: addresses, doctors and the section's exam
// items by code or from its search window, and the result file numbers.
// A false answer leaves the records of earlier searches as they were.
class clsCodeSearch final : public data::ICodeSearch {
public:
    void setMTS_Server(const QString& server) override { m_mtsServer = server; }
    void setSearchMode(bool on) override { m_searchMode = on; }
    void Initialize_Classes() override;
    void setConnection(data::Connection* connection) override { m_connection = connection; }
    void setOtherSectionID(const QString& section) override { m_section = section; }
    bool SearchListing(QString& text, int kind) override;
    const data::DoctorInfo& DoctorRecord() const override { return m_doctor; }
    const data::OtherRevenueInfo& OtherRevenueRecord() const override { return m_item; }
    const data::AddressInfo& AddressRecord() const override { return m_address; }
    bool FileNumFound(const QString& fileNumber) override;
    const data::FileNumInfo& FileNum() const override { return m_fileNum; }

    // Kept as the callers set them; the search window is always offered.
    QString MTS_Server() const { return m_mtsServer; }
    bool SearchMode() const { return m_searchMode; }
    QString OtherSectionID() const { return m_section; }

private:
    data::Connection& connection() const;
    QString command(const QString& procedure, int kind, const QString& text) const;
    bool pick(int kind, QString& text);
    void take(int kind, const data::Recordset& row);

    data::Connection* m_connection = nullptr;
    QString m_mtsServer;
    bool m_searchMode = true;
    QString m_section;
    data::DoctorInfo m_doctor;
    data::OtherRevenueInfo m_item;
    data::AddressInfo m_address;
    data::FileNumInfo m_fileNum;
};

} // namespace his
