#include "src/shell/Routes.h"

#include "src/data/SharedComponents.h"
#include "src/shell/frmAccess.h"
#include "src/ui/MsgBox.h"

#include <QHash>

namespace shell {

namespace {

QHash<QString, Route>& routes() {
    static QHash<QString, Route> table;
    return table;
}

} // namespace

void registerRoute(const QString& command, Route route) {
    routes().insert(command, std::move(route));
}

const Route* findRoute(const QString& command) {
    const auto it = routes().constFind(command);
    return it == routes().cend() ? nullptr : &it.value();
}

bool passwordAndRightsCheck(QWidget* parent) {
    frmAccess access(parent);
    access.exec();
    if (!access.CanAccess()) {
        ui::MsgBox("Invalid Password!", ui::vbCritical);
        return false;
    }
    if (!data::currentSession().sessionComponent->HAVE_RIGHTS("A")) {
        ui::MsgBox("Unauthorized Access.", ui::vbCritical);
        return false;
    }
    return true;
}

} // namespace shell
