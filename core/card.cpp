#include "core/card.h"

#include "core/tables.h"

#include <vector>

namespace ivc {
namespace {

// Words a ticked upgrade box puts before the weapon name, in line order.
struct UpgradeWord {
    CheckId box;
    const char* word;
};
constexpr std::array<UpgradeWord, 9> kUpgradeWords = {{
    {CheckId::Blast1, "Blast "},
    {CheckId::Coax1, "Coaxial "},
    {CheckId::Gatling1, "Gatling "},
    {CheckId::Long1, "Long Barrel "},
    {CheckId::Short, "Short Barrel "},
    {CheckId::Mega1, "Mega "},
    {CheckId::AA1, "AA Mounted "},
    {CheckId::Twin1, "Twin Linked "},
    {CheckId::Titan, "Titan Killer "},
}};

std::string category(int size, int type, bool transport) {
    if (size == Small)
        return type == Walker ? "Elite" : type == Immobile ? "Heavy Support" : "Fast Attack";
    if (size == Normal)
        return type == LightVehicle && transport ? "Transport/Heavy" : "Heavy Support";
    return "War Machine";
}

std::vector<std::string> specialEntries(const MainModel& m) {
    std::vector<std::string> entries{m.list(ListId::Open).text()};
    const auto add = [&](CheckId box, std::string text) {
        if (m.check(box).checked)
            entries.push_back(std::move(text));
    };
    add(CheckId::Amphib, "Amphibious");
    add(CheckId::Lander, "Orbital Lander");
    add(CheckId::Recovery, "Recovery Vehicle");
    add(CheckId::Tunneller, "Tunneller");
    add(CheckId::Wrecker, "Wrecker");
    add(CheckId::Skimmer, "Skimmer");
    add(CheckId::Transport, "Transports " + m.list(ListId::Transport).text());
    add(CheckId::VeyraF, m.list(ListId::VeyraF).text() + " Veyra Fields");
    add(CheckId::ConcordF, m.list(ListId::ConcordF).text() + " Ward Shields");
    add(CheckId::GrakF, m.list(ListId::GrakF).text() + " Grak Shields");
    add(CheckId::Ferocious, "Ferocious");
    add(CheckId::Tow, "Tow Bar");
    add(CheckId::Carriage, "Carriage");
    return entries;
}

} // namespace

std::string weaponLine(const MainModel& m, int s) {
    std::string line = m.list({ListId::Number, s}).text() + "x ";
    for (const UpgradeWord& u : kUpgradeWords) {
        if (m.check({u.box, s}).checked)
            line += u.word;
    }
    if (m.list({ListId::Battery, s}).selected > 0)
        line += "Gun Battery(" + m.list({ListId::Battery, s}).text() + ") ";
    if (m.list({ListId::Slow, s}).selected > 0)
        line += "Slow Fire(" + m.list({ListId::Slow, s}).text() + ") ";
    // A list refilled for a new hull shows no row until a weapon is picked: no weapon.
    const std::string weapon = m.list({ListId::Wpn1, s}).text();
    line += weapon.empty() ? "None" : weapon;
    if (m.check({CheckId::Targeter1, s}).checked)
        line += " with Targeter";
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
    for (int s = 0; s < kSlots; ++s)
        card.weapons[static_cast<std::size_t>(s)] = weaponLine(m, s);
    card.closeCombat = m.list(ListId::CCW).text();
    card.closeCombatNumber = m.list(ListId::Attacks).text();

    // Eight lines: when there are more entries, the last line gathers the rest.
    const auto entries = specialEntries(m);
    const std::size_t lines = card.special.size();
    for (std::size_t i = 0; i < entries.size() && i + 1 < lines; ++i)
        card.special[i] = entries[i];
    for (std::size_t i = lines - 1; i < entries.size(); ++i) {
        if (i > lines - 1)
            card.special[lines - 1] += ", ";
        card.special[lines - 1] += entries[i];
    }
    card.lastSpecialTooltip = card.special[lines - 1];
    return card;
}

Message printQuestion() {
    return {"Statcard Print", "Print Statcard?", Message::Buttons::YesNo};
}

} // namespace ivc
