#include "core/controls.h"

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
const std::array<ListInfo, kListIds> kLists = {{
    {"lstRace", false, FrameId::Race, true, kRaceRows},
    {"lstType", false, FrameId::Race, true, kTypeRows},
    {"lstSize", false, FrameId::Race, true, kSizeRows},
    {"lstFArmor", false, FrameId::Armor, true, {}, 9, 14},
    {"lstSArmor", false, FrameId::Armor, true, {}, 9, 14},
    {"lstRArmor", false, FrameId::Armor, true, {}, 9, 14},
    {"lstOpen", false, FrameId::Armor, true, kOpenRows},
    {"lstTransport", false, FrameId::Special, true, {}, 1, 51},
    {"lstStructure", false, FrameId::Special, false, {}, 1, 9},
    {"lstConcordF", false, FrameId::Special, false, {}, 1, 9},
    {"lstVeyraF", false, FrameId::Special, false, {}, 1, 4},
    {"lstGrakF", false, FrameId::Special, false, {}, 1, 9},
    {"lstCCW", false, FrameId::CCW, true, kNoneRow},
    {"lstAttacks", false, FrameId::CCW, false, {}, 0, 4},
    {"lstWpn1", true, FrameId::Weap, true, kNoneRow},
    {"lstBattery", true, FrameId::Weap, false, {}, 0, 6},
    {"lstSlow", true, FrameId::Weap, false, kSlowRows},
    {"lstNumber", true, FrameId::Weap, true, {}, 1, 8},
}};

// Start-up state of every check box, in CheckId order.
const std::array<CheckInfo, kCheckIds> kChecks = {{
    {"chkAmphib", false, FrameId::Special, true, "Amphibious"},
    {"chkTunneller", false, FrameId::Special, true, "Tunneller"},
    {"chkWrecker", false, FrameId::Special, true, "Wrecker"},
    {"chkSouped", false, FrameId::Special, true, "Souped-up Engines"},
    {"chkLander", false, FrameId::Special, true, "Orbital Lander"},
    {"chkSkimmer", false, FrameId::Special, true, "Skimmer"},
    {"chkRecovery", false, FrameId::Special, true, "Recovery Vehicle"},
    {"chkTow", false, FrameId::Special, true, "Tow Bar"},
    {"chkTransport", false, FrameId::Special, false, "Transport"},
    {"chkCarriage", false, FrameId::Special, false, "Carriage"},
    {"chkConcordF", false, FrameId::Special, false, "Concord Field"},
    {"chkVeyraF", false, FrameId::Special, false, "Veyra Fields"},
    {"chkGrakF", false, FrameId::Special, false, "Grak Field"},
    {"chkFerocious", false, FrameId::CCW, false, "Ferocious"},
    {"chkBlast1", true, FrameId::Weap, false, ""},
    {"chkCoax1", true, FrameId::Weap, false, ""},
    {"chkGatling1", true, FrameId::Weap, false, ""},
    {"chkLong1", true, FrameId::Weap, false, ""},
    {"chkShort", true, FrameId::Weap, false, ""},
    {"chkMega1", true, FrameId::Weap, false, ""},
    {"chkAA1", true, FrameId::Weap, false, ""},
    {"chkTargeter1", true, FrameId::Weap, false, ""},
    {"chkTwin1", true, FrameId::Weap, false, ""},
    {"chkTitan", true, FrameId::Weap, false, ""},
}};

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

std::string instanceName(std::string_view base, bool perSlot, int slot) {
    std::string result(base);
    if (perSlot)
        result += "_" + std::to_string(slot);
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
    return instanceName(info(r.id).name, info(r.id).perSlot, r.slot);
}
std::string objectName(CheckRef r) {
    return instanceName(info(r.id).name, info(r.id).perSlot, r.slot);
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
    label(LabelId::CCWCost) = "0";
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
