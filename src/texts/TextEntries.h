#pragma once

#include "TextSlot.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

// One text of a table, named by the slot it fills, so that the order of a
// table's entries carries no meaning and cannot be got wrong.
struct TextEntry {
    TextSlot slot;
    std::u16string_view text;
};

// What keeps a list of entries from filling every slot exactly once.
struct TextEntryProblems {
    std::vector<int> missing;    // slots no entry fills
    std::vector<int> doubled;    // slots more than one entry fills
    std::vector<int> outOfRange; // positions in the list of entries that name no slot

    constexpr bool none() const { return missing.empty() && doubled.empty() && outOfRange.empty(); }
};

// Evaluated at compile time by each table, so that a table with a gap or a
// slot filled twice does not build.
constexpr TextEntryProblems FindTextEntryProblems(std::span<const TextEntry> entries) {
    std::array<int, TextSlotCount> fills{};
    TextEntryProblems problems;
    for (std::size_t position = 0; position < entries.size(); ++position) {
        const int slot = static_cast<int>(entries[position].slot);
        if (slot < 0 || slot >= TextSlotCount)
            problems.outOfRange.push_back(static_cast<int>(position));
        else
            ++fills[static_cast<std::size_t>(slot)];
    }
    for (int slot = 0; slot < TextSlotCount; ++slot) {
        const int count = fills[static_cast<std::size_t>(slot)];
        if (count == 0)
            problems.missing.push_back(slot);
        else if (count > 1)
            problems.doubled.push_back(slot);
    }
    return problems;
}
