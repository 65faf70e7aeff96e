#include "server/demo/DemoExtensions.h"

namespace server {

void loadSectionMonitorDemoData(Backend&, quint32, const QDate&) {}

} // namespace server
