#include "core/textcard.h"

#include <algorithm>
#include <vector>

namespace ivc {
namespace {

// The code point that starts at `i`, moving `i` past it; a stray or cut-off byte stands
// for itself.
char32_t decode(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || i + extra >= s.size()) {
        ++i;
        return lead;
    }
    char32_t cp = lead & (0x3Fu >> extra);
    for (std::size_t k = 1; k <= extra; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3Fu);
    i += extra + 1;
    return cp;
}

int columns(char32_t cp) {
    if ((cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x200B && cp <= 0x200F))
        return 0;
    const bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
                      (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
                      (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
                      (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x1F300 && cp <= 0x1FAFF) ||
                      (cp >= 0x20000 && cp <= 0x3FFFD);
    return wide ? 2 : 1;
}

// Appends `text` after `lead` as lines of at most `width` columns, breaking at spaces;
// continuation lines hang two columns further in than the lead, so that they cannot be
// taken for a line of their own. A word wider than a line is broken between characters.
void wrapInto(std::string& out, const std::string& lead, std::string_view text, int width) {
    const std::string indent(static_cast<std::size_t>(displayWidth(lead)) + 2, ' ');
    int room = std::max(1, width - displayWidth(lead));
    std::string line;
    int used = 0;
    const auto flush = [&] {
        out += line;
        out += '\n';
        line = indent;
        used = 0;
        room = std::max(1, width - static_cast<int>(indent.size()));
    };
    line = lead;
    std::size_t i = 0;
    bool firstWord = true;
    while (i <= text.size()) {
        std::size_t end = text.find(' ', i);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view word = text.substr(i, end - i);
        const int w = displayWidth(word);
        if (!firstWord && used + 1 + w > room)
            flush();
        else if (!firstWord) {
            line += ' ';
            ++used;
        }
        if (w <= room - used) {
            line += word;
            used += w;
        } else {
            for (std::size_t k = 0; k < word.size();) {
                const std::size_t start = k;
                const int c = columns(decode(word, k));
                if (used + c > room)
                    flush();
                line.append(word.substr(start, k - start));
                used += c;
            }
        }
        firstWord = false;
        i = end + 1;
    }
    out += line;
    out += '\n';
}

// "Front Armor: 12", by the caption the card prints over the field; nothing without a value.
std::string field(CardField f, const std::string& value) {
    return value.empty() ? "" : std::string(cardField(f).caption) + ": " + value;
}

// "WS 3": the profile's letters stand before their figures.
std::string figure(CardField f, const std::string& value) {
    return value.empty() ? "" : std::string(cardField(f).caption) + " " + value;
}

// "Weapons:" over the lines of a run.
std::string heading(CardField f) {
    return std::string(cardField(f).caption) + ":\n";
}

} // namespace

int displayWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();)
        width += columns(decode(utf8, i));
    return width;
}

// Fields with no value, slots with no weapon and headings with nothing under them are left
// out: a post shows what the vehicle has. The printed card keeps all of its lines.
std::string textCard(const CardTexts& card, int width) {
    std::string out;
    const auto line = [&](const std::string& lead, std::string_view text) {
        wrapInto(out, lead, text, width);
    };
    // Fields that share a line are joined by three spaces; a line that does not fit wraps.
    const auto fields = [&](std::initializer_list<std::string> parts) {
        std::string joined;
        for (const std::string& part : parts)
            if (!part.empty())
                joined += (joined.empty() ? "" : "   ") + part;
        if (!joined.empty())
            line("", joined);
    };
    const auto list = [&](CardField title, const std::vector<std::string>& entries) {
        if (entries.empty())
            return;
        out += heading(title);
        for (const std::string& entry : entries)
            line("  ", entry);
    };
    using enum CardField;
    fields({field(Name, card.name), field(Points, card.points)});
    fields({field(FrontArmor, card.frontArmor), field(SideArmor, card.sideArmor),
            field(RearArmor, card.rearArmor)});
    const auto profile = card.profile.value_or(std::array<std::string, 4>{});
    fields({figure(WS, profile[0]), figure(BS, profile[1]), figure(S, profile[2]),
            figure(I, profile[3]), figure(A, card.attacks)});
    fields({field(Type, card.type), field(Size, card.size.value_or("")), field(Speed, card.speed),
            field(Category, card.category.value_or(""))});
    fields({field(Structure, card.structure)});
    std::vector<std::string> weapons;
    for (std::size_t s = 0; s < card.weapons.size(); ++s)
        if (card.armed[s])
            weapons.push_back(card.weapons[s]);
    list(Weapons, weapons);
    fields({field(CloseCombat, card.closeCombat), field(Number, card.closeCombatNumber)});
    std::vector<std::string> special;
    std::ranges::copy_if(card.specialEntries, std::back_inserter(special),
                         [](const std::string& e) { return !e.empty(); });
    list(Special, special);
    return out;
}

} // namespace ivc
