#include "his/clsCodeSearch.h"

#include "his/frmSearchList.h"

#include "src/data/Connection.h"

#include <QApplication>

namespace his {

namespace {

bool knownKind(int kind) {
    return kind == data::ICodeSearch::Address || kind == data::ICodeSearch::Doctor ||
           kind == data::ICodeSearch::OtherRevenue;
}

QString caption(int kind) {
    switch (kind) {
    case data::ICodeSearch::Address:
        return "Search Address";
    case data::ICodeSearch::Doctor:
        return "Search Doctor";
    default:
        return "Search Exam";
    }
}

QStringList headers(int kind) {
    switch (kind) {
    case data::ICodeSearch::Address:
        return {"Code", "Town", "Province"};
    case data::ICodeSearch::Doctor:
        return {"Code", "Doctor", "Specialty"};
    default:
        return {"Code", "Exam", "Rate A"};
    }
}

QStringList shownRow(int kind, const data::Recordset& r) {
    const QString code = r["ResultCode"].text();
    switch (kind) {
    case data::ICodeSearch::Address:
        return {code, r["Town"].text(), r["Province"].text()};
    case data::ICodeSearch::Doctor: {
        QString name = r["LastName"].text() + ", " + r["FirstName"].text();
        if (!r["MiddleName"].text().isEmpty())
            name += " " + r["MiddleName"].text();
        return {code, name, r["Specialty"].text()};
    }
    default:
        return {code, r["OtherRevenue"].text(), QString::number(r["RateA"].number(), 'f', 2)};
    }
}

} // namespace

void clsCodeSearch::Initialize_Classes() {
    m_doctor = {};
    m_item = {};
    m_address = {};
    m_fileNum = {};
}

data::Connection& clsCodeSearch::connection() const {
    if (!m_connection || !m_connection->isOpen())
        throw data::DbError("The code search has no open connection.");
    return *m_connection;
}

QString clsCodeSearch::command(const QString& procedure, int kind, const QString& text) const {
    return "BUILD_FILE.." + procedure + " " + data::quoted(QString::number(kind)) + "," +
           data::quoted(text) + "," + data::quoted(m_section);
}

bool clsCodeSearch::SearchListing(QString& text, int kind) {
    if (!knownKind(kind))
        throw data::DbError(QString("The code search has no listing of kind %1.").arg(kind));
    const QString code = text.trimmed();
    if (code.isEmpty())
        return pick(kind, text);
    const data::Recordset found = connection().open(command("spBuild_CodeLookup", kind, code));
    if (found.eof())
        return false;
    take(kind, found);
    return true;
}

bool clsCodeSearch::pick(int kind, QString& text) {
    data::Connection& db = connection();
    frmSearchList window(
        QApplication::activeWindow(), caption(kind), headers(kind), [&](const QString& typed) {
            QList<QStringList> rows;
            data::Recordset r = db.open(command("spBuild_CodeSearch", kind, typed));
            for (; !r.eof(); r.moveNext())
                rows << shownRow(kind, r);
            return rows;
        });
    window.start(QString());
    if (window.exec() != QDialog::Accepted || !window.Valid())
        return false;
    const data::Recordset picked =
        db.open(command("spBuild_CodeLookup", kind, window.ResultCode()));
    if (picked.eof())
        return false;
    take(kind, picked);
    text = window.ResultCode();
    return true;
}

void clsCodeSearch::take(int kind, const data::Recordset& r) {
    switch (kind) {
    case Address:
        m_address = {r["ResultCode"].text(), r["Town"].text(), r["Province"].text()};
        break;
    case Doctor:
        m_doctor = {r["ResultCode"].text(), r["LastName"].text(), r["FirstName"].text(),
                    r["MiddleName"].text()};
        break;
    default:
        m_item.ResultCode = r["ResultCode"].text();
        m_item.OtherRevenue = r["OtherRevenue"].text();
        m_item.RateA = r["RateA"].number();
        m_item.RateB = r["RateB"].number();
        m_item.RateC = r["RateC"].number();
        m_item.RateD = r["RateD"].number();
        m_item.RateE = r["RateE"].number();
        m_item.RateF = r["RateF"].number();
        m_item.RateG = r["RateG"].number();
        break;
    }
}

bool clsCodeSearch::FileNumFound(const QString& fileNumber) {
    const QString number = fileNumber.trimmed();
    if (number.isEmpty())
        return false;
    const data::Recordset found = connection().open(
        "SELECT FileNum, HospNum, LastName, FirstName, MiddleName FROM RADIOLOGY..tbMammoFileNum "
        "WHERE FileNum = " +
        data::quoted(number));
    if (found.eof())
        return false;
    m_fileNum = {found["FileNum"].text(), found["HospNum"].text(), found["LastName"].text(),
                 found["FirstName"].text(), found["MiddleName"].text()};
    return true;
}

} // namespace his
