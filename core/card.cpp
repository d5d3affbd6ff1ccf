#include "core/card.h"

#include "core/tables.h"

#include <vector>

namespace ivc {
namespace {

std::string category(int size, int type, bool transport) {
    if (size == Small)
        return type == Walker ? "Elite" : type == Immobile ? "Heavy Support" : "Fast Attack";
    if (size == Normal)
        return type == LightVehicle && transport ? "Transport/Heavy" : "Heavy Support";
    return "War Machine";
}

// An option's entry on the card, with "{}" standing for the number of its count list.
std::string optionEntry(const MainModel& m, const OptionRow& option) {
    std::string entry(option.card);
    if (const auto at = entry.find("{}"); at != std::string::npos)
        entry.replace(at, 2, m.list({option.countList, 0}).text());
    return entry;
}

std::vector<std::string> specialEntries(const MainModel& m) {
    std::vector<std::string> entries{m.list(ListId::Open).text()};
    for (const OptionRow& option : kOptions) {
        if (!option.card.empty() && m.check({option.box, 0}).checked)
            entries.push_back(optionEntry(m, option));
    }
    return entries;
}

// Eight lines: when there are more entries, the last line gathers the rest.
void setSpecialLines(CardTexts& card) {
    const auto& entries = card.specialEntries;
    const std::size_t lines = card.special.size();
    for (std::size_t i = 0; i < entries.size() && i + 1 < lines; ++i)
        card.special[i] = entries[i];
    for (std::size_t i = lines - 1; i < entries.size(); ++i) {
        if (i > lines - 1)
            card.special[lines - 1] += ", ";
        card.special[lines - 1] += entries[i];
    }
    card.lastSpecialTooltip = card.special[lines - 1];
}

} // namespace

std::string weaponLine(const MainModel& m, int s) {
    const auto ticked = [&](const UpgradeRow& u) {
        return !u.isList && m.check({u.box, s}).checked;
    };
    std::string line = m.list({ListId::Number, s}).text() + "x ";
    for (const UpgradeRow& u : kUpgrades) {
        if (u.words == CardWords::Before && ticked(u))
            line += u.card;
    }
    // Row 0 of a gun battery or slow-fire list adds nothing.
    for (const UpgradeRow& u : kUpgrades) {
        if (u.words == CardWords::Row && m.list({u.list, s}).selected > 0)
            line += std::string(u.card) + "(" + m.list({u.list, s}).text() + ") ";
    }
    // A list refilled for a new hull shows no row until a weapon is picked: no weapon.
    const std::string weapon = m.list({ListId::Wpn1, s}).text();
    line += weapon.empty() ? "None" : weapon;
    for (const UpgradeRow& u : kUpgrades) {
        if (u.words == CardWords::After && ticked(u))
            line += u.card;
    }
    return line;
}

CardTexts makeCard(const MainModel& m) {
    const DesignRecord& rec = m.record();
    CardTexts card;
    card.name = m.name();
    card.points = m.caption(LabelId::Points);
    card.frontArmor = m.list(ListId::FArmor).text();
    card.sideArmor = m.list(ListId::SArmor).text();
    card.rearArmor = m.list(ListId::RArmor).text();
    card.attacks = m.caption(LabelId::Attacks);
    if (const RaceInfo* race = raceInfo(rec.intRace)) {
        std::array<std::string, 4> profile;
        for (std::size_t i = 0; i < profile.size(); ++i)
            profile[i] = std::to_string(race->crew[i]);
        card.profile = profile;
    }
    card.type = m.list(ListId::Type).text();
    if (rec.intSize >= Small && rec.intSize <= WarMachine) {
        card.size = m.controls().list(ListId::Size).rows[static_cast<std::size_t>(rec.intSize - 1)];
        card.category = category(rec.intSize, rec.intType, m.check(CheckId::Transport).checked);
    }
    card.speed = m.caption(LabelId::Speed);
    // An unselected structure list shows nothing rather than an older card's points.
    card.structure = m.list(ListId::Structure).text();
    for (int s = 0; s < kSlots; ++s) {
        card.weapons[static_cast<std::size_t>(s)] = weaponLine(m, s);
        // Row 0 is "None"; a refilled list has no row.
        card.armed[static_cast<std::size_t>(s)] = m.list({ListId::Wpn1, s}).selected > 0;
    }
    card.closeCombat = m.list(ListId::CCW).text();
    card.closeCombatNumber = m.list(ListId::Attacks).text();

    card.specialEntries = specialEntries(m);
    setSpecialLines(card);
    return card;
}

Message printQuestion() {
    return {"Statcard Print", "Print Statcard?", Message::Buttons::YesNo};
}

} // namespace ivc
