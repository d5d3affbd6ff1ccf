#include "core/force.h"

#include "core/card.h"

#include <algorithm>
#include <charconv>
#include <variant>

namespace ivc {
namespace {

// The design as the force keeps it: shared between copies, carrying the points it costs.
std::shared_ptr<const Design> keep(const Design& design, i16 points) {
    auto kept = std::make_shared<Design>(design);
    kept->points = points;
    return kept;
}

bool countInRange(int count) {
    return count >= Force::kMinCount && count <= Force::kMaxCount;
}

std::string countRefused() {
    return "The count must be from " + std::to_string(Force::kMinCount) + " to " +
           std::to_string(Force::kMaxCount) + ".";
}

// Lines of at most `width` columns, broken at spaces; a word wider than a line is broken
// between characters, never inside one. Always at least one line.
std::vector<std::string> wrap(std::string_view text, int width) {
    std::vector<std::string> lines;
    std::string line;
    int used = 0;
    const auto flush = [&] {
        lines.push_back(std::move(line));
        line.clear();
        used = 0;
    };
    for (std::size_t i = 0; i <= text.size();) {
        const std::size_t end = std::min(text.find(' ', i), text.size());
        const std::string_view word = text.substr(i, end - i);
        i = end + 1;
        const int w = displayWidth(word);
        if (used > 0 && used + 1 + w > width)
            flush();
        if (used > 0) {
            line += ' ';
            ++used;
        }
        if (w <= width - used) {
            line += word;
            used += w;
            continue;
        }
        for (std::size_t k = 0; k < word.size();) {
            std::size_t next = k + 1; // continuation bytes stay with their lead byte
            while (next < word.size() && (static_cast<unsigned char>(word[next]) & 0xC0) == 0x80)
                ++next;
            const std::string_view letter = word.substr(k, next - k);
            if (used > 0 && used + displayWidth(letter) > width)
                flush();
            line += letter;
            used += displayWidth(letter);
            k = next;
        }
    }
    flush();
    return lines;
}

std::string padded(const std::string& text, int width, bool right) {
    const std::string fill(static_cast<std::size_t>(std::max(0, width - displayWidth(text))), ' ');
    return right ? fill + text : text + fill;
}

// The columns of the list right of the name: count, points of one vehicle, the entry's
// total, wide enough for -32,768 and for 99 times it.
constexpr int kCountWidth = 5, kPointsWidth = 7, kTotalWidth = 10;
constexpr int kNumbersWidth = 2 + kCountWidth + 2 + kPointsWidth + 2 + kTotalWidth;

std::string numbers(const std::string& count, const std::string& points, const std::string& total) {
    return "  " + padded(count, kCountWidth, true) + "  " + padded(points, kPointsWidth, true) +
           "  " + padded(total, kTotalWidth, true);
}

// One entry: its place and name, wrapped in the name column, with the figures on its
// first line; race, type and size on the line under the name.
void entryLines(std::string& out, std::size_t place, const ForceEntry& e, int placeWidth,
                int nameWidth) {
    const Design& d = *e.design;
    std::vector<std::string> name = wrap(d.name.empty() ? "(no name)" : d.name, nameWidth);
    for (const std::string& line : wrap(d.race + ", " + d.type + ", " + d.size, nameWidth))
        name.push_back(line);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const std::string lead = i == 0 ? std::to_string(place) : "";
        std::string line = padded(lead, placeWidth, true) + "  " + name[i];
        if (i == 0)
            line =
                padded(line, placeWidth + 2 + nameWidth, false) +
                numbers(std::to_string(e.count), withThousands(e.points), withThousands(e.total()));
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + '\n';
    }
}

void wrapped(std::string& out, std::string_view text, int width) {
    for (const std::string& line : wrap(text, width))
        out += line + '\n';
}

} // namespace

Priced price(const Design& design) {
    Replayed replayed = replay(design);
    if (!replayed.error.empty())
        return {std::nullopt, replayed.error};
    MainModel& m = replayed.model;
    m.takeEffects();
    if (!m.usable(ButtonId::Calculate))
        return {std::nullopt, "Its points cannot be calculated before its armor is confirmed."};
    m.press(ButtonId::Calculate);
    for (const Effect& e : m.takeEffects()) {
        if (const auto* msg = std::get_if<Message>(&e))
            return {std::nullopt, msg->text};
    }
    // The figure the window shows, read back as it is shown.
    const std::string& shown = m.caption(LabelId::Points);
    i16 points = 0;
    const auto [end, ec] = std::from_chars(shown.data(), shown.data() + shown.size(), points);
    if (ec != std::errc() || end != shown.data() + shown.size())
        return {std::nullopt, "The points total is out of range."};
    return {points, {}};
}

bool ForceEntry::operator==(const ForceEntry& other) const {
    const bool sameDesign =
        design == other.design || (design && other.design && *design == *other.design);
    return sameDesign && count == other.count && inPlay == other.inPlay && points == other.points;
}

std::string Force::add(const Design& design, int count, bool inPlay) {
    if (!countInRange(count))
        return countRefused();
    const Priced priced = price(design);
    if (!priced.points)
        return priced.error;
    m_entries.push_back({keep(design, *priced.points), count, inPlay, *priced.points});
    return {};
}

std::string Force::replace(std::size_t index, const Design& design) {
    if (index >= m_entries.size())
        return "There is no entry " + std::to_string(index + 1) + ".";
    const Priced priced = price(design);
    if (!priced.points)
        return priced.error;
    ForceEntry& e = m_entries[index];
    e.design = keep(design, *priced.points);
    e.points = *priced.points;
    return {};
}

bool Force::remove(std::size_t index) {
    if (index >= m_entries.size())
        return false;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool Force::moveUp(std::size_t index) {
    if (index == 0 || index >= m_entries.size())
        return false;
    std::swap(m_entries[index - 1], m_entries[index]);
    return true;
}

bool Force::moveDown(std::size_t index) {
    if (index + 1 >= m_entries.size())
        return false;
    std::swap(m_entries[index], m_entries[index + 1]);
    return true;
}

bool Force::setCount(std::size_t index, int count) {
    if (index >= m_entries.size() || !countInRange(count))
        return false;
    m_entries[index].count = count;
    return true;
}

bool Force::setInPlay(std::size_t index, bool inPlay) {
    if (index >= m_entries.size())
        return false;
    m_entries[index].inPlay = inPlay;
    return true;
}

bool Force::setLimit(int limit) {
    if (limit < 0 || limit > kMaxLimit)
        return false;
    m_limit = limit;
    return true;
}

std::int64_t Force::total() const {
    std::int64_t sum = 0;
    for (const ForceEntry& e : m_entries) {
        if (e.inPlay)
            sum += e.total();
    }
    return sum;
}

std::int64_t Force::vehicles() const {
    std::int64_t sum = 0;
    for (const ForceEntry& e : m_entries) {
        if (e.inPlay)
            sum += e.count;
    }
    return sum;
}

std::int64_t Force::over() const {
    const std::int64_t sum = total();
    return m_limit > 0 && sum > m_limit ? sum - m_limit : 0;
}

std::string withThousands(std::int64_t value) {
    // The magnitude as unsigned, so that the most negative value has one too.
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits;
    int written = 0;
    do {
        if (written > 0 && written % 3 == 0)
            digits += ',';
        digits += static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        ++written;
    } while (magnitude > 0);
    if (value < 0)
        digits += '-';
    return {digits.rbegin(), digits.rend()};
}

std::string forceSummary(const Force& force) {
    const std::int64_t total = force.total();
    const std::int64_t vehicles = force.vehicles();
    std::string text = withThousands(total);
    if (force.limit() > 0)
        text += " of " + withThousands(force.limit()) + " points";
    else
        text += total == 1 ? " point" : " points";
    text += ", " + withThousands(vehicles) + (vehicles == 1 ? " vehicle" : " vehicles");
    if (force.over() > 0)
        text += ": " + withThousands(force.over()) + " over";
    return text;
}

// The name and limit, the table of entries in play, the grand total.
std::string forceText(const Force& force, int width) {
    std::string out;
    wrapped(out, force.name().empty() ? "Unnamed force" : force.name(), width);
    wrapped(out,
            force.limit() > 0 ? "Limit: " + withThousands(force.limit()) + " points"
                              : "Limit: none",
            width);
    out += '\n';
    const int placeWidth = static_cast<int>(std::to_string(force.size()).size());
    const int nameWidth = std::max(10, width - placeWidth - 2 - kNumbersWidth);
    if (force.vehicles() == 0) {
        out += "No entries in play.\n";
    } else {
        out += padded("#", placeWidth, true) + "  " + padded("Name", nameWidth, false) +
               numbers("Count", "Points", "Total") + '\n';
        // Numbered among the entries in play: the list is what takes the field.
        std::size_t place = 0;
        for (const ForceEntry& e : force.entries()) {
            if (e.inPlay)
                entryLines(out, ++place, e, placeWidth, nameWidth);
        }
    }
    out += '\n';
    std::string total = "Total: " + forceSummary(force);
    const std::int64_t under = force.limit() - force.total();
    if (force.limit() > 0 && under > 0)
        total += ": " + withThousands(under) + " under";
    else if (force.limit() > 0 && under == 0)
        total += ": exactly the limit";
    wrapped(out, total, width);
    return out;
}

CardTexts entryCard(const ForceEntry& entry) {
    MainModel m = replay(*entry.design).model;
    if (m.usable(ButtonId::Calculate))
        m.press(ButtonId::Calculate);
    return makeCard(m);
}

std::string forceTextWithCards(const Force& force, int width) {
    std::string out = forceText(force, width);
    for (const ForceEntry& e : force.entries()) {
        if (e.inPlay)
            out += '\n' + textCard(entryCard(e), width);
    }
    return out;
}

} // namespace ivc
