#include "model/Classifier.h"

#include <memory>

#include "model/DefaultTables.h"
#include "model/EmailClassifier.h"
#include "model/GTINClassifier.h"
#include "model/ListClassifier.h"
#include "model/ShippingClassifier.h"
#include "model/SymbologyClassifier.h"
#include "model/URLClassifier.h"

Classifier& Classifier::sharedClassifier() {
    static ListClassifier* tree = [] {
        auto* list = new ListClassifier();
        list->addClassifier(std::make_unique<GTINClassifier>());
        list->addClassifier(std::make_unique<EmailClassifier>());
        list->addClassifier(std::make_unique<URLClassifier>());
        list->addClassifier(std::make_unique<ShippingClassifier>());
        for (const auto* row = SymbologyNames;; ++row) {
            list->addClassifier(std::make_unique<SymbologyClassifier>(row->code, row->name));
            if (row[1].code == 0) {
                break;
            }
        }
        return list;
    }();
    return *tree;
}
