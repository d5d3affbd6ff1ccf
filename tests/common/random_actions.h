#pragma once

#include "core/model.h"

#include <random>
#include <utility>
#include <variant>
#include <vector>

// Random user actions on the controls a user could reach right now, for the randomized
// runs of the core model, of design files and of undo.
namespace ivc::test {

// One thing a user could do: pick a row, toggle a box, press a button.
using Action = std::variant<std::pair<ListRef, int>, CheckRef, ButtonId>;

inline std::vector<Action> reachable(const MainModel& m, std::mt19937& rng) {
    std::vector<Action> actions;
    for (ListId id : allLists())
        for (int s = 0; s < instances(id); ++s)
            if (const auto n = static_cast<int>(m.list({id, s}).rows.size());
                m.usable({id, s}) && n > 0)
                actions.emplace_back(
                    std::pair{ListRef{id, s}, std::uniform_int_distribution<int>(0, n - 1)(rng)});
    for (CheckId id : allChecks())
        for (int s = 0; s < instances(id); ++s)
            if (m.usable({id, s}))
                actions.emplace_back(CheckRef{id, s});
    for (std::size_t b = 0; b < kButtonCount; ++b)
        if (const auto id = static_cast<ButtonId>(b); id != ButtonId::Exit && m.usable(id))
            actions.emplace_back(id);
    return actions;
}

inline bool isPress(const Action& a, ButtonId id) {
    const auto* button = std::get_if<ButtonId>(&a);
    return button != nullptr && *button == id;
}

// One random reachable action, a reset only now and then so that designs get far.
inline Action randomAction(const MainModel& m, std::mt19937& rng) {
    for (;;) {
        const auto actions = reachable(m, rng);
        const Action a =
            actions[std::uniform_int_distribution<std::size_t>(0, actions.size() - 1)(rng)];
        if (!isPress(a, ButtonId::Reset) || rng() % 50 == 0)
            return a;
    }
}

// Carries the action out on the model; a box is toggled.
inline void apply(MainModel& m, const Action& a) {
    if (const auto* pick = std::get_if<0>(&a))
        m.select(pick->first, pick->second);
    else if (const auto* box = std::get_if<CheckRef>(&a))
        m.setChecked(*box, !m.check(*box).checked);
    else
        m.press(std::get<ButtonId>(a));
}

} // namespace ivc::test
