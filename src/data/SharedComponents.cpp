#include "src/data/SharedComponents.h"

#include "src/data/DbError.h"

#include <QHash>

namespace data {

namespace {

QHash<QString, ComponentFactory::Maker>& makers() {
    static QHash<QString, ComponentFactory::Maker> registry;
    return registry;
}

} // namespace

double OtherRevenueInfo::rate(const QString& rateClass) const {
    const QString c = rateClass.trimmed().toUpper();
    if (c == "A")
        return RateA;
    if (c == "B")
        return RateB;
    if (c == "C")
        return RateC;
    if (c == "D")
        return RateD;
    if (c == "E")
        return RateE;
    if (c == "F")
        return RateF;
    if (c == "G")
        return RateG;
    return 0;
}

void ComponentFactory::registerClass(const QString& classId, Maker maker) {
    makers().insert(classId.toLower(), std::move(maker));
}

void ComponentFactory::unregisterClass(const QString& classId) {
    makers().remove(classId.toLower());
}

std::unique_ptr<Component> ComponentFactory::create(const QString& classId) {
    const auto it = makers().constFind(classId.toLower());
    if (it == makers().cend())
        throw DbError("ActiveX component can't create object: " + classId);
    return (*it)();
}

} // namespace data
