#pragma once

#include "core/model.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A design as the choices a user made, named by the texts the user saw: what a design
// file holds. Opening one makes the same choices again on a fresh model, so every rule,
// price and cascade applies as if the user had clicked.
namespace ivc {

// An empty text stands for a list with no row chosen.
struct SlotChoices {
    std::string weapon;                // empty: the slot was never touched
    std::vector<std::string> upgrades; // column headings of the ticked boxes, in column order
    std::string battery = "0";
    std::string slowFire = "0";
    std::string count = "1";
    bool operator==(const SlotChoices&) const = default;
};

struct OptionChoice {
    std::string option; // the box's caption
    std::string count;  // the row of its count list (Transport and the fields), else empty
    bool ticked = true; // false when only the count was chosen
    bool operator==(const OptionChoice&) const = default;
};

struct Design {
    std::string name;
    // How far the design went: 1 the initial stats, 2 the armour, 3 the equipment.
    int step = 1;
    std::string race, type, size;
    std::string front, sides, rear, top; // top: "Open-Topped" or "Fully Armored"
    std::string structure;
    std::vector<OptionChoice> options; // in the order of the options frame
    std::array<SlotChoices, kSlots> weaponSlots;
    std::string closeCombat, attacks;
    bool ferocious = false;
    std::optional<int> points; // the total when saved, for people and other tools
    bool operator==(const Design&) const = default;
};

// Column headings of a weapon slot's upgrade boxes, in column order, and the options a
// design file names, in the order of the options frame.
std::span<const std::string_view> upgradeNames();
std::span<const std::string_view> optionNames();

// The design in hand as the user's choices.
Design capture(const MainModel& model);

// The choices made again on a fresh model, in the order a user makes them. The first
// choice that names no row of its list, that a user could not make at that point, or
// that the rules refuse with a message ends the replay: `error` then says which, as
// 'Slot 3: "Quake Gun" is not in the Concord arsenal.'.
struct Replayed {
    MainModel model;
    std::string error;
};
Replayed replay(const Design& design);

} // namespace ivc
