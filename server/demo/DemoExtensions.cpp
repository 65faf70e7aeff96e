#include "server/demo/DemoExtensions.h"

namespace server {

const QList<DemoExtension>& demoExtensions() {
    static const QList<DemoExtension> loaders{loadSectionMonitorDemoData, loadChargeDemoData};
    return loaders;
}

} // namespace server
