#pragma once

#include "core/errors.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace velmora {

// One table of a route, indexed from 0. A table is absent until its first reset, which is a state
// of its own and not the same as an empty table; after a reset it has a fixed size until the next.
// Every element is reached through at(), which refuses an absent table and every index outside
// it, so no reader can touch anything that is not part of the route.
//
//   Table<float> t;   t.present() -> false, t.at(0) throws SubscriptOutOfRange
//   t.reset(3);       t.size() -> 3, t.at(2) -> 0.0f, t.at(3) throws
template <class T> class Table {
public:
    bool present() const noexcept { return elements_.has_value(); }

    // The number of elements; 0 for an absent table.
    std::size_t size() const noexcept { return elements_ ? elements_->size() : 0; }

    // Replaces the contents with count value-initialised elements (zeros, empty texts).
    void reset(std::size_t count) { elements_.emplace(count); }

    T& at(long index) {
        check(index);
        return (*elements_)[static_cast<std::size_t>(index)];
    }
    const T& at(long index) const {
        check(index);
        return (*elements_)[static_cast<std::size_t>(index)];
    }

private:
    void check(long index) const {
        if (!elements_ || index < 0 || static_cast<std::size_t>(index) >= elements_->size())
            [[unlikely]]
            outOfRange(index);
    }
    [[noreturn, gnu::noinline, gnu::cold]] void outOfRange(long index) const {
        throw SubscriptOutOfRange(index, size(), present());
    }

    std::optional<std::vector<T>> elements_;
};

} // namespace velmora
