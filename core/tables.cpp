#include "core/tables.h"

#include <algorithm>
#include <stdexcept>

namespace ivc {
namespace {

const std::array<RaceInfo, 8> kRaces = {{
    // name          field               min size  cheap CCW targeters  WS BS S  I
    {"Bastion", FieldKind::Concord, WarMachine, false, false, {4, 4, 5, 4}},
    {"Dark Veyra", FieldKind::Veyra, Small, false, false, {4, 4, 4, 5}},
    {"Veyra", FieldKind::Veyra, Small, true, true, {3, 3, 4, 4}},
    {"Concord", FieldKind::Concord, WarMachine, true, true, {3, 3, 4, 3}},
    {"Forgeborn", FieldKind::Concord, WarMachine, false, false, {4, 4, 5, 3}},
    {"Grak", FieldKind::Grak, Normal, false, false, {4, 2, 5, 2}},
    {"Thrane", FieldKind::None, Small, false, false, {4, 4, 5, 2}},
    {"Blight", FieldKind::Concord, WarMachine, false, false, {4, 4, 5, 4}},
}};

// Hull profile by type (rows) and size (columns).
const std::array<std::array<Profile, 3>, 5> kProfiles = {{
    // Small                   Normal                     War Machine
    {{{"Walker", 44, 12, 5}, {"Walker", 47, 13, 10}, {"Lumbering", 54, 14, 20}}},
    {{{"Normal", 46, 12, 5}, {"Normal", 56, 14, 10}, {"Lumbering", 56, 14, 20}}},
    {{{"Normal", 40, 10, 5}, {"Normal", 44, 12, 10}, {"Lumbering", 44, 12, 20}}},
    {{{"Flyer", 40, 10, 40}, {"Flyer", 44, 12, 40}, {"Flyer", 44, 12, 40}}},
    {{{"Immobile", 46, 12, 0}, {"Immobile", 56, 14, 0}, {"Immobile", 56, 14, 0}}},
}};

// The arsenal shared by Bastion, Forgeborn and Concord; Concord has costs and
// targeter prices of its own.
struct SharedRow {
    std::string_view text;
    int cost;        // Bastion, Forgeborn
    int concordCost; // Concord
    int wpnClass;
    int concordTargeter;
};
constexpr std::array<SharedRow, 26> kShared = {{
    {"None", 0, 0, 0, 0},
    {"Rotary Cannon", 35, 25, 4, 10},
    {"Repeater Cannon", 35, 25, 4, 10},
    {"Carbine", 3, 3, 1, 0},
    {"Siege Cannon", 50, 50, 2, 0},
    {"Slugger", 4, 4, 1, 0},
    {"Breacher Cannon", 50, 50, 2, 0},
    {"Quake Gun", 60, 60, 2, 0},
    {"Burner", 10, 10, 3, 0},
    {"Grenade Thrower", 15, 10, 1, 5},
    {"Field Howitzer", 40, 40, 2, 0},
    {"Heavy Slugger", 20, 15, 4, 5},
    {"Heavy Burner", 15, 15, 3, 0},
    {"Pyre Cannon", 30, 30, 3, 0},
    {"Beam Cannon", 35, 25, 4, 10},
    {"Beam Rifle", 3, 3, 1, 0},
    {"Fusion Gun", 15, 10, 1, 5},
    {"Rocket Pod", 25, 20, 4, 5},
    {"Howitzer", 25, 25, 2, 0},
    {"Volley Laser", 35, 25, 4, 10},
    {"Heavy Fusion Gun", 40, 30, 4, 10},
    {"Ion Cannon", 40, 30, 4, 10},
    {"Ion Rifle", 15, 10, 1, 5},
    {"Rapid Slugger", 5, 5, 1, 0},
    {"Penetrator Cannon", 55, 50, 2, 5},
    {"Salvo Launcher", 40, 40, 2, 0},
}};

template <bool concord> constexpr std::array<WeaponRow, kShared.size()> sharedList() {
    std::array<WeaponRow, kShared.size()> rows{};
    for (std::size_t i = 0; i < kShared.size(); ++i) {
        const SharedRow& s = kShared[i];
        rows[i] = concord ? WeaponRow{s.text, s.concordCost, s.wpnClass, s.concordTargeter}
                          : WeaponRow{s.text, s.cost, s.wpnClass, 0};
    }
    return rows;
}
constexpr auto kBastion = sharedList<false>();
constexpr auto kConcord = sharedList<true>();

constexpr std::array<WeaponRow, 32> kBlight = {{
    {"None", 0, 0, 0},
    {"Rotary Cannon", 35, 4, 0},
    {"Repeater Cannon", 35, 4, 0},
    {"Carbine", 3, 1, 0},
    {"Siege Cannon", 50, 2, 0},
    {"Roar Cannon", 30, 4, 0},
    {"Slugger", 4, 1, 0},
    {"Combi Slugger/Burner", 10, 1, 0},
    {"Combi Slugger/Fusion", 15, 1, 0},
    {"Combi Slugger/Slugger", 5, 1, 0},
    {"Breacher Cannon", 50, 2, 0},
    {"Wail Horn", 15, 4, 0},
    {"Quake Gun", 60, 2, 0},
    {"Burner", 10, 3, 0},
    {"Grenade Thrower", 15, 1, 0},
    {"Field Howitzer", 40, 2, 0},
    {"Heavy Slugger", 20, 4, 0},
    {"Heavy Burner", 15, 3, 0},
    {"Pyre Cannon", 30, 3, 0},
    {"Beam Cannon", 35, 4, 0},
    {"Beam Rifle", 3, 1, 0},
    {"Fusion Gun", 15, 1, 0},
    {"Rocket Pod", 25, 4, 0},
    {"Howitzer", 25, 2, 0},
    {"Volley Laser", 35, 4, 0},
    {"Heavy Fusion Gun", 40, 4, 0},
    {"Ion Cannon", 40, 4, 0},
    {"Ion Rifle", 15, 1, 0},
    {"Shriek Gun", 15, 1, 0},
    {"Rapid Slugger", 5, 1, 0},
    {"Penetrator Cannon", 55, 2, 0},
    {"Salvo Launcher", 40, 2, 0},
}};

constexpr std::array<WeaponRow, 10> kDarkVeyra = {{
    {"None", 0, 0, 0},
    {"Rift Gun", 15, 1, 0},
    {"Night Spear", 35, 4, 0},
    {"Ruiner", 15, 3, 0},
    {"Unmaker Cannon", 45, 4, 0},
    {"Razor Net", 15, 1, 0},
    {"Needle Rifle", 4, 1, 0},
    {"Needle Cannon", 20, 4, 0},
    {"Barb Launcher", 10, 1, 0},
    {"Fear Engine", 15, 1, 0},
}};

constexpr std::array<WeaponRow, 15> kVeyra = {{
    {"None", 0, 0, 0},
    {"Sun Spear", 30, 4, 10},
    {"Rocket Pod", 25, 4, 10},
    {"Gravity Cannon", 30, 2, 0},
    {"Beam Carbine", 3, 1, 0},
    {"Strobe Laser", 30, 4, 10},
    {"Disc Thrower", 4, 1, 0},
    {"Disc Cannon", 20, 4, 5},
    {"Nova Cannon", 35, 4, 10},
    {"Spread Laser", 25, 4, 10},
    {"Harvest Launcher", 25, 4, 10},
    {"Filament Gun", 10, 4, 5},
    {"Refractor Cannon", 45, 4, 10},
    {"Gloom Caster", 25, 2, 0},
    {"Resonance Cannon", 40, 4, 0},
}};

// "Boomtube" is heavy, like the other races' rocket launchers.
constexpr std::array<WeaponRow, 11> kGrak = {{
    {"None", 0, 0, 0},
    {"Big Rattla", 15, 4, 0},
    {"Rattla/Boomtube", 10, 1, 0},
    {"Rattla/Frizza", 12, 1, 0},
    {"Jury-rigged Zapper", 20, 4, 0},
    {"Boomtube", 15, 4, 0},
    {"Rattla", 3, 1, 0},
    {"Frizza", 15, 3, 0},
    {"Chukka", 40, 2, 0},
    {"Crackle Gun", 40, 4, 0},
    {"Big Boomer", 35, 4, 0},
}};

constexpr std::array<WeaponRow, 5> kThrane = {{
    {"None", 0, 0, 0},
    {"Atomizer Gun", 5, 1, 0},
    {"Atomizer Carbine", 8, 4, 0},
    {"Atomizer Cannon", 40, 4, 0},
    {"Heavy Atomizer Cannon", 45, 4, 0},
}};

constexpr std::array<WeaponRow, 5> kAirMunitions = {{
    {"Bomb", 5, 0, 0},
    {"Big Bomb", 20, 0, 0},
    {"Rocket", 10, 0, 0},
    {"Smart Bomb", 8, 0, 0},
    {"Big Smart Bomb", 30, 0, 0},
}};

constexpr std::array<ArmorPrice, 6> kArmorPrices = {{
    {0, 0, 5},    // 9
    {0, 20, 10},  // 10
    {5, 30, 20},  // 11
    {10, 40, 30}, // 12
    {20, 60, 40}, // 13
    {30, 80, 50}, // 14
}};

// Close combat: rows and per-attack prices (lower column for Veyra and Concord).
struct CombatRow {
    std::string_view text;
    int cheap;
    int dear;
};
constexpr std::array<CombatRow, 4> kCombatSmall = {
    {{"None", 0, 0}, {"CCW", 3, 4}, {"Power Weapon", 9, 12}, {"Dread CCW", 15, 20}}};
constexpr std::array<CombatRow, 2> kCombatWarMachine = {
    {{"None", 0, 0}, {"War Machine CCW", 30, 40}}};

std::span<const CombatRow> combatRows(int size) {
    if (size == WarMachine)
        return kCombatWarMachine;
    return kCombatSmall;
}

} // namespace

const RaceInfo* raceInfo(int race) {
    if (race < 1 || race > static_cast<int>(kRaces.size()))
        return nullptr;
    return &kRaces[static_cast<std::size_t>(race - 1)];
}

std::string Profile::armorCaption() const {
    return std::to_string(maxArmor) + "   (" + std::to_string(maxFacing) + ")";
}

std::optional<Profile> profile(int type, int size) {
    if (type < 1 || type > 5 || size < 1 || size > 3)
        return std::nullopt;
    return kProfiles[static_cast<std::size_t>(type - 1)][static_cast<std::size_t>(size - 1)];
}

std::span<const WeaponRow> priceList(int race) {
    switch (race) {
    case Bastion:
    case Forgeborn:
        return kBastion;
    case Concord:
        return kConcord;
    case DarkVeyra:
        return kDarkVeyra;
    case Veyra:
        return kVeyra;
    case Grak:
        return kGrak;
    case Thrane:
        return kThrane;
    case Blight:
        return kBlight;
    default:
        return {};
    }
}

std::span<const WeaponRow> airMunitions() {
    return kAirMunitions;
}

std::optional<WeaponRow> priceLookup(int race, int row) {
    if (row == 0)
        return kBastion[0];
    const auto list = priceList(race);
    if (row < 0 || list.empty())
        return std::nullopt;
    const auto index = static_cast<std::size_t>(row);
    if (index < list.size())
        return list[index];
    if (index - list.size() < kAirMunitions.size())
        return kAirMunitions[index - list.size()];
    return std::nullopt;
}

std::vector<std::string> arsenal(int race) {
    std::vector<std::string> rows;
    for (const WeaponRow& row : priceList(race))
        rows.emplace_back(row.text);
    return rows;
}

std::vector<std::string> closeCombatRows(int size) {
    std::vector<std::string> rows;
    for (const CombatRow& row : combatRows(size))
        rows.emplace_back(row.text);
    return rows;
}

int closeCombatPrice(int size, int race, int row) {
    const auto rows = combatRows(size);
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return 0;
    const RaceInfo* r = raceInfo(race);
    const CombatRow& c = rows[static_cast<std::size_t>(row)];
    return r != nullptr && r->cheapCombat ? c.cheap : c.dear;
}

const ArmorPrice& armorPrice(int row) {
    return kArmorPrices.at(static_cast<std::size_t>(row));
}

const OptionRow* optionRow(CheckId box) {
    const auto* row = std::ranges::find(kOptions, box, &OptionRow::box);
    return row == kOptions.end() ? nullptr : row;
}

const UpgradeRow* upgradeRow(CheckId box) {
    const auto* row = std::ranges::find_if(
        kUpgrades, [box](const UpgradeRow& u) { return !u.isList && u.box == box; });
    return row == kUpgrades.end() ? nullptr : row;
}

const OptionRow& fieldRow(FieldKind kind) {
    const auto* row = std::ranges::find(kOptions, kind, &OptionRow::field);
    if (kind == FieldKind::None || row == kOptions.end())
        throw std::invalid_argument("no energy field of that kind");
    return *row;
}

const OptionRow* countedBy(ListId list) {
    const auto* row = std::ranges::find_if(
        kOptions, [list](const OptionRow& o) { return pricesCount(o) && o.countList == list; });
    return row == kOptions.end() ? nullptr : row;
}

std::optional<Speed> soupedSpeed(int type, int size, int armorTotal, bool ticked) {
    if (size == WarMachine)
        return ticked ? Speed{"Agile", 30} : Speed{"Lumbering", 20};
    if (size != Small && size != Normal)
        return std::nullopt;
    const bool normal = size == Normal;
    if (type == Walker)
        return ticked ? Speed{"Agile", normal ? 15 : 10} : Speed{"Walker", normal ? 10 : 5};
    if (type != Tank && type != LightVehicle)
        return std::nullopt;
    if (!ticked)
        return Speed{"Normal", normal ? 10 : 5};
    if (!normal)
        return Speed{"Fast", 10};
    return armorTotal < 43 ? Speed{"Fast", 20} : Speed{"Agile", 15};
}

} // namespace ivc
