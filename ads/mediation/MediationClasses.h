#pragma once

// Registers the component's own adapter classes and the slots' mediation
// glue in the class registry before any of them is looked up by name; a
// class already registered under one of the names (a test's stand-in) stays.
// The first call also hands slots and requests these classes
// (GADMediationClasses), so every slot made afterwards registers them again
// before it looks up its glue and every request reports the adapters. The
// application calls it when it registers its classes.

namespace mediation {

void registerMediationClasses();

}  // namespace mediation
