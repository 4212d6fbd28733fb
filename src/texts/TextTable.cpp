#include "TextTable.h"

TextTable::TextTable(std::span<const TextEntry> entries) {
    for (const TextEntry& entry : entries) {
        const int slot = static_cast<int>(entry.slot);
        if (slot >= 0 && slot < TextSlotCount)
            m_texts[static_cast<std::size_t>(slot)] =
                QString::fromUtf16(entry.text.data(), static_cast<qsizetype>(entry.text.size()));
    }
}
