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
#define IVC_NAMED(field) std::make_pair(#field, &DesignRecord::field)
    const std::pair<const char*, i16 DesignRecord::*> fields[] = {
        IVC_NAMED(intType),     IVC_NAMED(intSize),         IVC_NAMED(intRace),
        IVC_NAMED(intBasePts),  IVC_NAMED(intOptionPts),    IVC_NAMED(intArmorPts),
        IVC_NAMED(intCCWCost),  IVC_NAMED(intExtraAttacks), IVC_NAMED(intArmorTotal),
        IVC_NAMED(intMaxArmor), IVC_NAMED(intMaxFacing),    IVC_NAMED(intStructureCost)};
    const std::pair<const char*, SlotArray DesignRecord::*> arrays[] = {
        IVC_NAMED(intWpnCost),     IVC_NAMED(intBlastCost),    IVC_NAMED(intCoaxCost),
        IVC_NAMED(intGatlingCost), IVC_NAMED(intBarrelCost),   IVC_NAMED(intMegaCost),
        IVC_NAMED(intAACost),      IVC_NAMED(intTargeterCost), IVC_NAMED(intBatteryCost),
        IVC_NAMED(intTwinCost),    IVC_NAMED(intSlowCost),     IVC_NAMED(intTitanCost),
        IVC_NAMED(intNumber)};
#undef IVC_NAMED
    std::vector<std::string> out;
    const auto differ = [&out](const std::string& what, int x, int y) {
        if (x != y)
            out.push_back(what + ": " + std::to_string(x) + " / " + std::to_string(y));
    };
    for (const auto& [fieldName, field] : fields)
        differ(fieldName, a.*field, b.*field);
    for (const auto& [arrayName, array] : arrays) {
        for (std::size_t i = 0; i < (a.*array).size(); ++i)
            differ(std::string(arrayName) + "(" + std::to_string(i) + ")", (a.*array)[i],
                   (b.*array)[i]);
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
