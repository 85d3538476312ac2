#pragma once

// Registers the component's own adapter classes in the class registry, once
// per process, before any adapter class is looked up by name.

namespace mediation {

void registerMediationClasses();

}  // namespace mediation
