#pragma once

#include "core/controls.h"

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

enum class FieldKind { None, Veyra, Concord, Grak };

struct RaceInfo {
    std::string_view name;
    FieldKind field;         // the energy field the race may buy
    int fieldMinSize;        // smallest hull size whose field list opens
    bool cheapCombat;        // pays the lower close-combat prices
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

// The twelve upgrade controls of a slot and whether each is open for a class 0..4.
struct UpgradeControl {
    bool isList;
    CheckId check; // when !isList
    ListId list;   // when isList
    std::array<bool, 5> openFor;
};
std::span<const UpgradeControl> upgradeControls();

// Armour points of facing row 0..5 (value 9 + row).
struct ArmorPrice {
    int front, side, rear;
};
const ArmorPrice& armorPrice(int row);

// Fixed-price options and their points.
struct OptionPrice {
    CheckId box;
    int points;
};
std::span<const OptionPrice> optionPrices();

// An energy field kind: its count list, its box and the points per field.
struct FieldInfo {
    FieldKind kind;
    ListId list;
    CheckId box;
    int pointsPerField;
};
const FieldInfo& fieldInfo(FieldKind kind);

// Speed class and points of a hull with Souped-up Engines ticked or not; nullopt when the
// option changes nothing for the hull.
struct Speed {
    std::string_view caption;
    int basePts;
};
std::optional<Speed> soupedSpeed(int type, int size, int armorTotal, bool ticked);

} // namespace ivc
