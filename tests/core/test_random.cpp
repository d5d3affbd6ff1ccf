#include "drive.h"

using namespace ivc;

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
            const test::Action a = test::randomAction(m, rng);
            test::apply(m, a);
            if (test::isPress(a, ButtonId::Calculate)) {
                EXPECT_EQ(m.caption(LabelId::Points), std::to_string(m.total().value()));
            }
            m.takeEffects();
            const auto broken = test::invariantViolations(m);
            ASSERT_TRUE(broken.empty()) << broken.front() << " (after step " << step << ")";
        }
        // The walk must spend most of its time past the armour step to mean anything.
        EXPECT_GT(equipping, 12500);
    }
}
