#pragma once

#include "core/controls.h"
#include "core/record.h"

#include <array>
#include <string_view>

// The two families of equipment controls, one row per control: what the window shows,
// what the rules charge, what the reset does, what the card prints and which entry of
// the rules window explains it. The model, the reset, the card and the window all read
// these rows, so a new option or upgrade is one row here (and its id).
namespace ivc {

enum class FieldKind { None, Veyra, Concord, Grak };

// The rule that prices a special option when its box is ticked.
enum class OptionRule {
    Fixed,     // `points` once
    Transport, // `points` per model of the transport list, which the box locks
    Field,     // `points` per field of the count list, which the box locks; limits by kind
    Engines,   // replaces the hull's speed class and base points
    Ferocious, // one more close-combat attack
};

// The step of the reset that unticks an option box.
enum class OptionReset {
    WithOptions, // unticked with the plain options
    WithFields,  // unticked with the energy fields, which the reset then closes
    Last,        // unticked at the very end
};

// What a hull type does to an option box when the initial stats are confirmed.
enum class HullEffect { Keep, Close, Open };

struct OptionRow {
    CheckId box;
    std::string_view name;
    std::string_view caption;
    FrameId frame;
    bool enabledAtStart;
    Place at; // on its frame
    OptionRule rule;
    int points;
    ListId countList;      // Transport and Field rules only
    FieldKind field;       // Field rule only
    std::string_view card; // the card's entry; "{}" stands for the count list's number
    OptionReset reset;
    HullEffect flyer;
    HullEffect immobile;
    std::string_view rulesEntry; // heading of the rules window's entry that explains it
};

constexpr HullEffect kKeep = HullEffect::Keep;
constexpr HullEffect kClose = HullEffect::Close;
constexpr ListId kNoList = ListId::Race; // placeholder where a row has no count list

// In the card's order of special entries; the reset and the hull types go by the columns.
// clang-format off
inline constexpr std::array<OptionRow, 14> kOptions = {{
//   box                 name            caption              frame           start  at
//   rule                  points  count list         field                card
//   reset                      Flyer   Immobile          rules entry
    {CheckId::Amphib,    "chkAmphib",    "Amphibious",        FrameId::Special, true,  {120, 240},
     OptionRule::Fixed,     10,    kNoList,           FieldKind::None,     "Amphibious",
     OptionReset::WithOptions,  kClose, kKeep,            "Amphibious"},
    {CheckId::Lander,    "chkLander",    "Orbital Lander",    FrameId::Special, true,  {120, 840},
     OptionRule::Fixed,     30,    kNoList,           FieldKind::None,     "Orbital Lander",
     OptionReset::WithOptions,  kKeep,  kKeep,            "Orbital Lander"},
    {CheckId::Recovery,  "chkRecovery",  "Recovery Vehicle",  FrameId::Special, true,  {3840, 840},
     OptionRule::Fixed,     5,     kNoList,           FieldKind::None,     "Recovery Vehicle",
     OptionReset::WithOptions,  kClose, kKeep,            "Recovery Vehicle"},
    {CheckId::Tunneller, "chkTunneller", "Tunneller",         FrameId::Special, true,  {2040, 240},
     OptionRule::Fixed,     25,    kNoList,           FieldKind::None,     "Tunneller",
     OptionReset::WithOptions,  kClose, kKeep,            "Tunneller"},
    {CheckId::Wrecker,   "chkWrecker",   "Wrecker",           FrameId::Special, true,  {3840, 240},
     OptionRule::Fixed,     5,     kNoList,           FieldKind::None,     "Wrecker",
     OptionReset::WithOptions,  kClose, kKeep,            "Wrecker"},
    {CheckId::Skimmer,   "chkSkimmer",   "Skimmer",           FrameId::Special, true,  {2040, 840},
     OptionRule::Fixed,     20,    kNoList,           FieldKind::None,     "Skimmer",
     OptionReset::WithOptions,  kClose, kKeep,            "Skimmer"},
    {CheckId::Transport, "chkTransport", "Transport",         FrameId::Special, false, {120, 1440},
     OptionRule::Transport, 1,     ListId::Transport, FieldKind::None,     "Transports {}",
     OptionReset::WithOptions,  kKeep,  kKeep,            "Transport"},
    {CheckId::VeyraF,    "chkVeyraF",    "Veyra Fields",      FrameId::Special, false, {3840, 1920},
     OptionRule::Field,     25,    ListId::VeyraF,    FieldKind::Veyra,    "{} Veyra Fields",
     OptionReset::WithOptions,  kKeep,  kKeep,            "Veyra Fields"},
    {CheckId::ConcordF,  "chkConcordF",  "Concord Field",     FrameId::Special, false, {120, 1920},
     OptionRule::Field,     35,    ListId::ConcordF,  FieldKind::Concord,  "{} Ward Shields",
     OptionReset::WithFields,   kKeep,  kKeep,            "Ward Shields"},
    {CheckId::GrakF,     "chkGrakF",     "Grak Field",        FrameId::Special, false, {6720, 1920},
     OptionRule::Field,     15,    ListId::GrakF,     FieldKind::Grak,     "{} Grak Shields",
     OptionReset::WithFields,   kKeep,  kKeep,            "Grak Fields"},
    {CheckId::Ferocious, "chkFerocious", "Ferocious",         FrameId::CCW,     false, {120, 1920},
     OptionRule::Ferocious, 0,     kNoList,           FieldKind::None,     "Ferocious",
     OptionReset::Last,         kKeep,  kKeep,            "Ferocious"},
    {CheckId::Tow,       "chkTow",       "Tow Bar",           FrameId::Special, true,  {6720, 840},
     OptionRule::Fixed,     5,     kNoList,           FieldKind::None,     "Tow Bar",
     OptionReset::WithOptions,  kClose, kClose,           "Tow Bar"},
    {CheckId::Carriage,  "chkCarriage",  "Carriage",          FrameId::Special, false, {6720, 1440},
     OptionRule::Fixed,     5,     kNoList,           FieldKind::None,     "Carriage",
     OptionReset::WithOptions,  kClose, HullEffect::Open, "Carriage"},
    {CheckId::Souped,    "chkSouped",    "Souped-up Engines", FrameId::Special, true,  {6720, 240},
     OptionRule::Engines,   0,     kNoList,           FieldKind::None,     "",
     OptionReset::Last,         kClose, kClose,           "Fast"},
}};
// clang-format on

// Where on a weapon-slot line an upgrade puts its words on the card.
enum class CardWords {
    Before, // "Blast " before the weapon's name
    Row,    // "Gun Battery(2) " before the name, for a row after the first
    After,  // " with Targeter" after the name
};

// One upgrade control of a weapon slot: a column of the weapon grid.
struct UpgradeRow {
    bool isList;
    CheckId box;                 // when !isList
    ListId list;                 // when isList
    std::string_view name;       // the box array's name; a list's comes from its list table
    std::string_view heading;    // the column's heading
    int x;                       // the column, on the weapon frame
    std::array<bool, 5> openFor; // which weapon classes open it: none, light, ordnance,
                                 // template, heavy
    bool openOnHeavyHull;        // an immobile hull or a war machine opens it for any weapon
    SlotArray DesignRecord::*cost;
    double factor;    // the cost as a share of the weapon's base cost (per row for lists)
    bool resetZeroes; // the reset writes 0 into the cost itself
    std::string_view card;
    CardWords words;
    std::string_view rulesEntry;
};

constexpr std::array<bool, 5> kClasses(bool none, bool light, bool ordnance, bool tmpl,
                                       bool heavy) {
    return {none, light, ordnance, tmpl, heavy};
}

// In the grid's column order, which is also the order in which a new weapon clears them.
// Classes: none, light, ordnance, template, heavy.
// clang-format off
inline constexpr std::array<UpgradeRow, 12> kUpgrades = {{
//   list   box                 list             name            heading         x
//   classes                 heavy hull  cost                           factor  reset zeroes
//   card               words              rules entry
    {false, CheckId::Blast1,    {},              "chkBlast1",    "Blast",        2160,
     kClasses(0, 0, 1, 0, 1), true,  &DesignRecord::intBlastCost,    1.5,   true,
     "Blast ",          CardWords::Before, "Blast"},
    {false, CheckId::Coax1,     {},              "chkCoax1",     "Co Axial",     2760,
     kClasses(0, 1, 1, 1, 1), false, &DesignRecord::intCoaxCost,     0.0,   true,
     "Coaxial ",        CardWords::Before, "Co Axial"},
    {false, CheckId::Gatling1,  {},              "chkGatling1",  "Gatling",      3480,
     kClasses(0, 0, 0, 0, 1), false, &DesignRecord::intGatlingCost,  1.0,   true,
     "Gatling ",        CardWords::Before, "Gatling"},
    {false, CheckId::Long1,     {},              "chkLong1",     "Long Barrel",  4200,
     kClasses(0, 0, 1, 0, 1), false, &DesignRecord::intBarrelCost,   0.5,   true,
     "Long Barrel ",    CardWords::Before, "Long Barrel"},
    {false, CheckId::Short,     {},              "chkShort",     "Short Barrel", 4920,
     kClasses(0, 0, 1, 0, 1), false, &DesignRecord::intBarrelCost,   -0.25, false,
     "Short Barrel ",   CardWords::Before, "Shorter Barrel"},
    {false, CheckId::Mega1,     {},              "chkMega1",     "Mega Weap",    5640,
     kClasses(0, 0, 1, 1, 1), true,  &DesignRecord::intMegaCost,     1.0,   true,
     "Mega ",           CardWords::Before, "Mega Weapon"},
    {false, CheckId::AA1,       {},              "chkAA1",       "AA Mount",     6360,
     kClasses(0, 0, 1, 0, 1), false, &DesignRecord::intAACost,       0.5,   false,
     "AA Mounted ",     CardWords::Before, "AA Mount"},
    {false, CheckId::Targeter1, {},              "chkTargeter1", "Targeter",     7200,
     kClasses(0, 1, 0, 0, 1), false, &DesignRecord::intTargeterCost, 0.0,   false,
     " with Targeter",  CardWords::After,  "Targeter"},
    {true,  {},                 ListId::Battery, "",             "Gun Battery",  7800,
     kClasses(0, 0, 1, 0, 0), false, &DesignRecord::intBatteryCost,  0.5,   false,
     "Gun Battery",     CardWords::Row,    "Gun Battery"},
    {false, CheckId::Twin1,     {},              "chkTwin1",     "Twin Linked",  8640,
     kClasses(0, 1, 0, 0, 1), false, &DesignRecord::intTwinCost,     0.5,   true,
     "Twin Linked ",    CardWords::Before, "Twin Linked"},
    {true,  {},                 ListId::Slow,    "",             "Slow Fire",    9240,
     kClasses(0, 0, 0, 0, 1), false, &DesignRecord::intSlowCost,     -0.25, false,
     "Slow Fire",       CardWords::Row,    "Slow Fire Rate"},
    {false, CheckId::Titan,     {},              "chkTitan",     "Titan Killer", 9960,
     kClasses(0, 0, 0, 0, 0), false, &DesignRecord::intTitanCost,    0.5,   false,
     "Titan Killer ",   CardWords::Before, "Titan Killer"},
}};
// clang-format on

// Whether an option's box prices the number of its count list.
constexpr bool pricesCount(const OptionRow& o) {
    return o.rule == OptionRule::Transport || o.rule == OptionRule::Field;
}

// The row of an option box or of an upgrade box; nullptr for a box of the other family.
const OptionRow* optionRow(CheckId box);
const UpgradeRow* upgradeRow(CheckId box);
// The option row of an energy field, or of the box that a count list belongs to.
const OptionRow& fieldRow(FieldKind kind);
const OptionRow* countedBy(ListId list);

} // namespace ivc
