#include "common/invariants.h"
#include "core/model.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace ivc;

namespace {

// One thing a user could do right now.
struct Action {
    enum Kind { Pick, Toggle, Press } kind;
    ListRef list = ListId::Race;
    CheckRef box = CheckId::Amphib;
    ButtonId button = ButtonId::Next1;
    int row = 0;
};

std::vector<Action> reachable(const MainModel& m, std::mt19937& rng) {
    std::vector<Action> actions;
    for (ListId id : allLists()) {
        for (int s = 0; s < instances(id); ++s) {
            const ListState& l = m.list({id, s});
            if (!m.usable({id, s}) || l.rows.empty())
                continue;
            std::uniform_int_distribution<int> row(0, static_cast<int>(l.rows.size()) - 1);
            actions.push_back({Action::Pick, {id, s}, CheckId::Amphib, ButtonId::Next1, row(rng)});
        }
    }
    for (CheckId id : allChecks())
        for (int s = 0; s < instances(id); ++s)
            if (m.usable({id, s}))
                actions.push_back({Action::Toggle, ListId::Race, {id, s}});
    for (std::size_t b = 0; b < kButtonCount; ++b) {
        const auto id = static_cast<ButtonId>(b);
        if (id != ButtonId::Exit && m.usable(id))
            actions.push_back({Action::Press, ListId::Race, CheckId::Amphib, id});
    }
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
            // A reset now and then, not at every tenth step, so that designs get far.
            if (a.kind == Action::Press && a.button == ButtonId::Reset && rng() % 50 != 0)
                continue;
            switch (a.kind) {
            case Action::Pick:
                m.select(a.list, a.row);
                break;
            case Action::Toggle:
                m.setChecked(a.box, !m.check(a.box).checked);
                break;
            case Action::Press:
                m.press(a.button);
                if (a.button == ButtonId::Calculate) {
                    const auto total = m.total();
                    ASSERT_TRUE(total.has_value());
                    EXPECT_EQ(m.caption(LabelId::Points), std::to_string(*total));
                }
                break;
            }
            m.takeEffects();
            const auto broken = test::invariantViolations(m);
            ASSERT_TRUE(broken.empty()) << broken.front() << " (after step " << step << ")";
        }
        // The walk must spend most of its time past the armour step to mean anything.
        EXPECT_GT(equipping, 12500);
    }
}
