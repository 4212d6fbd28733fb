#pragma once

#include "TextEntries.h"
#include "TextSlot.h"

#include <QString>
#include <array>
#include <span>

// One language's texts: a string for every slot.
class TextTable final {
public:
    TextTable() = default;
    explicit TextTable(std::array<QString, TextSlotCount> texts)
        : m_texts(std::move(texts)) {}
    // Each entry's text in its slot; an entry that names no slot is left out.
    explicit TextTable(std::span<const TextEntry> entries);

    const QString& text(TextSlot slot) const { return m_texts[static_cast<std::size_t>(slot)]; }

private:
    std::array<QString, TextSlotCount> m_texts;
};

// The English table, exactly as the program has always shown it.
const TextTable& EnglishTexts();
// The second table, Japanese.
const TextTable& SecondTexts();
