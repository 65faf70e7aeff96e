#include "src/charges/ChargeRules.h"

#include <cmath>

namespace charges {

double leadingNumber(const QString& text) {
    const QString t = text.trimmed();
    int end = 0;
    if (end < t.size() && (t[end] == '+' || t[end] == '-'))
        ++end;
    bool point = false;
    int digits = 0;
    for (; end < t.size(); ++end) {
        if (t[end].isDigit()) {
            ++digits;
        } else if (t[end] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0;
    return t.left(end).toDouble();
}

QString money(double value) {
    // Rounded half away from zero, as amounts on a slip are.
    const double cents = std::round(value * 100.0);
    return QString::number(cents / 100.0, 'f', 2);
}

double roomClassRate(const data::OtherRevenueInfo& item, const QString& roomClass) {
    static const QString classes = "ABCDE";
    if (roomClass.size() != 1 || !classes.contains(roomClass))
        return 0;
    return item.rate(roomClass);
}

double inpatientPrice(const data::OtherRevenueInfo& item, const QString& roomClass,
                      bool specialAdmission) {
    if (specialAdmission)
        return std::round(item.RateF * 100.0) / 100.0;
    return roomClassRate(item, roomClass);
}

double outpatientPrice(const data::OtherRevenueInfo& item) {
    return item.RateA;
}

double receivablePrice(const data::OtherRevenueInfo& item, const QString& clientCode,
                       const QString& admissionNumber, const QString& roomClass) {
    if (clientCode == "VKT" && isAdmissionNumber(admissionNumber))
        return roomClassRate(item, roomClass);
    return item.RateA;
}

bool isAdmissionNumber(const QString& id) {
    const QString t = id.trimmed();
    bool ok = false;
    t.toDouble(&ok);
    return ok && !t.isEmpty();
}

QString lineAmount(const QString& quantity, const QString& price) {
    return money(leadingNumber(quantity) * leadingNumber(price));
}

QString markedUpAmount(const QString& price, double percent) {
    const double p = leadingNumber(price);
    return money(p + p * percent / 100.0);
}

QString admissionAddress(const data::PatientAddress& a) {
    QString line;
    if (!a.HouseStreet.isEmpty())
        line += a.HouseStreet + ", ";
    if (!a.Barangay.isEmpty())
        line += a.Barangay + ", ";
    return line + a.Town + ", " + a.Province;
}

QString outpatientAddress(const QString& house, const QString& barangay, const QString& town,
                          const QString& province) {
    QString line;
    for (const QString& part : {house, barangay, town})
        if (!part.isEmpty())
            line += part + ", ";
    return line + province;
}

std::optional<QString> filterTyped(KeyFilter filter, const QString& typed) {
    if (typed.isEmpty() || typed.at(0).unicode() <= 32)
        return typed;
    switch (filter) {
    case KeyFilter::UpperCase:
        return typed.toUpper();
    case KeyFilter::Digits: {
        static const QString accepted = "1234567890.+";
        for (QChar c : typed)
            if (!accepted.contains(c))
                return std::nullopt;
        return typed;
    }
    case KeyFilter::None:
        break;
    }
    return typed;
}

} // namespace charges
