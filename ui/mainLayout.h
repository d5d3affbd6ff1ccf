#pragma once

#include "core/controls.h"
#include "core/families.h"

#include <QString>
#include <Qt>

#include <array>
#include <optional>
#include <string_view>

// The main window's layout as tables: where each frame, caption, figure, list, button and
// column of the weapon grid stands, in twips, and in which font.
namespace ivc::ui {

// The containers the main window's controls are placed in.
enum class Parent : int { Central, General, Weapons, Race, Armor, Special, CCW };

namespace layout {

using enum Parent;

// Client area of the window, in twips.
inline constexpr int kClientWidth = 11415;
inline constexpr int kClientHeight = 7065;
// Controls on a tab are placed relative to the tab control; its tab strip takes this
// much of the top.
inline constexpr int kTabStrip = 360;

struct Font {
    double points = 8.0;
    bool bold = false;
};
inline constexpr Font kPlain{};
inline constexpr Font kBold135{13.5, true};
inline constexpr Font kBold18{18.0, true};
inline constexpr Font kBold12{12.0, true};
inline constexpr Font kPlain12{12.0, false};
inline constexpr Font kPlain135{13.5, false};

struct FramePlace {
    FrameId id;
    const char* caption;
    Place at;
};

inline const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

struct StaticLabel {
    const char* name;
    const char* caption;
    Parent parent;
    Place at;
    Font font;
    Qt::Alignment align = kLeft;
    std::optional<ListId> buddy = {}; // the list it captions, whose enabled state it shows
};

struct DisplayLabel {
    LabelId id;
    Parent parent;
    Place at;
    Font font;
    Qt::Alignment align;
    const char* spoken; // what a screen reader says before the figure
};

// A list off the weapon grid; what a screen reader calls it is in its list table.
struct ListPlace {
    ListId id;
    Parent parent;
    Place at;
    Font font = kPlain;
};

struct ButtonPlace {
    ButtonId id;
    const char* caption;
    Parent parent;
    Place at;
    Font font;
};

// Weapon grid: one column per control array, slot i on the row at y = 960 + 480 i: the
// weapon, the upgrades in their family's order, then the count.
struct GridColumn {
    int x;
    int width; // lists only
    std::string_view heading;
    std::string_view spoken; // what a screen reader calls a box of the column
    bool isList;
    ListId list;
    CheckId check;
    std::string_view rule; // the rules entry that explains the upgrade, for its tooltip
};

inline constexpr std::array<FramePlace, 5> kFrames = {{
    {FrameId::Race, "Initial Stats", {120, 1200, 9015, 975}},
    {FrameId::Armor, "Armor", {120, 2280, 9015, 1335}},
    {FrameId::Special, "Special Options", {120, 3720, 9015, 2415}},
    {FrameId::CCW, "Close Combat", {9360, 360, 1815, 3255}},
    {FrameId::Weap, "Weapons and Options", {120, 480, 11175, 4815}},
}};

inline const std::array<StaticLabel, 16> kStaticLabels = {{
    {"Label1", "Points:", Central, {4320, 6480, 1215, 495}, kBold18},
    {"Label44", "Vehicle Name:", General, {120, 585, 2655, 420}, kBold18},
    {"Label15",
     "Speed:",
     General,
     {5880, 600, 1095, 375},
     kBold135,
     Qt::AlignRight | Qt::AlignVCenter},
    {"Label18", "Race", Race, {120, 240}, kPlain, kLeft, ListId::Race},
    {"Label19", "Type", Race, {2280, 240}, kPlain, kLeft, ListId::Type},
    {"Label20", "Size", Race, {4440, 240}, kPlain, kLeft, ListId::Size},
    {"Label5", "Max Armor (Max Facing)", Armor, {120, 240, 1695, 735}, kPlain135},
    {"Label2", "Front", Armor, {3360, 240}, kPlain12, kLeft, ListId::FArmor},
    {"Label3", "Sides", Armor, {5400, 240}, kPlain12, kLeft, ListId::SArmor},
    {"Label4", "Rear", Armor, {7320, 240}, kPlain12, kLeft, ListId::RArmor},
    {"Label24", "Open top/Fullly armored", Armor, {3360, 840}, kPlain12, kLeft, ListId::Open},
    {"Label25", "Structure Points", Special, {3840, 1440}, kPlain, kLeft, ListId::Structure},
    {"Label41", "Weapon(s)", CCW, {120, 240}, kPlain135, kLeft, ListId::CCW},
    {"Label43", "# of CCW's", CCW, {120, 1080}, kPlain135, kLeft, ListId::Attacks},
    {"Label42", "Attacks", CCW, {120, 2280}, kPlain12},
    {"Label17", "Cost", CCW, {120, 2760}, kPlain12},
}};

inline const std::array<DisplayLabel, kLabelCount> kDisplayLabels = {{
    {LabelId::Speed, General, {7200, 600, 1455, 375}, kBold12, Qt::AlignCenter, "Speed"},
    {LabelId::MaxArmor,
     Armor,
     {1920, 240, 1095, 855},
     kBold135,
     Qt::AlignCenter,
     "Max Armor (Max Facing)"},
    {LabelId::Points, Central, {5640, 6480, 1575, 495}, kBold135, kLeft, "Points"},
    {LabelId::Attacks, CCW, {1200, 2280, 495, 375}, kPlain12, kLeft, "Attacks"},
    {LabelId::CCWCost, CCW, {1080, 2760, 615, 255}, kPlain12, kLeft, "Cost"},
}};

inline const std::array<ListPlace, 14> kListPlaces = {{
    {ListId::Race, Race, {120, 480, 2055, 315}},
    {ListId::Type, Race, {2280, 480, 2055, 315}},
    {ListId::Size, Race, {4440, 480, 2175, 315}},
    {ListId::FArmor, Armor, {4080, 240, 975, 315}},
    {ListId::SArmor, Armor, {6120, 240, 855, 315}},
    {ListId::RArmor, Armor, {8040, 240, 855, 315}},
    {ListId::Open, Armor, {6000, 840, 1455, 315}},
    {ListId::Transport, Special, {1200, 1440, 1215, 315}},
    {ListId::Structure, Special, {5160, 1440, 735, 315}},
    {ListId::ConcordF, Special, {1560, 1920, 735, 315}},
    {ListId::VeyraF, Special, {5160, 1920, 975, 315}},
    {ListId::GrakF, Special, {7920, 1920, 735, 315}},
    {ListId::CCW, CCW, {45, 600, 1740, 315}, {7.5, false}},
    {ListId::Attacks, CCW, {120, 1440, 1575, 315}},
}};

inline const std::array<ButtonPlace, kButtonCount> kButtonPlaces = {{
    {ButtonId::Next1, "&Next", Race, {6720, 360, 975, 495}, {12.0, false}},
    {ButtonId::Next4, "&Next", Armor, {7800, 840, 1095, 375}, kPlain},
    {ButtonId::Calculate, "&Calculate", Central, {240, 6480, 1575, 495}, kBold135},
    {ButtonId::Reset, "&Reset", Central, {2160, 6480, 1575, 495}, kBold135},
    {ButtonId::Print, "&Print", Central, {7680, 6480, 1575, 495}, kBold18},
    {ButtonId::Exit, "E&xit", Central, {9600, 6480, 1575, 495}, kBold18},
}};

inline constexpr int kCheckSize = 255;
inline constexpr int kListHeight = 315;
inline constexpr int kGridTop = 960;
inline constexpr int kGridStep = 480;
inline constexpr int kHeadingTop = 360;

inline constexpr int kShortListWidth = 495; // the grid's gun battery, slow fire and count lists

inline constexpr std::array<GridColumn, kUpgrades.size() + 2> kGrid = [] {
    std::array<GridColumn, kUpgrades.size() + 2> grid{};
    grid.front() = {120, 1815, "", "", true, ListId::Wpn1, {}, ""};
    for (std::size_t i = 0; i < kUpgrades.size(); ++i) {
        const UpgradeRow& u = kUpgrades[i];
        const int width = u.isList ? kShortListWidth : 0;
        grid[i + 1] = {u.x, width, u.heading, u.heading, u.isList, u.list, u.box, u.rulesEntry};
    }
    grid.back() = {10560, kShortListWidth, "#", "", true, ListId::Number, {}, ""};
    return grid;
}();

inline QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace layout
} // namespace ivc::ui
