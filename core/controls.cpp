#include "core/controls.h"

#include "core/families.h"
#include "core/tables.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>

namespace ivc {
namespace {

using namespace std::string_view_literals;

constexpr std::array kRaceRows = {"Bastion"sv,   "Dark Veyra"sv, "Veyra"sv,  "Concord"sv,
                                  "Forgeborn"sv, "Grak"sv,       "Thrane"sv, "Blight"sv};
constexpr std::array kTypeRows = {"Walker"sv, "Tank"sv, "Light Vehicle"sv, "Flyer"sv, "Immobile"sv};
constexpr std::array kSizeRows = {"Small"sv, "Normal"sv, "War Machine"sv};
constexpr std::array kOpenRows = {"Open-Topped"sv, "Fully Armored"sv};
constexpr std::array kNoneRow = {"None"sv};
constexpr std::array kSlowRows = {"0"sv, "-1"sv, "-2"sv, "-3"sv, "-4"sv};

// Start-up contents of every list, in ListId order.
// clang-format off
constexpr std::array<ListInfo, kListIds> kLists = {{
//   name            frame             start  spoken                             step
//   rows, or the numbers from .. to
    {"lstRace",      FrameId::Race,    true,  "Race",                            "Race",
     kRaceRows},
    {"lstType",      FrameId::Race,    true,  "Type",                            "Type",
     kTypeRows},
    {"lstSize",      FrameId::Race,    true,  "Size",                            "Size",
     kSizeRows},
    {"lstFArmor",    FrameId::Armor,   true,  "Front armor",                     "Front armor",
     {}, kFirstArmor, kFirstArmor + 5},
    {"lstSArmor",    FrameId::Armor,   true,  "Side armor",                      "Side armor",
     {}, kFirstArmor, kFirstArmor + 5},
    {"lstRArmor",    FrameId::Armor,   true,  "Rear armor",                      "Rear armor",
     {}, kFirstArmor, kFirstArmor + 5},
    {"lstOpen",      FrameId::Armor,   true,  "Open-topped or fully armored",    "",
     kOpenRows},
    {"lstTransport", FrameId::Special, true,  "Transport capacity",              "Transport",
     {}, 1, 51},
    {"lstStructure", FrameId::Special, false, "Structure points",                "Structure Points",
     {}, 1, 9},
    {"lstConcordF",  FrameId::Special, false, "Number of Concord fields",        "Concord Field",
     {}, 1, 9},
    {"lstVeyraF",    FrameId::Special, false, "Number of Veyra fields",          "Veyra Fields",
     {}, 1, 4},
    {"lstGrakF",     FrameId::Special, false, "Number of Grak fields",           "Grak Field",
     {}, 1, 9},
    {"lstCCW",       FrameId::CCW,     true,  "Close combat weapon",             "",
     kNoneRow},
    {"lstAttacks",   FrameId::CCW,     false, "Number of close combat weapons",  "# of CCW's",
     {}, 0, 4},
    {"lstWpn1",      FrameId::Weap,    true,  "Weapon",                          "",
     kNoneRow},
    {"lstBattery",   FrameId::Weap,    false, "Gun Battery",                     "Gun Battery",
     {}, 0, 6},
    {"lstSlow",      FrameId::Weap,    false, "Slow Fire",                       "Slow Fire",
     kSlowRows},
    {"lstNumber",    FrameId::Weap,    true,  "Number",                          "#",
     {}, 1, 8},
}};
// clang-format on

// Start-up state of every check box, in CheckId order, from the rows of its family.
constexpr std::array<CheckInfo, kCheckIds> kChecks = [] {
    std::array<CheckInfo, kCheckIds> checks{};
    for (const OptionRow& o : kOptions)
        checks[static_cast<std::size_t>(o.box)] = {o.name, o.frame, o.enabledAtStart, o.caption};
    for (const UpgradeRow& u : kUpgrades) {
        if (!u.isList)
            checks[static_cast<std::size_t>(u.box)] = {u.name, FrameId::Weap, false, ""};
    }
    return checks;
}();
static_assert(std::ranges::none_of(kChecks, [](const CheckInfo& c) { return c.name.empty(); }),
              "every check box has the row of an option or an upgrade");

constexpr std::array<std::string_view, kLabelCount> kLabelNames = {
    "lblSpeed", "lblMaxArmor", "lblPoints", "lblAttacks", "lblCCWCost"};

constexpr std::array<std::string_view, kFrameCount> kFrameNames = {
    "", "fraRace", "fraArmor", "fraSpecial", "fraCCW", "fraWeap"};

const std::array<NamedInfo, kButtonCount> kButtons = {{
    {"cmdNext1", FrameId::Race},
    {"cmdNext4", FrameId::Armor},
    {"cmdCalculate", FrameId::None},
    {"cmdReset", FrameId::None},
    {"cmdPrint", FrameId::None},
    {"cmdExit", FrameId::None},
}};

constexpr std::array<bool, kButtonCount> kButtonsEnabled = {true, true, false, true, false, true};

template <typename Id, std::size_t N> constexpr std::array<Id, N> enumerate() {
    std::array<Id, N> ids{};
    for (std::size_t i = 0; i < N; ++i)
        ids[i] = static_cast<Id>(i);
    return ids;
}
constexpr auto kAllLists = enumerate<ListId, kListIds>();
constexpr auto kAllChecks = enumerate<CheckId, kCheckIds>();

// Position of the first instance of each id in the flat state vectors.
template <typename Id, std::size_t N> std::array<std::size_t, N + 1> offsets() {
    std::array<std::size_t, N + 1> result{};
    for (std::size_t i = 0; i < N; ++i)
        result[i + 1] = result[i] + static_cast<std::size_t>(instances(static_cast<Id>(i)));
    return result;
}

template <typename Id, std::size_t N> std::size_t indexOf(Ref<Id> r) {
    static const auto table = offsets<Id, N>();
    const int count = instances(r.id);
    if (r.slot < 0 || r.slot >= count)
        throw std::out_of_range("control slot out of range");
    return table[static_cast<std::size_t>(r.id)] + static_cast<std::size_t>(r.slot);
}

template <typename Id> std::string instanceName(Ref<Id> r) {
    std::string result(info(r.id).name);
    // GCC 12 -Wrestrict false positive (GCC bug 105329) on a one-character string literal.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
    if (isSlotArray(r.id))
        result += "_" + std::to_string(r.slot);
#pragma GCC diagnostic pop
    return result;
}

} // namespace

const ListInfo& info(ListId id) {
    return kLists.at(static_cast<std::size_t>(id));
}
const CheckInfo& info(CheckId id) {
    return kChecks.at(static_cast<std::size_t>(id));
}
std::string_view name(LabelId id) {
    return kLabelNames.at(static_cast<std::size_t>(id));
}
std::string_view name(FrameId id) {
    return kFrameNames.at(static_cast<std::size_t>(id));
}
const NamedInfo& info(ButtonId id) {
    return kButtons.at(static_cast<std::size_t>(id));
}

std::span<const ListId> allLists() {
    return kAllLists;
}
std::span<const CheckId> allChecks() {
    return kAllChecks;
}

std::string objectName(ListRef r) {
    return instanceName(r);
}
std::string objectName(CheckRef r) {
    return instanceName(r);
}

const std::vector<std::string>& Rows::get() const {
    static const std::vector<std::string> none;
    return m_rows ? *m_rows : none;
}

Rows& Rows::operator=(const std::vector<std::string>& rows) {
    if (get() == rows)
        return *this;
    // The few row lists there are (arsenals, numeric ranges) are made again at every
    // "&Next" and in every slot; the lists made last are kept to be shared instead.
    using Shared = std::shared_ptr<const std::vector<std::string>>;
    static std::mutex guard;
    static std::array<std::weak_ptr<const std::vector<std::string>>, 32> recent;
    static std::size_t next = 0;
    const std::lock_guard lock(guard);
    for (const auto& weak : recent) {
        if (Shared known = weak.lock(); known && *known == rows) {
            m_rows = std::move(known);
            return *this;
        }
    }
    Shared made = std::make_shared<const std::vector<std::string>>(rows);
    recent[next] = made;
    next = (next + 1) % recent.size();
    m_rows = std::move(made);
    return *this;
}

std::string ListState::text() const {
    if (selected < 0 || selected >= static_cast<int>(rows.size()))
        return {};
    return rows[static_cast<std::size_t>(selected)];
}

Controls::Controls() {
    for (ListId id : allLists()) {
        const ListInfo& li = info(id);
        ListState state;
        state.enabled = li.enabled;
        std::vector<std::string> rows(li.rows.begin(), li.rows.end());
        for (int n = li.firstNumber; n <= li.lastNumber; ++n)
            rows.push_back(std::to_string(n));
        state.rows = rows;
        for (int s = 0; s < instances(id); ++s)
            lists.push_back(state);
    }
    for (CheckId id : allChecks()) {
        for (int s = 0; s < instances(id); ++s)
            checks.push_back(CheckState{false, info(id).enabled});
    }
    // GCC 12 -Wrestrict false positive (GCC bug 105329) on a one-character string literal.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
    label(LabelId::CCWCost) = "0";
#pragma GCC diagnostic pop
    frame(FrameId::None) = true;
    frame(FrameId::Race) = true;
    buttons = kButtonsEnabled;
}

ListState& Controls::list(ListRef r) {
    return lists[indexOf<ListId, kListIds>(r)];
}
const ListState& Controls::list(ListRef r) const {
    return lists[indexOf<ListId, kListIds>(r)];
}
CheckState& Controls::check(CheckRef r) {
    return checks[indexOf<CheckId, kCheckIds>(r)];
}
const CheckState& Controls::check(CheckRef r) const {
    return checks[indexOf<CheckId, kCheckIds>(r)];
}

} // namespace ivc
