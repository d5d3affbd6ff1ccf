#pragma once

#include "core/model.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ivc {

// The fields of the Statcard, one row each: the field's widget name (of the first line of a
// run: "lblWeapons" stands for lblWeapons_0 .. lblWeapons_7), the caption the card prints
// over it, which the text card uses as its label too, and what a screen reader calls the
// field (a line of a run is heard with its number: "Weapon 2").
enum class CardField {
    Name,
    Points,
    FrontArmor,
    SideArmor,
    RearArmor,
    WS,
    BS,
    S,
    I,
    A,
    Type,
    Size,
    Speed,
    Category,
    Structure,
    Weapons,
    CloseCombat,
    Number,
    Special,
};

struct CardFieldRow {
    CardField field;
    std::string_view objectName;
    std::string_view caption;
    std::string_view spoken;
};

// clang-format off
inline constexpr std::array<CardFieldRow, 19> kCardFields = {{
    {CardField::Name,        "lblName",      "Name",                "Name"},
    {CardField::Points,      "lblPoints",    "Points",              "Points"},
    {CardField::FrontArmor,  "lblFArmor",    "Front Armor",         "Front Armor"},
    {CardField::SideArmor,   "lblSArmor",    "Side Armor",          "Side Armor"},
    {CardField::RearArmor,   "lblRArmor",    "Rear Armor",          "Rear Armor"},
    {CardField::WS,          "lblWS",        "WS",                  "WS"},
    {CardField::BS,          "lblBS",        "BS",                  "BS"},
    {CardField::S,           "lblS",         "S",                   "S"},
    {CardField::I,           "lblI",         "I",                   "I"},
    {CardField::A,           "lblA",         "A",                   "A"},
    {CardField::Type,        "lblType",      "Type",                "Type"},
    {CardField::Size,        "lblSize",      "Size",                "Size"},
    {CardField::Speed,       "lblSpeed",     "Speed",               "Speed"},
    {CardField::Category,    "lblCategory",  "Category",            "Category"},
    {CardField::Structure,   "lblStructure", "Structure Pts",       "Structure Pts"},
    {CardField::Weapons,     "lblWeapons",   "Weapons",             "Weapon"},
    {CardField::CloseCombat, "lblCCW",       "Close Combat Weapon", "Close Combat Weapon"},
    {CardField::Number,      "lblNumCCW",    "Number",              "Number"},
    {CardField::Special,     "lblSpecial",   "Special Options",     "Special Option"},
}};
// clang-format on
static_assert(
    [] {
        for (std::size_t i = 0; i < kCardFields.size(); ++i)
            if (kCardFields[i].field != static_cast<CardField>(i))
                return false;
        return true;
    }(),
    "the card's fields are listed in their order");

constexpr const CardFieldRow& cardField(CardField f) {
    return kCardFields[static_cast<std::size_t>(f)];
}

// The value fields of the Statcard. A field left nullopt is not written, so the card
// keeps what an earlier card showed there.
struct CardTexts {
    std::string name;
    std::string points;
    std::string frontArmor, sideArmor, rearArmor;
    std::optional<std::array<std::string, 4>> profile; // WS, BS, S, I
    std::string attacks;                               // A
    std::string type;
    std::optional<std::string> size;
    std::optional<std::string> category;
    std::string speed;
    std::string structure;
    std::array<std::string, kSlots> weapons;
    std::array<bool, kSlots> armed{}; // a weapon other than "None" is chosen in the slot
    std::string closeCombat;
    std::string closeCombatNumber;
    std::array<std::string, 8> special;
    std::string lastSpecialTooltip;          // the whole of line 7 when it gathers several entries
    std::vector<std::string> specialEntries; // every special entry, one each, in order

    bool operator==(const CardTexts&) const = default;
};

// The card of the design in hand, read from the main window's controls and the record.
CardTexts makeCard(const MainModel& model);

// The line of one weapon slot, such as "2x Twin Linked Beam Cannon with Targeter".
std::string weaponLine(const MainModel& model, int slot);

// The question the card asks whenever it gains the focus.
Message printQuestion();

} // namespace ivc
