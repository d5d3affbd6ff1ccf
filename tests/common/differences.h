#pragma once

#include "core/model.h"

#include <string>
#include <utility>
#include <vector>

// What differs between two models, control by control and field by field, so that a
// failed comparison names the culprit ("chkVeyraF: enabled 1 / 0").
namespace ivc::test {

inline std::vector<std::string> differences(const Controls& a, const Controls& b) {
    std::vector<std::string> out;
    const auto differ = [&out](const std::string& what, const auto& x, const auto& y) {
        if (x != y)
            out.push_back(what + ": " + std::to_string(x) + " / " + std::to_string(y));
    };
    for (ListId id : allLists()) {
        for (int s = 0; s < instances(id); ++s) {
            const ListState& x = a.list({id, s});
            const ListState& y = b.list({id, s});
            const std::string name = objectName(ListRef{id, s});
            differ(name + " selected", x.selected, y.selected);
            differ(name + " enabled", x.enabled, y.enabled);
            differ(name + " rows", x.rows.size(), y.rows.size());
            if (x.rows != y.rows && x.rows.size() == y.rows.size())
                out.push_back(name + ": other rows");
        }
    }
    for (CheckId id : allChecks()) {
        for (int s = 0; s < instances(id); ++s) {
            const std::string name = objectName(CheckRef{id, s});
            differ(name + " checked", a.check({id, s}).checked, b.check({id, s}).checked);
            differ(name + " enabled", a.check({id, s}).enabled, b.check({id, s}).enabled);
        }
    }
    for (std::size_t i = 0; i < kLabelCount; ++i) {
        if (a.labels[i] != b.labels[i])
            out.push_back(std::string(name(static_cast<LabelId>(i))) + ": \"" + a.labels[i] +
                          "\" / \"" + b.labels[i] + "\"");
    }
    for (std::size_t i = 1; i < kFrameCount; ++i)
        differ(std::string(name(static_cast<FrameId>(i))), a.frames[i], b.frames[i]);
    for (std::size_t i = 0; i < kButtonCount; ++i)
        differ(std::string(info(static_cast<ButtonId>(i)).name), a.buttons[i], b.buttons[i]);
    if (a.name != b.name)
        out.push_back("txtName: \"" + a.name + "\" / \"" + b.name + "\"");
    return out;
}

inline std::vector<std::string> differences(const DesignRecord& a, const DesignRecord& b) {
    using Field = std::pair<const char*, i16 DesignRecord::*>;
    using Slots = std::pair<const char*, SlotArray DesignRecord::*>;
    const Field fields[] = {{"intType", &DesignRecord::intType},
                            {"intSize", &DesignRecord::intSize},
                            {"intRace", &DesignRecord::intRace},
                            {"intBasePts", &DesignRecord::intBasePts},
                            {"intOptionPts", &DesignRecord::intOptionPts},
                            {"intArmorPts", &DesignRecord::intArmorPts},
                            {"intCCWCost", &DesignRecord::intCCWCost},
                            {"intExtraAttacks", &DesignRecord::intExtraAttacks},
                            {"intArmorTotal", &DesignRecord::intArmorTotal},
                            {"intMaxArmor", &DesignRecord::intMaxArmor},
                            {"intMaxFacing", &DesignRecord::intMaxFacing},
                            {"intStructureCost", &DesignRecord::intStructureCost}};
    const Slots arrays[] = {{"intWpnCost", &DesignRecord::intWpnCost},
                            {"intBlastCost", &DesignRecord::intBlastCost},
                            {"intCoaxCost", &DesignRecord::intCoaxCost},
                            {"intGatlingCost", &DesignRecord::intGatlingCost},
                            {"intBarrelCost", &DesignRecord::intBarrelCost},
                            {"intMegaCost", &DesignRecord::intMegaCost},
                            {"intAACost", &DesignRecord::intAACost},
                            {"intTargeterCost", &DesignRecord::intTargeterCost},
                            {"intBatteryCost", &DesignRecord::intBatteryCost},
                            {"intTwinCost", &DesignRecord::intTwinCost},
                            {"intSlowCost", &DesignRecord::intSlowCost},
                            {"intTitanCost", &DesignRecord::intTitanCost},
                            {"intNumber", &DesignRecord::intNumber}};
    std::vector<std::string> out;
    for (const auto& [fieldName, field] : fields) {
        if (a.*field != b.*field)
            out.push_back(std::string(fieldName) + ": " + std::to_string(a.*field) + " / " +
                          std::to_string(b.*field));
    }
    for (const auto& [arrayName, array] : arrays) {
        for (std::size_t i = 0; i < (a.*array).size(); ++i) {
            if ((a.*array)[i] != (b.*array)[i])
                out.push_back(std::string(arrayName) + "(" + std::to_string(i) +
                              "): " + std::to_string((a.*array)[i]) + " / " +
                              std::to_string((b.*array)[i]));
        }
    }
    return out;
}

// The differences joined into one line for a failure message; empty when none.
template <typename T> std::string describeDifferences(const T& a, const T& b) {
    std::string out;
    for (const std::string& d : differences(a, b))
        out += (out.empty() ? "" : "; ") + d;
    return out;
}

} // namespace ivc::test
