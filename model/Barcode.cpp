#include "model/Barcode.h"

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/PNGCodec.h"

const attribute_desc_s* Barcode::getEntityAttributes() {
    static const attribute_desc_s attributes[] = {
        {"date", 1, 0, 900}, {"type", 0, 0, 200},    {"data", 0, 0, 700}, {"name", 0, 1, 700},
        {"thumb", 0, 1, 0},  {"_thumb", 0, 1, 1000}, {nullptr, 0, 0, 0},
    };
    return attributes;
}

foundation::Date Barcode::date() {
    auto value = valueForKey("date");
    return value.isDate() ? *value.asDate() : foundation::Date();
}

graphics::Image::Ptr Barcode::thumb() {
    willAccessValueForKey("thumb");
    auto thumb = primitiveThumb_;
    didAccessValueForKey("thumb");
    if (!thumb) {
        auto stored = primitiveValueForKey("_thumb");
        if (stored.isData() && !stored.asData()->empty()) {
            thumb = graphics::Image::imageWithData(*stored.asData());
            setPrimitiveThumb(thumb);
        }
    }
    return thumb;
}

void Barcode::setThumb(graphics::Image::Ptr thumb) {
    willChangeValueForKey("thumb");
    setPrimitiveThumb(std::move(thumb));
    didChangeValueForKey("thumb");
    setValue(foundation::Value(), "_thumb");
}

void Barcode::willSave() {
    if (primitiveValueForKey("_thumb").isNull() && primitiveThumb_) {
        if (auto bitmap = primitiveThumb_->uprightBitmap()) {
            if (auto png = graphics::PNGCodec::encode(*bitmap)) {
                setPrimitiveValue(std::move(*png), "_thumb");
            }
        }
    }
    ManagedObject::willSave();
}

void Barcode::classify() {
    classification_ = Classifier::sharedClassifier().classifyBarcode(type(), data());
    if (!name().empty()) {
        return;
    }
    if (classification_ && classification_->contains("name")) {
        setName(classification_->at("name"));
    } else if (!scraped_) {
        std::weak_ptr<store::ManagedObject> weak = weak_from_this();
        foundation::RunLoop::main().performAfter(
            0.25,
            [weak] {
                if (auto self = std::dynamic_pointer_cast<Barcode>(weak.lock())) {
                    self->scrapeName();
                }
            },
            this, "scrapeName");
    }
}
