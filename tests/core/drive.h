#pragma once

#include "core/model.h"
#include "core/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ivc {

inline void PrintTo(const Message& m, std::ostream* os) {
    *os << '"' << m.title << "\" / \"" << m.text << '"';
}

// Drives a MainModel as a user does: only through controls that are open and sit in an
// open frame, so a test cannot reach a state the window would not let a user reach.
namespace test {

struct Hull {
    int race, type, size;
};

inline std::string describe(Hull h) {
    return "race " + std::to_string(h.race) + " type " + std::to_string(h.type) + " size " +
           std::to_string(h.size);
}

inline void pick(MainModel& m, ListRef r, int row) {
    EXPECT_TRUE(m.usable(r)) << objectName(r) << " cannot be reached";
    m.select(r, row);
}

inline void pick(MainModel& m, ListRef r, std::string_view text) {
    const auto& rows = m.list(r).rows;
    const auto it = std::find(rows.begin(), rows.end(), text);
    EXPECT_NE(it, rows.end()) << objectName(r) << " has no row " << text;
    pick(m, r, static_cast<int>(it - rows.begin()));
}

inline void tick(MainModel& m, CheckRef r, bool on = true) {
    EXPECT_TRUE(m.usable(r)) << objectName(r) << " cannot be reached";
    m.setChecked(r, on);
}

inline void press(MainModel& m, ButtonId id) {
    EXPECT_TRUE(m.usable(id)) << info(id).name << " cannot be reached";
    m.press(id);
}

// The message boxes raised since the last call.
inline std::vector<Message> messages(MainModel& m) {
    std::vector<Message> out;
    for (const Effect& e : m.takeEffects()) {
        if (const auto* msg = std::get_if<Message>(&e))
            out.push_back(*msg);
    }
    return out;
}

inline std::vector<Message> one(std::string title, std::string text) {
    return {Message{std::move(title), std::move(text)}};
}
inline const std::vector<Message> kNone;

inline void startDesign(MainModel& m, Hull h) {
    pick(m, ListId::Race, h.race - 1);
    pick(m, ListId::Type, h.type - 1);
    pick(m, ListId::Size, h.size - 1);
    press(m, ButtonId::Next1);
    EXPECT_EQ(messages(m), kNone);
}

// Facing values 9..14 (0 leaves a facing unchosen) and the lstOpen row (-1 none).
inline void armour(MainModel& m, int front, int side, int rear, int open = 1) {
    const std::pair<ListId, int> picks[] = {
        {ListId::FArmor, front - 9}, {ListId::SArmor, side - 9}, {ListId::RArmor, rear - 9}};
    for (const auto& [list, row] : picks) {
        if (row >= 0)
            pick(m, list, row);
    }
    if (open >= 0)
        pick(m, ListId::Open, open);
    press(m, ButtonId::Next4);
}

// Both steps with a light hull (10/10/10, fully armoured: 40 points) that every type takes.
inline void equipStage(MainModel& m, Hull h) {
    startDesign(m, h);
    armour(m, 10, 10, 10);
    EXPECT_EQ(messages(m), kNone);
}

inline void weapon(MainModel& m, int slot, std::string_view text) {
    pick(m, {ListId::Wpn1, slot}, text);
}

inline std::string calculate(MainModel& m) {
    press(m, ButtonId::Calculate);
    return m.caption(LabelId::Points);
}

// After a reset the model equals a fresh one, except the vehicle name and the rows of the
// lists that the next "&Next" refills anyway. Differences are named for a readable failure.
inline void expectFreshStart(const MainModel& m) {
    const MainModel fresh;
    Controls seen = m.controls();
    seen.name = fresh.name();
    for (int s = 0; s < kSlots; ++s)
        seen.list({ListId::Wpn1, s}).rows = fresh.list({ListId::Wpn1, s}).rows;
    seen.list(ListId::CCW).rows = fresh.list(ListId::CCW).rows;
    std::vector<std::string> differ;
    for (ListId id : allLists()) {
        for (int s = 0; s < instances(id); ++s) {
            if (!(seen.list({id, s}) == fresh.list({id, s})))
                differ.push_back(objectName(ListRef{id, s}));
        }
    }
    for (CheckId id : allChecks()) {
        for (int s = 0; s < instances(id); ++s) {
            if (!(seen.check({id, s}) == fresh.check({id, s})))
                differ.push_back(objectName(CheckRef{id, s}));
        }
    }
    EXPECT_EQ(differ, std::vector<std::string>{});
    EXPECT_EQ(seen.labels, fresh.controls().labels);
    EXPECT_EQ(seen.frames, fresh.controls().frames);
    EXPECT_EQ(seen.buttons, fresh.controls().buttons);
    EXPECT_TRUE(m.record() == fresh.record()) << "the design record differs from a fresh one";
}

} // namespace test
} // namespace ivc
