#pragma once

#include "core/model.h"
#include "core/tables.h"

#include <string>
#include <vector>

// The rules that must hold between any two user actions, for the randomized runs of the
// core model and of the main window.
namespace ivc::test {

inline int shownNumber(const ListState& l) {
    return l.selected < 0 ? 0 : std::stoi(l.text());
}

// intOptionPts as the ticked boxes say it should be: a running sum that drifts from this
// has missed an untick or counted one twice.
inline int expectedOptionPoints(const MainModel& m) {
    int sum = 0;
    for (const OptionRow& o : kOptions) {
        if (!m.check({o.box, 0}).checked)
            continue;
        if (o.rule == OptionRule::Fixed)
            sum += o.points;
        else if (pricesCount(o))
            sum += shownNumber(m.list({o.countList, 0})) * o.points;
    }
    return sum;
}

// Every broken invariant, described; empty when all hold.
inline std::vector<std::string> invariantViolations(const MainModel& m) {
    std::vector<std::string> broken;
    const auto require = [&broken](bool ok, const std::string& what) {
        if (!ok)
            broken.push_back(what);
    };
    const DesignRecord& r = m.record();
    require(r.intRace + r.intType * 10 + r.intSize * 100 ==
                m.list(ListId::Race).selected + 1 + (m.list(ListId::Type).selected + 1) * 10 +
                    (m.list(ListId::Size).selected + 1) * 100,
            "intRace, intType and intSize follow their lists");
    for (int s = 0; s < kSlots; ++s) {
        const auto i = static_cast<std::size_t>(s);
        require(r.intNumber[i] == m.list({ListId::Number, s}).selected + 1,
                "intNumber follows lstNumber in slot " + std::to_string(s));
        for (auto cost : kSlotCostArrays)
            require(m.list({ListId::Wpn1, s}).text() != "None" || (r.*cost)[i] == 0,
                    "a None slot costs nothing: slot " + std::to_string(s));
    }
    require(r.intOptionPts == expectedOptionPoints(m),
            "intOptionPts " + std::to_string(r.intOptionPts) + " matches the ticked boxes (" +
                std::to_string(expectedOptionPoints(m)) + ")");
    require(m.caption(LabelId::CCWCost) == std::to_string((r.intExtraAttacks + 1) * r.intCCWCost),
            "lblCCWCost is one price per attack");
    // A count that a ticked box has priced cannot change under it.
    for (const OptionRow& o : kOptions)
        require(!pricesCount(o) || !m.check({o.box, 0}).checked ||
                    !m.list({o.countList, 0}).enabled,
                std::string(o.name) + " locks its count list while ticked");
    require(m.list(ListId::Transport).enabled || m.check(CheckId::Transport).checked,
            "lstTransport is open while chkTransport is unticked");
    return broken;
}

} // namespace ivc::test
