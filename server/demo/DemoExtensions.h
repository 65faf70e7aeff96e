#pragma once

#include <QDate>
#include <QList>

#include <functional>

namespace server {

class Backend;

// Demonstration data of the tables that later parts of the system add, loaded
// after the master data inside the same transaction.
using DemoExtension = std::function<void(Backend&, quint32 seed, const QDate& today)>;
const QList<DemoExtension>& demoExtensions();

// One loader per file of server/demo/.
void loadSectionMonitorDemoData(Backend& backend, quint32 seed, const QDate& today);
void loadChargeDemoData(Backend& backend, quint32 seed, const QDate& today);

} // namespace server
