#include "model/Classification.h"

#include "model/DefaultTables.h"

const attribute_desc_s* Classification::getEntityAttributes() {
    static const attribute_desc_s attributes[] = {
        {"index", 1, 0, 100},
        {"name", 0, 0, 700},
        {"level", 0, 0, 100},
        {nullptr, 0, 0, 0},
    };
    return attributes;
}

void Classification::populateDefaults(store::Context& context) {
    int groups = 0;
    for (const char* const* entry = ClassificationNames;; ++entry) {
        if (*entry == nullptr) {
            ++groups;
            if (entry[1] == nullptr) {
                break;
            }
        }
    }
    int level = groups - 1;
    int index = 0;
    for (const char* const* entry = ClassificationNames; level >= 0; ++entry) {
        if (*entry == nullptr) {
            --level;
            continue;
        }
        if (auto classification = context.insertNewObject<Classification>("Classification")) {
            classification->setIndex(index);
            classification->setName(*entry);
            classification->setLevel(level);
        }
        ++index;
    }
}

std::optional<std::vector<std::shared_ptr<Classification>>> Classification::classesInContext(
    store::Context& context) {
    store::FetchRequest request("Classification");
    request.sortDescriptors = {store::SortDescriptor("index")};
    return context.executeFetchRequestAs<Classification>(request, nullptr);
}

std::map<std::string, std::shared_ptr<Classification>> Classification::classesByNameInContext(
    store::Context& context) {
    std::map<std::string, std::shared_ptr<Classification>> byName;
    for (auto& classification :
         classesInContext(context).value_or(std::vector<std::shared_ptr<Classification>>{})) {
        byName[classification->name()] = classification;
    }
    return byName;
}

std::vector<std::shared_ptr<Classification>> Classification::classesForLevel(
    std::int64_t level, store::Context& context) {
    std::vector<std::shared_ptr<Classification>> result;
    for (auto& classification :
         classesInContext(context).value_or(std::vector<std::shared_ptr<Classification>>{})) {
        if (static_cast<std::int64_t>(classification->level()) <= level) {
            result.push_back(classification);
        }
    }
    return result;
}

bool Classification::validateName(foundation::Value& value, foundation::Error*) {
    return value.isString() && !value.asString()->empty();
}

bool Classification::validateKey(const std::string& key, foundation::Value& value,
                                 foundation::Error* error) {
    return key != "name" || validateName(value, error);
}
