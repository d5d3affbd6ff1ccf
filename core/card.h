#pragma once

#include "core/model.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ivc {

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
