#include "his/Components.h"

#include "his/clsCodeSearch.h"
#include "his/clsCurrentUser.h"
#include "his/clsPatientSearch.h"

namespace his {

void registerComponents() {
    data::ComponentFactory::registerClass(data::kSessionClassId,
                                          [] { return std::make_unique<clsCurrentUser>(); });
    data::ComponentFactory::registerClass(data::kCodeSearchClassId,
                                          [] { return std::make_unique<clsCodeSearch>(); });
    data::ComponentFactory::registerClass(data::kPatientSearchClassId,
                                          [] { return std::make_unique<clsPatientSearch>(); });
}

} // namespace his
