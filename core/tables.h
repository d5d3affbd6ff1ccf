#pragma once

#include "core/families.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The game's fixed data: races, hull profiles, arsenals and price lists, armour and
// close-combat prices, option prices.
namespace ivc {

enum Race : int { Bastion = 1, DarkVeyra, Veyra, Concord, Forgeborn, Grak, Thrane, Blight };
enum Type : int { Walker = 1, Tank, LightVehicle, Flyer, Immobile };
enum Size : int { Small = 1, Normal, WarMachine };

struct RaceInfo {
    std::string_view name;
    FieldKind field;         // the energy field the race may buy
    int fieldMinSize;        // smallest hull size whose field list opens
    bool cheapCombat;        // pays the lower close-combat prices
    bool targeters;          // may fit targeters (its price list has their prices)
    std::array<int, 4> crew; // WS, BS, S, I
};
// Race 1..8; nullptr outside.
const RaceInfo* raceInfo(int race);

struct Profile {
    std::string_view speed;
    int maxArmor;
    int maxFacing;
    int basePts;
    std::string armorCaption() const; // "44   (12)"
};
// Profile of a hull by type 1..5 and size 1..3; nullopt outside.
std::optional<Profile> profile(int type, int size);

// One row of a race's price list; its text is the weapon list's row.
struct WeaponRow {
    std::string_view text;
    int cost;
    int wpnClass; // upgrade class 0..4
    int targeter; // targeter price (Veyra and Concord only)
};

// The race's arsenal rows, "None" first; empty outside 1..8.
std::span<const WeaponRow> priceList(int race);
std::span<const WeaponRow> airMunitions();
// Price row of row `row` of a weapon list of `race`, air munitions included; a list with
// no race yet holds only "None", which is row 0 of every list.
std::optional<WeaponRow> priceLookup(int race, int row);

// The rows a weapon list is filled with (texts of the price list).
std::vector<std::string> arsenal(int race);
// The rows of the close-combat list for a hull size.
std::vector<std::string> closeCombatRows(int size);
// Points per attack of close-combat row `row`; 0 for an unknown row.
int closeCombatPrice(int size, int race, int row);

// The armour rules: facing values, the allowance of an open or fully armoured hull, and
// the weight above which souped-up engines are closed.
struct ArmorRule {
    int firstValue;        // row 0 of an armour list shows this value
    int fullyArmoredBelow; // a fully armoured hull lighter than this pays the surcharge
    int fullyArmoredSurcharge;
    int openToppedFrom; // an open-topped hull this heavy or heavier gets the discount
    int openToppedDiscount;
    int soupedClosedAbove; // a hull heavier than this cannot take souped-up engines
};
inline constexpr ArmorRule kArmorRule = {9, 47, 10, 51, 10, 50};
inline constexpr int kFirstArmor = kArmorRule.firstValue;

// Armour points of facing row 0..5 (value kFirstArmor + row).
struct ArmorPrice {
    int front, side, rear;
};
const ArmorPrice& armorPrice(int row);

// Speed class and points of a hull with Souped-up Engines ticked or not; nullopt when the
// option changes nothing for the hull.
struct Speed {
    std::string_view caption;
    int basePts;
};
std::optional<Speed> soupedSpeed(int type, int size, int armorTotal, bool ticked);

} // namespace ivc
