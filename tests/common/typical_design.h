#pragma once

#include "core/model.h"

#include <string>

namespace ivc::test {

// The walk-through design: a Concord Normal Tank, armour 12/11/10 fully armoured, a twin
// linked Beam Cannon in slot 0, Skimmer and one CCW, totalled to 130 points.
inline MainModel typicalDesign(const std::string& name) {
    MainModel model;
    model.setName(name);
    model.select(ListId::Race, 3);
    model.select(ListId::Type, 1);
    model.select(ListId::Size, 1);
    model.press(ButtonId::Next1);
    model.select(ListId::FArmor, 3);
    model.select(ListId::SArmor, 2);
    model.select(ListId::RArmor, 1);
    model.select(ListId::Open, 1);
    model.press(ButtonId::Next4);
    model.select({ListId::Wpn1, 0}, 14);
    model.setChecked({CheckId::Twin1, 0}, true);
    model.setChecked(CheckId::Skimmer, true);
    model.select(ListId::CCW, 1);
    model.press(ButtonId::Calculate);
    return model;
}

} // namespace ivc::test
