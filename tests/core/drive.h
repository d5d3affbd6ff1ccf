#pragma once

// Everything the core tests use, included once here.
#include "common/fullest_design.h"
#include "common/random_actions.h"
#include "common/typical_design.h"
#include "core/card.h"
#include "core/model.h"
#include "core/tables.h"
#include "core/textcard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <variant>

// Drives a MainModel as a user does: only through controls that are open and sit in an
// open frame, so a test cannot reach a state the window would not let a user reach.
namespace ivc::test {

struct Hull {
    int race, type, size;
};

inline void press(MainModel& m, ButtonId id) {
    EXPECT_TRUE(m.usable(id)) << info(id).name << " cannot be reached";
    m.press(id);
}

// The control with a widget name such as "lstWpn1_3" or "chkTwin1_3".
template <typename Ref, typename Ids> std::optional<Ref> named(std::string_view name, Ids ids) {
    for (auto id : ids)
        for (int s = 0; s < instances(id); ++s)
            if (objectName(Ref{id, s}) == name)
                return Ref{id, s};
    return std::nullopt;
}

// User actions by widget name, separated by "; ": "lstWpn1_3=Beam Cannon" picks a row by
// its text, "chkTwin1_3" ticks a box and "-chkTwin1_3" unticks it.
inline void act(MainModel& m, std::string_view script) {
    while (!script.empty()) {
        const std::string_view step = script.substr(0, script.find("; "));
        script.remove_prefix(std::min(script.size(), step.size() + 2));
        const bool off = step.starts_with('-');
        const auto eq = std::min(step.find('='), step.size());
        const std::string_view name = step.substr(off ? 1 : 0, eq - (off ? 1 : 0));
        if (const auto list = named<ListRef>(name, allLists())) {
            const auto& rows = m.list(*list).rows;
            const auto row =
                std::find(rows.begin(), rows.end(), step.substr(std::min(eq + 1, step.size()))) -
                rows.begin();
            EXPECT_TRUE(m.usable(*list) && row < std::ssize(rows)) << step << " cannot be picked";
            m.select(*list, static_cast<int>(row));
        } else if (const auto box = named<CheckRef>(name, allChecks())) {
            EXPECT_TRUE(m.usable(*box)) << name << " cannot be reached";
            m.setChecked(*box, !off);
        } else {
            ADD_FAILURE() << "no control " << name;
        }
    }
}

// The message boxes ("title/text") and requests ("card", "exit") raised since the last
// call, joined by "; ".
inline std::string effects(MainModel& m) {
    std::string out;
    for (const Effect& e : m.takeEffects()) {
        const auto* msg = std::get_if<Message>(&e);
        out += (out.empty() ? "" : "; ") + (msg ? msg->title + "/" + msg->text
                                            : std::get<Request>(e) == Request::ShowCard ? "card"
                                                                                        : "exit");
    }
    return out;
}

inline void startDesign(MainModel& m, Hull h) {
    for (const auto& [list, n] : {std::pair{ListId::Race, h.race}, std::pair{ListId::Type, h.type},
                                  std::pair{ListId::Size, h.size}})
        m.select({list, 0}, n - 1);
    press(m, ButtonId::Next1);
}

// Facing values 9..14 (0 leaves a facing unchosen) and the lstOpen row: 1 fully armoured,
// 0 open-topped, -1 none.
inline void armour(MainModel& m, int front, int side, int rear, int open = 1) {
    for (const auto& [list, row] :
         {std::pair{ListId::FArmor, front - 9}, std::pair{ListId::SArmor, side - 9},
          std::pair{ListId::RArmor, rear - 9}, std::pair{ListId::Open, open}})
        m.select({list, 0}, row);
    press(m, ButtonId::Next4);
}

// A design, fresh or on the given model, past the armour step with a light hull (10/10/10,
// fully armoured: 40 points) that every type takes, then the given actions.
inline MainModel design(Hull h, std::string_view script = "", MainModel m = {}) {
    startDesign(m, h);
    armour(m, 10, 10, 10);
    act(m, script);
    return m;
}

// The dearest design the window allows, 30900 points: a Bastion War Machine with eight
// Quake Guns, each with every upgrade ordnance takes, six batteries and a count of eight.
inline MainModel dearestDesign() {
    MainModel m;
    startDesign(m, {Bastion, Tank, WarMachine});
    armour(m, 14, 14, 14);
    for (const char s : std::string("01234567")) {
        std::string slot = "lstWpn1_#=Quake Gun; chkBlast1_#; chkLong1_#; chkMega1_#; chkTitan_#; "
                           "chkAA1_#; lstBattery_#=6; lstNumber_#=8";
        std::replace(slot.begin(), slot.end(), '#', s);
        act(m, slot);
    }
    return m;
}

// Past the 16-bit limit: Gatling, which ordnance keeps closed, ticked in every slot of
// the dearest design.
inline void pastTheLimit(MainModel& m) {
    for (int s = 0; s < kSlots; ++s)
        m.setChecked({CheckId::Gatling1, s}, true);
}

inline std::string calculate(MainModel& m) {
    press(m, ButtonId::Calculate);
    return m.caption(LabelId::Points);
}

// After a reset the model equals a fresh one, except the vehicle name and the rows of the
// lists that the next "&Next" refills anyway.
inline void expectFreshStart(const MainModel& m) {
    const MainModel fresh;
    Controls seen = m.controls();
    seen.name = fresh.name();
    for (int s = 0; s < kSlots; ++s)
        seen.list({ListId::Wpn1, s}).rows = fresh.list({ListId::Wpn1, s}).rows;
    seen.list(ListId::CCW).rows = fresh.list(ListId::CCW).rows;
    EXPECT_TRUE(seen == fresh.controls()) << "controls after the reset / fresh";
    EXPECT_TRUE(m.record() == fresh.record()) << "record after the reset / fresh";
}

} // namespace ivc::test
