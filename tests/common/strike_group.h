#pragma once

#include "common/typical_design.h"
#include "core/design.h"
#include "core/force.h"

#include <string>

namespace ivc::test {

// The walk-through hull with another weapon in a slot, totalled.
inline Design armedTypical(const std::string& name, int slot, int weaponRow) {
    MainModel m = typicalDesign(name);
    m.select({ListId::Wpn1, slot}, weaponRow);
    m.press(ButtonId::Calculate);
    m.takeEffects();
    return capture(m);
}

// The example force of tests/data/strike.ivf: four Concord tanks against a limit of
// 1,500 points, one of them held back out of play. Its third entry, "Hulk", carries an Ion
// Cannon in slot 3.
inline Force strikeGroup() {
    Force f;
    f.setName("Strike Group");
    f.setLimit(1500);
    f.add(capture(typicalDesign("Warden")), 2);
    f.add(armedTypical("Gnat", 0, 5), 3);  // a Slugger for the Beam Cannon
    f.add(armedTypical("Hulk", 2, 21), 1); // and an Ion Cannon beside it
    f.add(capture(typicalDesign("Spare Warden")), 1, false);
    return f;
}

} // namespace ivc::test
