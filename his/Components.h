#pragma once

namespace his {

// Registers the session, code search and patient search components with the
// component factory under their class identifiers.
void registerComponents();

} // namespace his
