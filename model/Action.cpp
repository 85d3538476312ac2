#include "model/Action.h"

#include "model/DefaultTables.h"

const attribute_desc_s* Action::getEntityAttributes() {
    static const attribute_desc_s attributes[] = {
        {"index", 1, 0, 100},
        {"name", 0, 0, 700},
        {"url", 0, 1, 700},
        {nullptr, 0, 0, 0},
    };
    return attributes;
}

const relationship_desc_s* Action::getEntityRelationships() {
    static const relationship_desc_s relationships[] = {
        {"classes", 0, 0, 0, -1, 1, "Classification", nullptr},
        {nullptr, 0, 0, 0, 0, 0, nullptr, nullptr},
    };
    return relationships;
}

void Action::populateDefaults(store::Context& context) {
    auto classes = Classification::classesByNameInContext(context);
    for (int row = 0; row < kDefaultActionCount; ++row) {
        const auto& defaults = DefaultActions[row];
        auto action = context.insertNewObject<Action>("Action");
        if (!action) {
            continue;
        }
        action->setIndex(row);
        action->setName(defaults.name);
        action->setUrl(defaults.url);
        for (const char* name : {defaults.firstClassification, defaults.secondClassification}) {
            if (!name) {
                continue;
            }
            if (auto found = classes.find(name); found != classes.end()) {
                action->addClassesObject(found->second);
            }
        }
    }
}

std::optional<std::vector<std::shared_ptr<Action>>> Action::actionsInContext(
    store::Context& context) {
    store::FetchRequest request("Action");
    request.sortDescriptors = {store::SortDescriptor("index")};
    return context.executeFetchRequestAs<Action>(request, nullptr);
}

std::vector<std::shared_ptr<Classification>> Action::classes() {
    std::vector<std::shared_ptr<Classification>> result;
    for (auto& object : objectsForKey("classes")) {
        if (auto classification = std::dynamic_pointer_cast<Classification>(object)) {
            result.push_back(std::move(classification));
        }
    }
    return result;
}

bool Action::hasAnyClassification(const std::set<std::string>& names) {
    for (const auto& classification : classes()) {
        if (names.contains(classification->name())) {
            return true;
        }
    }
    return false;
}

bool Action::validateUrl(foundation::Value& value, foundation::Error*) {
    if (value.isNull()) {
        value = foundation::Value("");
    }
    return true;
}

bool Action::validateName(foundation::Value& value, foundation::Error*) {
    return value.isString() && !value.asString()->empty();
}

bool Action::validateKey(const std::string& key, foundation::Value& value,
                         foundation::Error* error) {
    if (key == "url") {
        return validateUrl(value, error);
    }
    if (key == "name") {
        return validateName(value, error);
    }
    return true;
}
