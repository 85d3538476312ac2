#pragma once

// Mapping and filtering lists through a callable: the selector-and-target
// forms of the platform become a function (the target bound into it), or a
// member function of the elements called with one argument.

#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

namespace Mapping {

// arrayByPerformingSelector:target: : for each element, what `target` answers
// for it, in order. An empty list calls nothing.
template <typename T, typename Target>
auto arrayByPerformingSelector(const std::vector<T>& array, Target&& target) {
    using Result = std::decay_t<std::invoke_result_t<Target&, const T&>>;
    std::vector<Result> results;
    results.reserve(array.size());
    for (const auto& element : array) {
        results.push_back(std::invoke(target, element));
    }
    return results;
}

// filteredArrayUsingSelector:target: : the elements for which `target`
// answers true (non-zero), in order.
template <typename T, typename Target>
std::vector<T> filteredArrayUsingSelector(const std::vector<T>& array, Target&& target) {
    std::vector<T> results;
    results.reserve(array.size());
    for (const auto& element : array) {
        if (std::invoke(target, element)) {
            results.push_back(element);
        }
    }
    return results;
}

// filteredArrayUsingSelector:withObject: : the elements that, asked
// `selector` with `object`, answer true (non-zero). Elements may be objects
// or (smart) pointers to them.
template <typename T, typename Selector, typename Object>
std::vector<T> filteredArrayUsingSelectorWithObject(const std::vector<T>& array, Selector selector,
                                                    const Object& object) {
    std::vector<T> results;
    results.reserve(array.size());
    for (const auto& element : array) {
        if (std::invoke(selector, element, object)) {
            results.push_back(element);
        }
    }
    return results;
}

}  // namespace Mapping
