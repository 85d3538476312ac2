#pragma once

// Builds the entity descriptions of the store's model from the descriptor
// tables of entity classes found by name.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/store/EntityDescription.h"

// One description per class name that names a registered entity class (the
// order of the result is not defined; names of unknown classes are skipped).
std::vector<std::shared_ptr<store::EntityDescription>> BuildEntityDescriptions(
    const std::vector<std::string>& classNames);

// Adds the class's relationships to its description in `entities`; wires an
// inverse only when the destination already has a relationship of that name.
void AddEntityRelationships(
    const std::string& className,
    std::map<std::string, std::shared_ptr<store::EntityDescription>>& entities);
