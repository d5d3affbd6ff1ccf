#include "core/design.h"

#include "core/families.h"

#include <algorithm>
#include <variant>

namespace ivc {
namespace {

using namespace std::string_view_literals;

// The options a design file names: every option box but Ferocious, which the file keeps
// with the close combat.
bool inOptions(const OptionRow& o) {
    return o.rule != OptionRule::Ferocious;
}

// The upgrade boxes of a slot, in column order, named by their column headings.
constexpr auto kUpgradeNames = [] {
    std::array<std::string_view, 10> names{};
    auto* next = names.begin();
    for (const UpgradeRow& u : kUpgrades) {
        if (!u.isList)
            *next++ = u.heading;
    }
    return names;
}();
static_assert(std::ranges::count(kUpgrades, false, &UpgradeRow::isList) ==
              std::ssize(kUpgradeNames));

std::string quoted(std::string_view text) {
    // GCC 12 -Wrestrict false positive (GCC bug 105329) on a one-character string literal.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
    return "\"" + std::string(text) + "\"";
#pragma GCC diagnostic pop
}

std::string slotName(int s) {
    return "Slot " + std::to_string(s + 1);
}

// Makes the choices of a design one by one and stops at the first that fails.
class Replay {
public:
    explicit Replay(MainModel& m) : m_model(m) {}

    const std::string& error() const { return m_error; }

    // Picks the row showing `text`; an empty text picks nothing.
    bool pick(ListRef r, const std::string& text, const std::string& what) {
        if (failed() || text.empty())
            return !failed();
        const ListState& list = m_model.list(r);
        if (list.text() == text)
            return true;
        if (!m_model.usable(r))
            return fail(what + ": " + quoted(text) + " cannot be chosen at this point.");
        const auto found = std::ranges::find(list.rows, text);
        if (found == list.rows.end()) {
            if (r.id == ListId::Wpn1)
                return fail(what + ": " + quoted(text) + " is not in the " +
                            m_model.list({ListId::Race, 0}).text() + " arsenal.");
            return fail(what + ": " + quoted(text) + " is not among the choices.");
        }
        m_model.select(r, static_cast<int>(found - list.rows.begin()));
        return settle(what);
    }

    bool tick(CheckRef r, bool on, const std::string& what) {
        if (failed() || m_model.check(r).checked == on)
            return !failed();
        if (!m_model.usable(r))
            return fail(what + " cannot be chosen at this point.");
        m_model.setChecked(r, on);
        return settle(what);
    }

    bool press(ButtonId id, const std::string& what) {
        if (failed())
            return false;
        if (!m_model.usable(id))
            return fail(what + " cannot be confirmed at this point.");
        m_model.press(id);
        return settle(what);
    }

    bool fail(std::string error) {
        if (m_error.empty())
            m_error = std::move(error);
        return false;
    }

private:
    bool failed() const { return !m_error.empty(); }

    // A message from the rules refuses the choice just made.
    bool settle(const std::string& what) {
        for (const Effect& e : m_model.takeEffects())
            if (const auto* msg = std::get_if<Message>(&e))
                return fail(what + ": " + msg->text);
        return true;
    }

    MainModel& m_model;
    std::string m_error;
};

void replaySlot(Replay& r, const SlotChoices& slot, int s) {
    const std::string where = slotName(s);
    r.pick({ListId::Wpn1, s}, slot.weapon, where);
    for (const std::string& name : slot.upgrades) {
        if (std::ranges::find(kUpgradeNames, name) == kUpgradeNames.end())
            r.fail(where + ": " + quoted(name) + " is not a weapon upgrade.");
    }
    for (const UpgradeRow& u : kUpgrades) {
        if (!u.isList && std::ranges::find(slot.upgrades, u.heading) != slot.upgrades.end())
            r.tick({u.box, s}, true, where + ": " + quoted(u.heading));
    }
    r.pick({ListId::Battery, s}, slot.battery, where + " Gun Battery");
    r.pick({ListId::Slow, s}, slot.slowFire, where + " Slow Fire");
    r.pick({ListId::Number, s}, slot.count, where + " count");
}

// The options in the card's order, whatever the file's order.
void replayOptions(Replay& r, const std::vector<OptionChoice>& options) {
    for (const OptionChoice& o : options) {
        if (std::ranges::find(optionNames(), o.option) == optionNames().end())
            r.fail(quoted(o.option) + " is not a special option.");
    }
    for (const OptionRow& o : kOptions) {
        const auto caption = o.caption;
        const auto chosen =
            std::ranges::find(options, caption, [](const OptionChoice& c) { return c.option; });
        if (!inOptions(o) || chosen == options.end())
            continue;
        if (pricesCount(o))
            r.pick({o.countList, 0}, chosen->count, std::string(caption));
        else if (!chosen->count.empty())
            r.fail(quoted(caption) + " takes no count.");
        r.tick({o.box, 0}, chosen->ticked, quoted(caption));
    }
}

SlotChoices captureSlot(const MainModel& m, int step, int s) {
    const auto text = [&m, s](ListId id) { return m.list({id, s}).text(); };
    SlotChoices slot;
    // Before the initial stats are confirmed a slot can only show "None".
    slot.weapon = step == 1 ? "" : text(ListId::Wpn1);
    for (const UpgradeRow& u : kUpgrades) {
        if (!u.isList && m.check({u.box, s}).checked)
            slot.upgrades.emplace_back(u.heading);
    }
    slot.battery = text(ListId::Battery);
    slot.slowFire = text(ListId::Slow);
    slot.count = text(ListId::Number);
    return slot;
}

} // namespace

std::span<const std::string_view> upgradeNames() {
    return kUpgradeNames;
}
std::span<const std::string_view> optionNames() {
    static const auto names = [] {
        std::vector<std::string_view> result;
        for (const OptionRow& o : kOptions) {
            if (inOptions(o))
                result.push_back(o.caption);
        }
        return result;
    }();
    return names;
}

Design capture(const MainModel& m) {
    const auto text = [&m](ListId id, int s = 0) { return m.list({id, s}).text(); };
    Design d;
    d.name = m.name();
    d.step = m.frameEnabled(FrameId::Weap) ? 3 : m.frameEnabled(FrameId::Armor) ? 2 : 1;
    d.race = text(ListId::Race);
    d.type = text(ListId::Type);
    d.size = text(ListId::Size);
    d.front = text(ListId::FArmor);
    d.sides = text(ListId::SArmor);
    d.rear = text(ListId::RArmor);
    d.top = text(ListId::Open);
    d.structure = text(ListId::Structure);
    for (const OptionRow& o : kOptions) {
        if (!inOptions(o))
            continue;
        const bool ticked = m.check({o.box, 0}).checked;
        const std::string count = pricesCount(o) ? text(o.countList) : "";
        if (ticked || !count.empty())
            d.options.push_back({std::string(o.caption), count, ticked});
    }
    for (int s = 0; s < kSlots; ++s)
        d.weaponSlots[static_cast<std::size_t>(s)] = captureSlot(m, d.step, s);
    d.closeCombat = text(ListId::CCW);
    d.attacks = text(ListId::Attacks);
    d.ferocious = m.check({CheckId::Ferocious, 0}).checked;
    if (d.step == 3)
        if (const auto total = m.total())
            d.points = *total;
    return d;
}

Replayed replay(const Design& d) {
    Replayed out;
    MainModel& m = out.model;
    Replay r(m);
    m.setName(d.name);
    if (d.step < 1 || d.step > 3)
        r.fail("Step " + std::to_string(d.step) + " is not 1, 2 or 3.");
    r.pick({ListId::Race, 0}, d.race, "Race");
    r.pick({ListId::Type, 0}, d.type, "Type");
    r.pick({ListId::Size, 0}, d.size, "Size");
    if (d.step >= 2)
        r.press(ButtonId::Next1, "Initial Stats");
    r.pick({ListId::FArmor, 0}, d.front, "Front armor");
    r.pick({ListId::SArmor, 0}, d.sides, "Side armor");
    r.pick({ListId::RArmor, 0}, d.rear, "Rear armor");
    r.pick({ListId::Open, 0}, d.top, "Armor");
    if (d.step >= 3)
        r.press(ButtonId::Next4, "Armor");

    // Structure first: the transport and field limits depend on it.
    r.pick({ListId::Structure, 0}, d.structure, "Structure Points");
    replayOptions(r, d.options);
    for (int s = 0; s < kSlots; ++s)
        replaySlot(r, d.weaponSlots[static_cast<std::size_t>(s)], s);
    r.pick({ListId::CCW, 0}, d.closeCombat, "Close combat");
    r.pick({ListId::Attacks, 0}, d.attacks, "Number of close combat weapons");
    r.tick({CheckId::Ferocious, 0}, d.ferocious, quoted("Ferocious"));
    if (d.step >= 3 && m.total())
        r.press(ButtonId::Calculate, "Points");
    out.error = r.error();
    return out;
}

} // namespace ivc
