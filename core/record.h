#pragma once

#include "core/arith16.h"

#include <array>

namespace ivc {

inline constexpr int kSlots = 8;

// Nine elements per slot array: 0..7 are the weapon slots, 8 is never written.
using SlotArray = std::array<i16, kSlots + 1>;

// The whole design in hand. Plain data; every rule lives in MainModel.
struct DesignRecord {
    i16 intType = 0;
    i16 intSize = 0;
    i16 intRace = 0;
    i16 intBasePts = 0;
    i16 intOptionPts = 0;
    i16 intArmorPts = 0;
    SlotArray intWpnCost{};
    SlotArray intBlastCost{};
    SlotArray intCoaxCost{};
    SlotArray intGatlingCost{};
    SlotArray intBarrelCost{};
    SlotArray intMegaCost{};
    SlotArray intAACost{};
    SlotArray intTargeterCost{};
    SlotArray intBatteryCost{};
    SlotArray intTwinCost{};
    SlotArray intSlowCost{};
    SlotArray intTitanCost{};
    SlotArray intNumber{};
    i16 intCCWCost = 0;
    i16 intExtraAttacks = 0;
    i16 intArmorTotal = 0;
    i16 intMaxArmor = 0;
    i16 intMaxFacing = 0;
    i16 intStructureCost = 0;

    bool operator==(const DesignRecord&) const = default;
};

// The twelve cost arrays whose sum, times intNumber, is a slot's points.
inline constexpr std::array<SlotArray DesignRecord::*, 12> kSlotCostArrays = {
    &DesignRecord::intWpnCost,     &DesignRecord::intBlastCost,    &DesignRecord::intCoaxCost,
    &DesignRecord::intGatlingCost, &DesignRecord::intBarrelCost,   &DesignRecord::intMegaCost,
    &DesignRecord::intAACost,      &DesignRecord::intTargeterCost, &DesignRecord::intBatteryCost,
    &DesignRecord::intTwinCost,    &DesignRecord::intSlowCost,     &DesignRecord::intTitanCost,
};

} // namespace ivc
