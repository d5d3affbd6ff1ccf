#include "ui/frmMain.h"
#include "uitest.h"

#include <QtTest>

#include <random>

using ivc::test::find;
using ivc::ui::FrmMain;

namespace {

// Widgets that show something else than the model holds. The enabled state is read as
// set, not as inherited from a disabled frame.
QStringList mirrorDifferences(const FrmMain& w) {
    QStringList diffs;
    const ivc::MainModel& m = w.model();
    const auto same = [&diffs](const QWidget* widget, bool on, bool rest) {
        if (widget->testAttribute(Qt::WA_ForceDisabled) == on || !rest)
            diffs << widget->objectName();
    };
    for (ivc::ListId id : ivc::allLists())
        for (int s = 0; s < ivc::instances(id); ++s) {
            const auto* c = find<QComboBox>(w, QString::fromStdString(ivc::objectName({id, s})));
            const ivc::ListState& l = m.list({id, s});
            same(c, l.enabled,
                 c->currentIndex() == l.selected && c->count() == static_cast<int>(l.rows.size()));
        }
    for (ivc::CheckId id : ivc::allChecks())
        for (int s = 0; s < ivc::instances(id); ++s) {
            const auto* c = find<QCheckBox>(w, QString::fromStdString(ivc::objectName({id, s})));
            same(c, m.check({id, s}).enabled, c->isChecked() == m.check({id, s}).checked);
        }
    for (std::size_t i = 0; i < ivc::kLabelCount; ++i) {
        const auto id = static_cast<ivc::LabelId>(i);
        const auto* label = find<QLabel>(w, QString::fromUtf8(ivc::name(id).data()));
        same(label, true, label->text().toStdString() == m.caption(id));
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
// message box answered; after every action the window must mirror the model.
void TestRandomUi::randomUserActionsKeepWindowAndModelSound() {
    for (const unsigned seed : {11u, 12u}) {
        std::mt19937 rng(seed);
        FrmMain w;
        w.show();
        ivc::test::BoxAnswerer answers;
        const QList<QWidget*> controls =
            w.findChildren<QWidget*>(QRegularExpression("^(lst|chk|cmd(?!Exit|Print))"));
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
            } else if (did != "cmdReset" || rng() % 30 == 0) { // rare resets let designs get far
                static_cast<QAbstractButton*>(target)->click();
            }
            const QStringList problems = mirrorDifferences(w);
            QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 (seed %2, step %3): %4")
                                                        .arg(did)
                                                        .arg(seed)
                                                        .arg(step)
                                                        .arg(problems.join("; "))));
            equipping += w.model().frameEnabled(ivc::FrameId::Weap) ? 1 : 0;
        }
        QVERIFY2(equipping > 1000, "the walk should spend most of its time equipping");
    }
}

QTEST_MAIN(TestRandomUi)
#include "test_random_ui.moc"
