#pragma once

// A link template the user can edit: a title and a URL prefix to which the
// escaped code value is appended, offered for the Classifications it is
// bound to; stored in the history store.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/Classification.h"
#include "model/EntityFactory.h"
#include "platform/store/Context.h"

class Action : public store::ManagedObject {
  public:
    static const attribute_desc_s* getEntityAttributes();
    static const relationship_desc_s* getEntityRelationships();

    // Inserts the ten DefaultActions, bound to the Classifications of the
    // context found by name (a missing one is skipped); no save.
    static void populateDefaults(store::Context& context);
    // All Actions by `index` ascending; nullopt when the fetch fails.
    static std::optional<std::vector<std::shared_ptr<Action>>> actionsInContext(
        store::Context& context);

    std::int32_t index() { return valueForKey("index").intValue(); }
    void setIndex(std::int32_t index) { setValue(index, "index"); }
    std::string name() { return valueForKey("name").stringValue(); }
    void setName(const std::string& name) { setValue(name, "name"); }
    std::string url() { return valueForKey("url").stringValue(); }
    void setUrl(const std::string& url) { setValue(url, "url"); }
    std::vector<std::shared_ptr<Classification>> classes();
    void addClassesObject(const std::shared_ptr<Classification>& classification) {
        addObject(classification, "classes");
    }

    // True when one of the names is the name of one of the Action's classes.
    bool hasAnyClassification(const std::set<std::string>& names);

    // A missing url becomes ""; always valid.
    bool validateUrl(foundation::Value& value, foundation::Error* error);
    // Non-empty names only; no error object is filled in.
    bool validateName(foundation::Value& value, foundation::Error* error);

  protected:
    bool validateKey(const std::string& key, foundation::Value& value,
                     foundation::Error* error) override;
};
