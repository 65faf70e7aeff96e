#pragma once

#include <QString>

#include <functional>

namespace ui {

// Runs a handler that touches the database or a component. An error it
// raises is shown with its description in a critical message box; the window
// stays open and the program goes on. Returns false when the handler failed.
bool guard(const std::function<void()>& handler);

// The description of the error being handled (for a catch block of one's own).
QString describeCurrentError();

} // namespace ui
