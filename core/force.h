#pragma once

#include "core/card.h"
#include "core/design.h"
#include "core/textcard.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A force: several designs fielded together, their points against an agreed limit. The
// force's total is not a field of any design: it is held wide, so that no number of
// entries a user can make overflows it.
namespace ivc {

// What "&Calculate" shows for a design replayed on a fresh model as a design file is
// opened, or the refusal it gives (the replay's first wrong entry, the total's message).
struct Priced {
    std::optional<i16> points;
    std::string error;
};
Priced price(const Design& design);

// One line of the force. The design is shared between copies of the force, so that undo
// steps holding the whole force cost little more than the counts and flags.
struct ForceEntry {
    std::shared_ptr<const Design> design;
    int count = 1;
    bool inPlay = true;
    i16 points = 0; // one vehicle, as "&Calculate" shows it

    std::int64_t total() const { return std::int64_t{points} * count; }
    bool operator==(const ForceEntry& other) const;
};

class Force {
public:
    static constexpr int kMinCount = 1;
    static constexpr int kMaxCount = 99;
    static constexpr int kMaxLimit = 32767;
    static constexpr int kLimitStep = 50; // the limit's arrow step; any value in range is kept

    const std::string& name() const { return m_name; }
    int limit() const { return m_limit; } // 0: no limit
    const std::vector<ForceEntry>& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

    // Appends the design, priced; a design the rules refuse is not added and its refusal
    // is returned. An empty text means added. The stored design carries its points.
    std::string add(const Design& design, int count = 1, bool inPlay = true);
    // The design of an entry replaced, priced the same way; count and in play stay.
    std::string replace(std::size_t index, const Design& design);

    // Each returns false, changing nothing, for an index or value out of range.
    bool remove(std::size_t index);
    bool moveUp(std::size_t index);
    bool moveDown(std::size_t index);
    bool setCount(std::size_t index, int count);
    bool setInPlay(std::size_t index, bool inPlay);
    bool setLimit(int limit);
    void setName(std::string name) { m_name = std::move(name); }

    // The points of the entries in play, each times its count, and their vehicles.
    std::int64_t total() const;
    std::int64_t vehicles() const;
    // How far the total passes the limit; 0 within it or with no limit.
    std::int64_t over() const;

    bool operator==(const Force&) const = default;

private:
    std::string m_name;
    int m_limit = 0;
    std::vector<ForceEntry> m_entries;
};

// A whole number with its thousands separated by ",": 1130 gives "1,130".
std::string withThousands(std::int64_t value);

// The points in play against the limit: "1,130 of 1,500 points, 6 vehicles", and when over
// "1,620 of 1,500 points, 7 vehicles: 120 over"; with no limit "1,130 points, 6 vehicles".
std::string forceSummary(const Force& force);

// The force list as plain text, no line wider than `width` columns: the name and limit,
// every entry in play with its race, type, size, count, points and total, then the grand
// total and how far it is under or over the limit.
std::string forceText(const Force& force, int width = kTextCardWidth);

// The card of an entry's vehicle as printed with the force: its design replayed and totalled
// as "&Calculate" totals it, so that the card shows the points the entry counts.
CardTexts entryCard(const ForceEntry& entry);

// The list followed by the text card of every entry in play, as "Copy Force as Text"
// puts them on the clipboard.
std::string forceTextWithCards(const Force& force, int width = kTextCardWidth);

} // namespace ivc
