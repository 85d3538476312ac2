#pragma once

// Registers the component's own adapter classes and the slots' mediation
// glue in the class registry before any of them is looked up by name; a
// class already registered under one of the names (a test's stand-in) stays.

namespace mediation {

void registerMediationClasses();

}  // namespace mediation
