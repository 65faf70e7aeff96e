#include "server/demo/DemoExtensions.h"

namespace server {

const QList<DemoExtension>& demoExtensions() {
    static const QList<DemoExtension> loaders{loadSectionMonitorDemoData};
    return loaders;
}

} // namespace server
