#pragma once

// The symbols of one scan, filtered (what the library reports as read) or the
// whole unfiltered chain, enumerable with a range-for. Holds one library
// reference on the set.

#include <cstddef>
#include <iterator>
#include <memory>

#include "scanning/zbar/ZBarHandles.h"
#include "scanning/zbar/ZBarSymbol.h"

class ZBarSymbolSet {
  public:
    // Walks the set one symbol at a time, each a new ZBarSymbol.
    class Iterator {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::shared_ptr<ZBarSymbol>;
        using difference_type = std::ptrdiff_t;
        using pointer = const value_type*;
        using reference = value_type;

        Iterator() = default;
        Iterator(ZBarSymbolHandle* symbol, std::shared_ptr<const ZBarSymbolTexts> texts)
            : symbol_(symbol), texts_(std::move(texts)) {}
        value_type operator*() const;
        Iterator& operator++();
        void operator++(int) { ++*this; }
        friend bool operator==(const Iterator& a, const Iterator& b) {
            return a.symbol_ == b.symbol_;
        }

      private:
        ZBarSymbolHandle* symbol_ = nullptr;
        std::shared_ptr<const ZBarSymbolTexts> texts_;
    };

    // initWithSymbolSet: : nullptr for a null handle.
    static std::shared_ptr<ZBarSymbolSet> make(
        ZBarSymbolSetHandle* set, std::shared_ptr<const ZBarSymbolTexts> texts = nullptr);
    ~ZBarSymbolSet();
    ZBarSymbolSet(const ZBarSymbolSet&) = delete;
    ZBarSymbolSet& operator=(const ZBarSymbolSet&) = delete;

    // With filtering the library's set size, else the length of the
    // unfiltered chain.
    int count() const;
    bool filterSymbols() const { return filterSymbols_; }
    void setFilterSymbols(bool filter) { filterSymbols_ = filter; }
    ZBarSymbolSetHandle* zbarSymbolSet() const { return set_; }
    const std::shared_ptr<const ZBarSymbolTexts>& texts() const { return texts_; }

    Iterator begin() const;
    Iterator end() const { return {}; }

  private:
    ZBarSymbolSet(ZBarSymbolSetHandle* set, std::shared_ptr<const ZBarSymbolTexts> texts);

    ZBarSymbolSetHandle* set_;
    std::shared_ptr<const ZBarSymbolTexts> texts_;
    bool filterSymbols_ = true;
};
