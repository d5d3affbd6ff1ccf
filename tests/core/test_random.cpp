#include "common/invariants.h"
#include "core/model.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <variant>
#include <vector>

using namespace ivc;

namespace {

// One thing a user could do right now: pick a row, toggle a box, press a button.
using Action = std::variant<std::pair<ListRef, int>, CheckRef, ButtonId>;

std::vector<Action> reachable(const MainModel& m, std::mt19937& rng) {
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

} // namespace

// Thousands of random user actions on reachable controls; after every one the record and
// the controls must still agree.
TEST(RandomUse, InvariantsHoldAfterEveryAction) {
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        MainModel m;
        int equipping = 0;
        for (int step = 0; step < 25000; ++step) {
            equipping += m.frameEnabled(FrameId::Weap) ? 1 : 0;
            const auto actions = reachable(m, rng);
            ASSERT_FALSE(actions.empty());
            const Action a =
                actions[std::uniform_int_distribution<std::size_t>(0, actions.size() - 1)(rng)];
            if (const auto* pick = std::get_if<0>(&a)) {
                m.select(pick->first, pick->second);
            } else if (const auto* box = std::get_if<CheckRef>(&a)) {
                m.setChecked(*box, !m.check(*box).checked);
            } else if (const auto button = std::get<ButtonId>(a);
                       button != ButtonId::Reset || rng() % 50 == 0) {
                m.press(button);
            } else {
                continue; // a reset now and then, not at every tenth step, so that designs get far
            }
            m.takeEffects();
            const auto broken = test::invariantViolations(m);
            ASSERT_TRUE(broken.empty()) << broken.front() << " (after step " << step << ")";
        }
        // The walk must spend most of its time past the armour step to mean anything.
        EXPECT_GT(equipping, 12500);
    }
}
