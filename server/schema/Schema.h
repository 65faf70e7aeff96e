#pragma once

#include "server/Migrations.h"

#include <QList>

namespace server {

// Every schema change of the section's databases, oldest first, numbered from 1
// without gaps. A change that has reached a deployed database is never edited:
// the next change is a new migration appended at the end.
QList<Migration> schemaMigrations();

namespace schema {

// One function per migration, each in its own file MigrationNNNNName.cpp.
Migration migration0001MasterData();
Migration migration0002ChargeSlip();        // the charge slip dump's further columns
Migration migration0003UsersAndLog();       // log-in, rights and the user log
Migration migration0004SectionMonitors();   // nurse requests, discharge notices, section set-up
Migration migration0005Charges();           // request numbers and posted charges

} // namespace schema

} // namespace server
