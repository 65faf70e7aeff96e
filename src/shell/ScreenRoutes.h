#pragma once

namespace shell {

// Registers the routes of the screens the main window opens: inpatient,
// outpatient and paid requests, receivable entry. Called once at start.
void registerScreenRoutes();

} // namespace shell
