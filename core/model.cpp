#include "core/model.h"

#include "core/tables.h"

#include <algorithm>

#include <charconv>
#include <cmath>
#include <utility>

namespace ivc {
namespace {

// Number shown in a numeric list's selected row; 0 with no selection.
int shownNumber(const ListState& list) {
    const std::string text = list.text();
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Leading decimal number of a caption, as the total reads lblCCWCost: leading blanks
// are skipped and anything after the number is ignored; no number counts 0.
double leadingNumber(const std::string& text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos)
        return 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    const bool digitFirst = first != last && (std::isdigit(static_cast<unsigned char>(*first)) ||
                                              (*first == '.' && first + 1 != last &&
                                               std::isdigit(static_cast<unsigned char>(first[1]))));
    if (!digitFirst)
        return 0;
    double value = 0;
    std::from_chars(first, last, value, std::chars_format::general);
    return negative ? -value : value;
}

// Sets a box to what a hull type does to it.
void applyHullEffect(CheckState& box, HullEffect effect) {
    if (effect != HullEffect::Keep)
        box.enabled = effect == HullEffect::Open;
}

i16 at(const SlotArray& a, int s) {
    return a[static_cast<std::size_t>(s)];
}
i16& at(SlotArray& a, int s) {
    return a[static_cast<std::size_t>(s)];
}

} // namespace

MainModel::MainModel() {
    cmdReset_Click();
}

bool MainModel::usable(ListRef r) const {
    return m_ui.list(r).enabled && m_ui.frame(info(r.id).frame);
}
bool MainModel::usable(CheckRef r) const {
    return m_ui.check(r).enabled && m_ui.frame(info(r.id).frame);
}
bool MainModel::usable(ButtonId id) const {
    return m_ui.button(id) && m_ui.frame(info(id).frame);
}

void MainModel::select(ListRef r, int row) {
    ListState& list = m_ui.list(r);
    if (row < -1 || row >= static_cast<int>(list.rows.size()))
        row = -1;
    if (list.selected == row)
        return;
    list.selected = row;
    runListHandler(r);
}

void MainModel::setChecked(CheckRef r, bool on) {
    CheckState& box = m_ui.check(r);
    if (box.checked == on)
        return;
    box.checked = on;
    runCheckHandler(r);
}

void MainModel::press(ButtonId id) {
    switch (id) {
    case ButtonId::Next1:
        cmdNext1_Click();
        break;
    case ButtonId::Next4:
        cmdNext4_Click();
        break;
    case ButtonId::Calculate:
        cmdCalculate_Click();
        break;
    case ButtonId::Reset:
        cmdReset_Click();
        break;
    case ButtonId::Print:
        cmdPrint_Click();
        break;
    case ButtonId::Exit:
        m_effects.emplace_back(Request::Exit);
        break;
    }
}

std::vector<Effect> MainModel::takeEffects() {
    return std::exchange(m_effects, {});
}

void MainModel::message(std::string title, std::string text) {
    m_effects.emplace_back(Message{std::move(title), std::move(text)});
}

void MainModel::runListHandler(ListRef r) {
    switch (r.id) {
    case ListId::Race:
        return lstRace_Click();
    case ListId::Type:
        return lstType_Click();
    case ListId::Size:
        return lstSize_Click();
    case ListId::Structure:
        return lstStructure_Click();
    case ListId::Transport:
        return lstTransport_Click();
    case ListId::ConcordF:
    case ListId::VeyraF:
    case ListId::GrakF:
        return fieldList_Click(*countedBy(r.id));
    case ListId::CCW:
        return lstCCW_Click();
    case ListId::Attacks:
        return lstAttacks_Click();
    case ListId::Wpn1:
        return lstWpn1_Click(r.slot);
    case ListId::Battery:
    case ListId::Slow:
        return upgradeList_Click(r);
    case ListId::Number:
        return lstNumber_Click(r.slot);
    case ListId::FArmor:
    case ListId::SArmor:
    case ListId::RArmor:
    case ListId::Open:
        return; // read by the armour step only
    }
}

void MainModel::runCheckHandler(CheckRef r) {
    if (isSlotArray(r.id))
        return upgrade_Click(*upgradeRow(r.id), r.slot);
    const OptionRow& option = *optionRow(r.id);
    switch (option.rule) {
    case OptionRule::Fixed:
        return option_Click(option);
    case OptionRule::Transport:
        return chkTransport_Click();
    case OptionRule::Field:
        return fieldBox_Click(option);
    case OptionRule::Engines:
        return chkSouped_Click();
    case OptionRule::Ferocious:
        return chkFerocious_Click();
    }
}

// ---- Initial stats ----------------------------------------------------------------

void MainModel::lstRace_Click() {
    if (selected(ListId::Race) >= 0)
        m_rec.intRace = narrow16(selected(ListId::Race) + 1);
}

void MainModel::lstType_Click() {
    if (selected(ListId::Type) >= 0)
        m_rec.intType = narrow16(selected(ListId::Type) + 1);
}

void MainModel::lstSize_Click() {
    if (selected(ListId::Size) >= 0)
        m_rec.intSize = narrow16(selected(ListId::Size) + 1);
}

void MainModel::fill(ListId id, int slot, const std::vector<std::string>& rows) {
    ListState& list = m_ui.list({id, slot});
    list.rows = rows;
    list.selected = -1; // replacing rows fires nothing
}

void MainModel::cmdNext1_Click() {
    if (selected(ListId::Race) < 0 || selected(ListId::Type) < 0 || selected(ListId::Size) < 0) {
        message("Missing Data", "Select a race, type, and size please.");
        return;
    }
    const int race = m_rec.intRace;
    const int type = m_rec.intType;
    const int size = m_rec.intSize;

    if (const RaceInfo* r = raceInfo(race)) {
        if (r->field != FieldKind::None && size >= r->fieldMinSize)
            setEnabled({fieldRow(r->field).countList, 0}, true);
        if (size == WarMachine)
            setEnabled(ListId::Structure, true);
        const auto rows = arsenal(race);
        for (int s = 0; s < kSlots; ++s)
            fill(ListId::Wpn1, s, rows);
    }

    if (type >= 1 && type <= 5)
        applyHull(type, size);

    fill(ListId::CCW, 0, closeCombatRows(size));

    m_ui.frame(FrameId::Armor) = true;
    m_ui.frame(FrameId::Race) = false;
}

// What the hull type closes and opens, a flyer's air munitions, and the profile of the
// type and size.
void MainModel::applyHull(int type, int size) {
    for (const OptionRow& option : kOptions) {
        if (type == Flyer || type == Immobile)
            applyHullEffect(m_ui.check({option.box, 0}),
                            type == Flyer ? option.flyer : option.immobile);
    }
    if (type == Flyer) {
        for (int s = 0; s < kSlots; ++s)
            for (const WeaponRow& munition : airMunitions())
                m_ui.list({ListId::Wpn1, s}).rows.emplace_back(munition.text);
    }
    if (const auto p = profile(type, size)) {
        m_ui.label(LabelId::MaxArmor) = p->armorCaption();
        m_rec.intMaxArmor = narrow16(p->maxArmor);
        m_rec.intMaxFacing = narrow16(p->maxFacing);
        m_ui.label(LabelId::Speed) = std::string(p->speed);
        m_rec.intBasePts = narrow16(p->basePts);
    }
}

// ---- Armour and structure -------------------------------------------------------------

void MainModel::cmdNext4_Click() {
    const int front = selected(ListId::FArmor);
    const int side = selected(ListId::SArmor);
    const int rear = selected(ListId::RArmor);
    if (front < 0 || side < 0 || rear < 0) {
        message("Missing Data", "Please choose armor values.");
        return;
    }
    const i16 frontValue = narrow16(kFirstArmor + front);
    const i16 sideValue = narrow16(kFirstArmor + side);
    const i16 rearValue = narrow16(kFirstArmor + rear);
    priceFacings(front, side, rear);

    if (m_rec.intArmorTotal > m_rec.intMaxArmor) {
        message("Error", "Too much armor");
        return;
    }
    if (frontValue > m_rec.intMaxFacing || sideValue > m_rec.intMaxFacing ||
        rearValue > m_rec.intMaxFacing) {
        message("Error", "Too much armor per facing");
        return;
    }
    const int open = selected(ListId::Open);
    if (open < 0) {
        message("Error", "Select Open-topped or fully armored");
        return;
    }
    // Every fully armoured hull below the limit pays the surcharge, the lightest ones
    // included; a heavy open-topped hull gets the discount.
    const bool fullyArmored = open == 1;
    if (fullyArmored && m_rec.intArmorTotal < kArmorRule.fullyArmoredBelow)
        m_rec.intArmorPts = add16(m_rec.intArmorPts, narrow16(kArmorRule.fullyArmoredSurcharge));
    else if (!fullyArmored && m_rec.intArmorTotal >= kArmorRule.openToppedFrom)
        m_rec.intArmorPts = sub16(m_rec.intArmorPts, narrow16(kArmorRule.openToppedDiscount));

    openEquipment();
}

// The armour total, the sides counted twice, and its price, facing by facing.
void MainModel::priceFacings(int front, int side, int rear) {
    m_rec.intArmorTotal = narrow16(kFirstArmor + front);
    m_rec.intArmorPts = narrow16(armorPrice(front).front);
    m_rec.intArmorTotal = add16(m_rec.intArmorTotal, mul16(2, narrow16(kFirstArmor + side)));
    m_rec.intArmorPts = add16(m_rec.intArmorPts, narrow16(armorPrice(side).side));
    m_rec.intArmorTotal = add16(m_rec.intArmorTotal, narrow16(kFirstArmor + rear));
    m_rec.intArmorPts = add16(m_rec.intArmorPts, narrow16(armorPrice(rear).rear));
}

// The armour confirmed: on to the weapons, options, close combat and the total.
void MainModel::openEquipment() {
    m_ui.frame(FrameId::Armor) = false;
    m_ui.frame(FrameId::Weap) = true;
    m_ui.frame(FrameId::Special) = true;
    m_ui.frame(FrameId::CCW) = true;
    m_ui.button(ButtonId::Calculate) = true;
    if (m_rec.intArmorTotal > kArmorRule.soupedClosedAbove)
        setEnabled(CheckId::Souped, false);
}

void MainModel::lstStructure_Click() {
    const int row = selected(ListId::Structure);
    if (row >= 0)
        m_rec.intStructureCost = mul16(100, narrow16(row));
}

int MainModel::structurePoints() const {
    return shownNumber(m_ui.list(ListId::Structure));
}

// ---- Weapons ------------------------------------------------------------------------

void MainModel::setEnabled(const UpgradeRow& u, int s, bool on) {
    if (u.isList)
        setEnabled({u.list, s}, on);
    else
        setEnabled({u.box, s}, on);
}

void MainModel::lstWpn1_Click(int s) {
    const int row = selected({ListId::Wpn1, s});
    if (row < 0)
        return;
    const WeaponRow weapon = priceLookup(m_rec.intRace, row).value_or(WeaponRow{});
    at(m_rec.intWpnCost, s) = narrow16(weapon.cost);
    const auto openByClass = [&] {
        for (const UpgradeRow& u : kUpgrades)
            setEnabled(u, s, u.openFor[static_cast<std::size_t>(weapon.wpnClass)]);
    };
    openByClass();

    for (const UpgradeRow& u : kUpgrades) {
        if (u.isList)
            select({u.list, s}, -1);
        else
            setChecked({u.box, s}, false);
    }
    select({ListId::Number, s}, 0);
    // Unticking a barrel opens its partner; here the class alone decides what is open.
    openByClass();

    const bool heavyHull = m_rec.intType == Immobile || m_rec.intSize == WarMachine;
    for (const UpgradeRow& u : kUpgrades) {
        if (heavyHull && u.openOnHeavyHull)
            setEnabled(u, s, true);
    }
    const RaceInfo* race = raceInfo(m_rec.intRace);
    if (race == nullptr || !race->targeters)
        setEnabled({CheckId::Targeter1, s}, false);
}

void MainModel::upgrade_Click(const UpgradeRow& u, int s) {
    const bool on = checked({u.box, s});
    i16 cost = 0;
    if (on && u.box == CheckId::Targeter1) {
        // A targeter has a price of its own in the lists of the races that may fit one.
        const RaceInfo* race = raceInfo(m_rec.intRace);
        const auto row = priceLookup(m_rec.intRace, selected({ListId::Wpn1, s}));
        cost = narrow16(race != nullptr && race->targeters && row ? row->targeter : 0);
    } else if (on) {
        cost = roundEven16(at(m_rec.intWpnCost, s) * u.factor);
    }
    at(m_rec.*u.cost, s) = cost;

    switch (u.box) {
    case CheckId::Long1:
        setEnabled({CheckId::Short, s}, !on);
        break;
    case CheckId::Short:
        setEnabled({CheckId::Long1, s}, !on);
        break;
    case CheckId::Mega1:
        if (on) {
            setEnabled({CheckId::Titan, s}, true);
        } else {
            setChecked({CheckId::Titan, s}, false);
            setEnabled({CheckId::Titan, s}, false);
        }
        break;
    default:
        break;
    }
}

// Gun battery and slow fire: each row after the first adds the row's share again.
void MainModel::upgradeList_Click(ListRef r) {
    const auto* u = std::ranges::find(kUpgrades, r.id, &UpgradeRow::list);
    const int k = selected(r);
    at(m_rec.*u->cost, r.slot) =
        k < 0 ? i16{0} : roundEven16(at(m_rec.intWpnCost, r.slot) * k * u->factor);
}

void MainModel::lstNumber_Click(int s) {
    const int k = selected({ListId::Number, s});
    if (k >= 0)
        at(m_rec.intNumber, s) = narrow16(k + 1);
}

// ---- Special options ----------------------------------------------------------------

void MainModel::option_Click(const OptionRow& option) {
    const i16 points = narrow16(option.points);
    m_rec.intOptionPts = checked({option.box, 0}) ? add16(m_rec.intOptionPts, points)
                                                  : sub16(m_rec.intOptionPts, points);
}

void MainModel::lstTransport_Click() {
    const int structureRow = selected(ListId::Structure);
    const int limit = 11 + 5 * (structureRow < 0 ? 0 : structureRow);
    const int capacity = shownNumber(m_ui.list(ListId::Transport));
    if (capacity <= limit) {
        setEnabled(CheckId::Transport, true);
        return;
    }
    message("Too many troops", "This vehicle can transport at most " + std::to_string(limit) +
                                   " models with its structure points.");
    select(ListId::Transport, -1);
    setChecked(CheckId::Transport, false);
    setEnabled(CheckId::Transport, false);
}

void MainModel::chkTransport_Click() {
    priceCount(*optionRow(CheckId::Transport));
}

// A box that prices its count list adds the count times its price while ticked, and locks
// the list so that the count cannot change under the price.
void MainModel::priceCount(const OptionRow& option) {
    const ListRef list{option.countList, 0};
    const i16 points = mul16(narrow16(shownNumber(m_ui.list(list))), narrow16(option.points));
    const bool on = checked({option.box, 0});
    m_rec.intOptionPts = on ? add16(m_rec.intOptionPts, points) : sub16(m_rec.intOptionPts, points);
    setEnabled(list, !on);
}

void MainModel::chkSouped_Click() {
    const auto speed =
        soupedSpeed(m_rec.intType, m_rec.intSize, m_rec.intArmorTotal, checked(CheckId::Souped));
    if (!speed)
        return;
    m_ui.label(LabelId::Speed) = std::string(speed->caption);
    m_rec.intBasePts = narrow16(speed->basePts);
}

// ---- Energy fields ------------------------------------------------------------------

void MainModel::fieldList_Click(const OptionRow& field) {
    const ListRef list{field.countList, 0};
    const CheckRef box{field.box, 0};
    const int count = shownNumber(m_ui.list(list));
    bool refused = false;
    if (field.field == FieldKind::Concord)
        refused = count > structurePoints();
    else if (field.field == FieldKind::Grak)
        refused = count > 1 && count > structurePoints();
    if (!refused) {
        setEnabled(box, true);
        return;
    }
    message("Too many shields", "Cannot have more shields than structure points.");
    select(list, -1);
    setChecked(box, false);
    setEnabled(box, false);
}

void MainModel::fieldBox_Click(const OptionRow& field) {
    const int count = shownNumber(m_ui.list({field.countList, 0}));
    if (checked({field.box, 0}) && field.field == FieldKind::Grak && count > 1 &&
        m_rec.intSize == Normal) {
        message("Too many shields", "Too many shields");
        m_ui.check({field.box, 0}).checked = false; // back to unticked; nothing was added
        return;
    }
    priceCount(field);
}

// ---- Close combat -------------------------------------------------------------------

void MainModel::showCloseCombatCost() {
    const i16 cost = mul16(add16(m_rec.intExtraAttacks, 1), m_rec.intCCWCost);
    m_ui.label(LabelId::CCWCost) = std::to_string(cost);
}

void MainModel::lstCCW_Click() {
    const int row = selected(ListId::CCW);
    if (row == 0) {
        m_rec.intCCWCost = 0;
        setEnabled(ListId::Attacks, false);
        // GCC 12 -Wrestrict false positive (GCC bug 105329) on a one-character string literal.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
        m_ui.label(LabelId::Attacks) = "0";
        m_ui.label(LabelId::CCWCost) = "0";
#pragma GCC diagnostic pop
    } else if (row > 0) {
        m_rec.intCCWCost = narrow16(closeCombatPrice(m_rec.intSize, m_rec.intRace, row));
        setEnabled(ListId::Attacks, true);
    }
    if (selected(ListId::Attacks) != 0)
        select(ListId::Attacks, 0); // its handler applies the count rule
    else
        applyCountRule(0);
}

void MainModel::lstAttacks_Click() {
    const int k = selected(ListId::Attacks);
    if (k < 0)
        showCloseCombatCost();
    else
        applyCountRule(k);
}

void MainModel::applyCountRule(int k) {
    setChecked(CheckId::Ferocious, false);
    m_rec.intExtraAttacks = narrow16(k);
    m_ui.label(LabelId::Attacks) = k == 0 ? "0" : std::to_string(k + 1);
    setEnabled(CheckId::Ferocious, k > 0);
    showCloseCombatCost();
}

void MainModel::chkFerocious_Click() {
    m_rec.intExtraAttacks = checked(CheckId::Ferocious) ? add16(m_rec.intExtraAttacks, 1)
                                                        : sub16(m_rec.intExtraAttacks, 1);
    m_ui.label(LabelId::Attacks) = std::to_string(m_rec.intExtraAttacks + 1);
    showCloseCombatCost();
}

// ---- Total, print, reset ------------------------------------------------------------

std::optional<i16> pointsTotal(const DesignRecord& rec, const std::string& closeCombatCaption) {
    try {
        i16 sum = add16(add16(rec.intBasePts, rec.intOptionPts), rec.intArmorPts);
        for (int s = 0; s < kSlots; ++s) {
            i16 slotSum = 0;
            for (auto cost : kSlotCostArrays)
                slotSum = add16(slotSum, at(rec.*cost, s));
            sum = add16(sum, mul16(slotSum, at(rec.intNumber, s)));
        }
        const double exact = sum + leadingNumber(closeCombatCaption) + rec.intStructureCost;
        return roundEven16(exact);
    } catch (const Overflow16&) {
        return std::nullopt;
    }
}

bool MainModel::cmdCalculate_Click() {
    const auto sum = total();
    if (!sum) {
        message("Error", kTotalOutOfRange);
        return false;
    }
    m_ui.label(LabelId::Points) = std::to_string(*sum);
    m_ui.button(ButtonId::Print) = true;
    m_ui.button(ButtonId::Reset) = true;
    return true;
}

// Reads what cmdCalculate_Click() reads, through the same total(), so the two cannot
// disagree.
RunningTotal MainModel::runningTotal() const {
    using State = RunningTotal::State;
    if (!m_ui.button(ButtonId::Calculate))
        return {State::BeforeArmor, std::nullopt, "Running total: after Armor"};
    const std::string& shown = caption(LabelId::Points);
    const std::string before = shown.empty() ? "" : "Points shown: " + shown + ". ";
    const auto sum = total();
    if (!sum)
        return {State::OutOfRange, std::nullopt, before + kTotalOutOfRange};
    const std::string figure = std::to_string(*sum);
    if (shown.empty() || shown == figure)
        return {State::Shown, sum, "Running total: " + figure + " points"};
    return {State::Stale, sum, "Points shown: " + shown + ", running total: " + figure};
}

void MainModel::cmdPrint_Click() {
    if (cmdCalculate_Click())
        m_effects.emplace_back(Request::ShowCard);
}

// The reset runs its steps in this order; the handlers that its changes run write record
// fields that the later steps overwrite.
void MainModel::cmdReset_Click() {
    for (int s = 0; s < kSlots; ++s)
        resetSlot(s);
    select(ListId::CCW, -1);
    resetOptions();
    resetHull();
    m_ui.frame(FrameId::Race) = true;
    m_ui.frame(FrameId::Armor) = false;
    m_ui.frame(FrameId::Weap) = false;
    m_ui.frame(FrameId::Special) = false;
    m_ui.label(LabelId::MaxArmor).clear();
    m_ui.label(LabelId::Points).clear();
    resetToStartUp();
}

void MainModel::resetSlot(int s) {
    select({ListId::Wpn1, s}, 0);
    // The boxes left of the gun battery column first, then the lists, then the rest.
    const auto lists = std::ranges::find_if(kUpgrades, &UpgradeRow::isList);
    for (auto u = kUpgrades.begin(); u != lists; ++u)
        setChecked({u->box, s}, false);
    for (const UpgradeRow& u : kUpgrades) {
        if (u.isList)
            select({u.list, s}, 0);
    }
    select({ListId::Number, s}, 0);
    for (auto u = lists; u != kUpgrades.end(); ++u) {
        if (!u->isList)
            setChecked({u->box, s}, false);
    }
    for (const UpgradeRow& u : kUpgrades) {
        if (!u.isList)
            setEnabled({u.box, s}, false);
    }
    at(m_rec.intWpnCost, s) = 0;
    for (const UpgradeRow& u : kUpgrades) {
        if (u.resetZeroes)
            at(m_rec.*u.cost, s) = 0;
    }
}

void MainModel::resetOptions() {
    for (const OptionRow& o : kOptions) {
        if (o.reset == OptionReset::WithOptions)
            setChecked({o.box, 0}, false);
    }
    for (const OptionRow& o : kOptions) {
        if (o.rule == OptionRule::Field) {
            setChecked({o.box, 0}, false);
            setEnabled({o.box, 0}, false);
        }
    }
    for (const OptionRow& o : kOptions) {
        if (o.reset == OptionReset::Last)
            setChecked({o.box, 0}, false);
    }
    select(ListId::Transport, -1);
    setEnabled(CheckId::Transport, false);
}

void MainModel::resetHull() {
    m_rec.intType = m_rec.intSize = m_rec.intRace = 0;
    m_rec.intBasePts = m_rec.intOptionPts = m_rec.intArmorPts = 0;
    m_rec.intCCWCost = m_rec.intExtraAttacks = 0;
    for (ListId id : {ListId::FArmor, ListId::SArmor, ListId::RArmor, ListId::Open, ListId::Race,
                      ListId::Type, ListId::Size})
        select({id, 0}, -1);
}

// A fresh start leaves nothing of the last design behind: the options that the hull
// opened or closed, the structure and field counts, the close-combat cost and the hull's
// limits all return to their start-up state.
void MainModel::resetToStartUp() {
    // Clearing a field list opens its box, so the boxes come after the lists.
    for (ListId id : {ListId::Structure, ListId::VeyraF, ListId::ConcordF, ListId::GrakF}) {
        select({id, 0}, -1);
        setEnabled({id, 0}, false);
    }
    for (const OptionRow& o : kOptions)
        setEnabled({o.box, 0}, o.enabledAtStart);
    m_rec.intStructureCost = 0;
    m_ui.frame(FrameId::CCW) = false;
    select(ListId::Attacks, -1);
    setEnabled(ListId::Attacks, false);
    m_ui.label(LabelId::Attacks).clear();
    m_ui.button(ButtonId::Calculate) = false;
    m_ui.button(ButtonId::Print) = false;
    // GCC 12 -Wrestrict false positive (GCC bug 105329) on a one-character string literal.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
    m_ui.label(LabelId::CCWCost) = "0";
#pragma GCC diagnostic pop
    m_ui.label(LabelId::Speed).clear();
    m_rec.intArmorTotal = m_rec.intMaxArmor = m_rec.intMaxFacing = 0;
}

} // namespace ivc
