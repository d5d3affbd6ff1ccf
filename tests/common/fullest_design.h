#pragma once

#include "core/card.h"
#include "core/model.h"
#include "core/tables.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace ivc::test {

inline bool tick(MainModel& m, CheckRef box) {
    if (m.usable(box))
        m.setChecked(box, true);
    return m.check(box).checked;
}

// Picks the last row of a list that its handler keeps (a count may be refused).
inline void pickLast(MainModel& m, ListRef list) {
    for (int row = static_cast<int>(m.list(list).rows.size()) - 1; row >= 0 && m.usable(list);
         --row) {
        m.select(list, row);
        if (m.list(list).selected == row)
            return;
    }
}

// Gives a slot the weapon of that row with every upgrade its controls then open: Short
// Barrel (the longer word) before Long, Mega before the Titan Killer it opens, the last
// battery, slow-fire and count rows.
inline void arm(MainModel& m, int slot, int row) {
    m.select({ListId::Wpn1, slot}, row);
    for (CheckId box :
         {CheckId::Blast1, CheckId::Coax1, CheckId::Gatling1, CheckId::Short, CheckId::Long1,
          CheckId::Mega1, CheckId::AA1, CheckId::Targeter1, CheckId::Twin1, CheckId::Titan})
        tick(m, {box, slot});
    for (ListId list : {ListId::Battery, ListId::Slow, ListId::Number})
        pickLast(m, {list, slot});
}

// The fullest card a user can make for a race: a war-machine tank whose eight slots carry
// the eight longest weapon lines of its arsenal, each fully upgraded, with every special
// option, the largest transport and energy field it takes and the most close-combat
// attacks, totalled.
inline MainModel fullestDesign(int race, const std::string& name) {
    MainModel m;
    m.setName(name);
    for (const auto& [list, row] :
         {std::pair{ListId::Race, race - 1}, std::pair{ListId::Type, Tank - 1},
          std::pair{ListId::Size, WarMachine - 1}})
        m.select({list, 0}, row);
    m.press(ButtonId::Next1);
    for (ListId list : {ListId::FArmor, ListId::SArmor, ListId::RArmor})
        m.select({list, 0}, 1); // 10
    m.select(ListId::Open, 1);  // "Fully Armored", the longer row
    m.press(ButtonId::Next4);

    std::vector<std::pair<std::size_t, int>> lines; // length, weapon row
    const int weapons = static_cast<int>(m.list({ListId::Wpn1, 0}).rows.size());
    for (int row = 0; row < weapons; ++row) {
        arm(m, 0, row);
        lines.emplace_back(weaponLine(m, 0).size(), row);
    }
    std::sort(lines.rbegin(), lines.rend());
    for (int s = 0; s < kSlots; ++s)
        arm(m, s, lines[static_cast<std::size_t>(s) % lines.size()].second);

    pickLast(m, ListId::Structure); // the most structure takes the most troops and shields
    for (CheckId box : {CheckId::Amphib, CheckId::Lander, CheckId::Recovery, CheckId::Tunneller,
                        CheckId::Wrecker, CheckId::Skimmer, CheckId::Tow, CheckId::Carriage})
        tick(m, {box, 0});
    pickLast(m, ListId::Transport);
    tick(m, CheckId::Transport);
    if (const RaceInfo* info = raceInfo(race); info != nullptr && info->field != FieldKind::None) {
        pickLast(m, {fieldRow(info->field).countList, 0});
        tick(m, {fieldRow(info->field).box, 0});
    }
    pickLast(m, ListId::CCW);
    pickLast(m, ListId::Attacks);
    tick(m, CheckId::Ferocious);
    m.press(ButtonId::Calculate);
    m.takeEffects();
    return m;
}

} // namespace ivc::test
