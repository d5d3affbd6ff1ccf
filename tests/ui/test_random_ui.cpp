#include "common/invariants.h"
#include "ui/frmMain.h"
#include "uitest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <random>

using ivc::ui::FrmMain;

namespace {

// The model control a widget stands for, from its name ("lstWpn1_3" is slot 3 of lstWpn1).
template <typename Id, typename Ids>
std::optional<ivc::Ref<Id>> refOf(const QString& objectName, Ids ids) {
    const QString base = objectName.section(QLatin1Char('_'), 0, 0);
    const int slot = objectName.section(QLatin1Char('_'), 1).toInt();
    for (Id id : ids) {
        if (base == QLatin1String(ivc::info(id).name.data(), ivc::info(id).name.size()))
            return ivc::Ref<Id>(id, slot);
    }
    return std::nullopt;
}

// Differences between what the widgets show and what the model holds.
QStringList mirrorDifferences(const FrmMain& w) {
    QStringList diffs;
    const ivc::MainModel& m = w.model();
    for (const QComboBox* c : w.findChildren<QComboBox*>()) {
        const auto ref = refOf<ivc::ListId>(c->objectName(), ivc::allLists());
        if (!ref)
            continue;
        const ivc::ListState& l = m.list(*ref);
        if (c->currentIndex() != l.selected || c->count() != static_cast<int>(l.rows.size()) ||
            c->testAttribute(Qt::WA_ForceDisabled) == l.enabled)
            diffs << c->objectName();
    }
    for (const QCheckBox* c : w.findChildren<QCheckBox*>()) {
        const auto ref = refOf<ivc::CheckId>(c->objectName(), ivc::allChecks());
        if (!ref)
            continue;
        const ivc::CheckState& b = m.check(*ref);
        if (c->isChecked() != b.checked || c->testAttribute(Qt::WA_ForceDisabled) == b.enabled)
            diffs << c->objectName();
    }
    for (std::size_t i = 0; i < ivc::kLabelCount; ++i) {
        const auto id = static_cast<ivc::LabelId>(i);
        const auto* label = w.findChild<QLabel*>(QString::fromUtf8(ivc::name(id).data()));
        if (label->text().toStdString() != m.caption(id))
            diffs << label->objectName();
    }
    return diffs;
}

} // namespace

class TestRandomUi : public QObject {
    Q_OBJECT
private slots:
    void randomUserActionsKeepWindowAndModelSound();
};

// Thousands of random picks, ticks and presses on the controls a user could reach, each
// message box answered; after every action the window must mirror the model and the
// model's invariants must hold.
void TestRandomUi::randomUserActionsKeepWindowAndModelSound() {
    for (const unsigned seed : {11u, 12u}) {
        std::mt19937 rng(seed);
        FrmMain w;
        w.show();
        ivc::test::BoxAnswerer answers;
        QList<QWidget*> controls;
        for (QComboBox* c : w.findChildren<QComboBox*>())
            controls << c;
        for (QCheckBox* c : w.findChildren<QCheckBox*>())
            controls << c;
        for (QPushButton* b : w.findChildren<QPushButton*>())
            if (b->objectName() != "cmdExit" && b->objectName() != "cmdPrint")
                controls << b;
        int equipping = 0;
        for (int step = 0; step < 2000; ++step) {
            QList<QWidget*> reachable;
            for (QWidget* widget : controls)
                if (widget->isEnabled())
                    reachable << widget;
            QWidget* target = reachable[static_cast<qsizetype>(rng() % reachable.size())];
            QString did = target->objectName();
            if (auto* list = qobject_cast<QComboBox*>(target)) {
                const int row = static_cast<int>(rng() % static_cast<unsigned>(list->count()));
                did += " row " + QString::number(row);
                list->setCurrentIndex(row);
            } else if (auto* button = qobject_cast<QPushButton*>(target)) {
                if (button->objectName() == "cmdReset" && rng() % 30 != 0)
                    continue; // rare, so that designs get far
                button->click();
                if (button->objectName() == "cmdCalculate") {
                    const auto total = w.model().total();
                    QVERIFY(total.has_value());
                    QCOMPARE(w.findChild<QLabel*>("lblPoints")->text(), QString::number(*total));
                }
            } else {
                static_cast<QCheckBox*>(target)->click();
            }
            equipping += w.model().frameEnabled(ivc::FrameId::Weap) ? 1 : 0;
            const QString where =
                QStringLiteral("seed %1, step %2 (%3)").arg(seed).arg(step).arg(did);
            const QStringList mirror = mirrorDifferences(w);
            QVERIFY2(mirror.isEmpty(), qPrintable(where + ": widgets differ: " + mirror.join(' ')));
            const auto broken = ivc::test::invariantViolations(w.model());
            QVERIFY2(
                broken.empty(),
                qPrintable(where + ": " + QString::fromStdString(broken.empty() ? "" : broken[0])));
        }
        QVERIFY2(equipping > 1000, "the walk should spend most of its time equipping");
    }
}

QTEST_MAIN(TestRandomUi)
#include "test_random_ui.moc"
