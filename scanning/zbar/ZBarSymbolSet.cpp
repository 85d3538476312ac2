#include <zbar.h>

#include "scanning/zbar/ZBarSymbolSet.h"

using namespace zbar;

ZBarSymbolSet::Iterator::value_type ZBarSymbolSet::Iterator::operator*() const {
    return std::make_shared<ZBarSymbol>(symbol_, texts_);
}

ZBarSymbolSet::Iterator& ZBarSymbolSet::Iterator::operator++() {
    if (symbol_ != nullptr) {
        symbol_ = zbar_symbol_next(symbol_);
    }
    return *this;
}

std::shared_ptr<ZBarSymbolSet> ZBarSymbolSet::make(ZBarSymbolSetHandle* set,
                                                   std::shared_ptr<const ZBarSymbolTexts> texts) {
    if (set == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<ZBarSymbolSet>(new ZBarSymbolSet(set, std::move(texts)));
}

ZBarSymbolSet::ZBarSymbolSet(ZBarSymbolSetHandle* set, std::shared_ptr<const ZBarSymbolTexts> texts)
    : set_(set), texts_(std::move(texts)) {
    zbar_symbol_set_ref(set_, 1);
}

ZBarSymbolSet::~ZBarSymbolSet() {
    zbar_symbol_set_ref(set_, -1);
}

int ZBarSymbolSet::count() const {
    if (filterSymbols_) {
        return zbar_symbol_set_get_size(set_);
    }
    int n = 0;
    for (const zbar_symbol_t* s = zbar_symbol_set_first_unfiltered(set_); s != nullptr;
         s = zbar_symbol_next(s)) {
        ++n;
    }
    return n;
}

ZBarSymbolSet::Iterator ZBarSymbolSet::begin() const {
    return {filterSymbols_ ? zbar_symbol_set_first_symbol(set_)
                           : zbar_symbol_set_first_unfiltered(set_),
            texts_};
}
