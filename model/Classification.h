#pragma once

// A named kind of code value (a symbology, a GTIN, an e-mail address, ...)
// that Actions are bound to; stored in the history store.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/EntityFactory.h"
#include "platform/store/Context.h"

class Classification : public store::ManagedObject {
  public:
    static const attribute_desc_s* getEntityAttributes();

    // Inserts one Classification per name of ClassificationNames; no save.
    static void populateDefaults(store::Context& context);
    // All Classifications by `index` ascending; nullopt when the fetch fails.
    static std::optional<std::vector<std::shared_ptr<Classification>>> classesInContext(
        store::Context& context);
    // From `name` to the Classification (a later duplicate name wins).
    static std::map<std::string, std::shared_ptr<Classification>> classesByNameInContext(
        store::Context& context);
    // The Classifications whose level, read as a signed 32-bit integer, is at
    // most `level` (by `index` ascending).
    static std::vector<std::shared_ptr<Classification>> classesForLevel(std::int64_t level,
                                                                        store::Context& context);

    std::int32_t index() { return valueForKey("index").intValue(); }
    void setIndex(std::int32_t index) { setValue(index, "index"); }
    std::string name() { return valueForKey("name").stringValue(); }
    void setName(const std::string& name) { setValue(name, "name"); }
    std::int32_t level() { return valueForKey("level").intValue(); }
    void setLevel(std::int32_t level) { setValue(level, "level"); }

    // Non-empty names only; no error object is filled in.
    bool validateName(foundation::Value& value, foundation::Error* error);

  protected:
    bool validateKey(const std::string& key, foundation::Value& value,
                     foundation::Error* error) override;
};
