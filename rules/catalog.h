#pragma once
// A generated content table as the game sees it: its rows in a vector that
// never moves (callers keep pointers into it) and, for rows that carry an id,
// the row an id names. Internal to rules/: the public accessors (skills(),
// findItem(), …) are thin names over catalogOf<data::kX>().
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace rpg {

template <class Row>
class Catalog {
    static constexpr bool kHasId = requires(const Row& r) { std::string_view(r.id); };

public:
    explicit Catalog(std::span<const Row> rows) : rows_(rows.begin(), rows.end()) {
        if constexpr (kHasId) {
            // The first row of an id wins, as a scan from the front would find it.
            for (std::size_t i = 0; i < rows_.size(); ++i) ids_.emplace(rows_[i].id, static_cast<std::int32_t>(i));
        }
    }
    Catalog(const Catalog&) = delete;
    Catalog& operator=(const Catalog&) = delete;

    const std::vector<Row>& rows() const { return rows_; }

    // -1 for an id no row has.
    std::int32_t indexOf(std::string_view id) const
        requires kHasId
    {
        auto it = ids_.find(id);
        return it == ids_.end() ? -1 : it->second;
    }

    const Row* find(std::string_view id) const
        requires kHasId
    {
        const std::int32_t i = indexOf(id);
        return i < 0 ? nullptr : &rows_[static_cast<std::size_t>(i)];
    }

private:
    std::vector<Row> rows_;
    std::unordered_map<std::string_view, std::int32_t> ids_;  // views into the rows' static texts
};

// The one catalogue of a generated table, built on first use.
template <const auto& kRows>
const auto& catalogOf() {
    using Row = std::remove_cvref_t<decltype(kRows[0])>;
    static const Catalog<Row> catalog{std::span<const Row>(kRows)};
    return catalog;
}

} // namespace rpg
