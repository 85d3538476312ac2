#pragma once

// One scanned code in the history: when it was read, its symbology, its text,
// its title and its thumbnail (kept as PNG in the store); beside that, not
// stored, the picture it was read from, its classification and whether a
// product-name lookup was done.

#include <cstdint>
#include <optional>
#include <string>

#include "model/Classifier.h"
#include "model/EntityFactory.h"
#include "platform/foundation/Date.h"
#include "platform/graphics/Image.h"

class Barcode : public store::ManagedObject {
  public:
    static const attribute_desc_s* getEntityAttributes();

    foundation::Date date();
    void setDate(foundation::Date date) { setValue(date, "date"); }
    // The reader's symbology code, read as a signed 32-bit integer.
    std::int32_t type() { return valueForKey("type").intValue(); }
    void setType(std::int32_t type) { setValue(type, "type"); }
    std::string data() { return valueForKey("data").stringValue(); }
    void setData(const std::string& data) { setValue(data, "data"); }
    // "" when the code has no title.
    std::string name() { return valueForKey("name").stringValue(); }
    void setName(const std::string& name) { setValue(name, "name"); }

    // The thumbnail: the one in memory, else decoded once from the stored PNG.
    graphics::Image::Ptr thumb();
    // Replaces the thumbnail; the next save stores its PNG.
    void setThumb(graphics::Image::Ptr thumb);
    graphics::Image::Ptr primitiveThumb() const { return primitiveThumb_; }
    void setPrimitiveThumb(graphics::Image::Ptr thumb) { primitiveThumb_ = std::move(thumb); }

    const graphics::Image::Ptr& image() const { return image_; }
    void setImage(graphics::Image::Ptr image) { image_ = std::move(image); }
    const std::optional<ClassificationDictionary>& classification() const {
        return classification_;
    }
    void setClassification(std::optional<ClassificationDictionary> classification) {
        classification_ = std::move(classification);
    }
    bool scraped() const { return scraped_; }
    void setScraped(bool scraped) { scraped_ = scraped; }

    // Encodes the thumbnail as PNG when no stored PNG is there.
    void willSave() override;

    // Classifies the code with the shared classifier tree. A code without a
    // title takes the classification's "name"; without one, and when no
    // lookup was done, scrapeName runs 0.25 s later on the main run loop.
    void classify();
    // Starts no lookup: product-name lookups stand apart from the store.
    void scrapeName() {}

  private:
    graphics::Image::Ptr primitiveThumb_;
    graphics::Image::Ptr image_;
    std::optional<ClassificationDictionary> classification_;
    bool scraped_ = false;
};
