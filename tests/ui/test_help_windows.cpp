#include "ui/frmAbout.h"
#include "ui/frmRules.h"
#include "uitest.h"

#include <QScrollArea>
#include <QTabWidget>
#include <QtTest>

using namespace ivc::test;

class TestHelpWindows : public QObject {
    Q_OBJECT
private slots:
    void rulesTabsAndEntries();
    void aboutLabelsShowAndFit();
};

// The first tab shown, the last two empty; on the others bold headings beside their
// paragraphs, thin rules between entries, nothing clipped or under Close.
void TestHelpWindows::rulesTabsAndEntries() {
    ivc::ui::FrmRules dlg;
    QCOMPARE(dlg.windowType(), Qt::Tool);
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    auto* tabs = find<QTabWidget>(dlg, "tabRules");
    QCOMPARE(tabs->currentIndex(), 0);
    QStringList captions;
    for (int tab = 0; tab < tabs->count(); ++tab)
        captions << tabs->tabText(tab);
    QCOMPARE(captions.join(','), "Movement,Special Options,Special Options 2,Weapons,War Machines,"
                                 "Flyers");
    const QWidget* close = find(dlg, "cmdClose");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        const QWidget* page = tabs->widget(tab);
        const auto heads = page->findChildren<QLabel*>("lblHeading");
        const auto texts = page->findChildren<QLabel*>("lblText");
        QCOMPARE(heads.isEmpty(), tab >= 4);
        QCOMPARE(texts.size(), heads.size());
        QCOMPARE(page->findChildren<QFrame*>("linRule").size(), qMax(heads.size() - 1, 0));
        if (heads.isEmpty())
            continue;
        const QWidget* view = page->findChild<QScrollArea*>()->viewport();
        QVERIFY(
            !QRect(view->mapTo(&dlg, QPoint(0, 0)), view->size()).intersects(close->geometry()));
        for (qsizetype i = 0; i < heads.size(); ++i) {
            QVERIFY(heads[i]->font().bold() && !texts[i]->font().bold());
            QVERIFY(texts[i]->y() == heads[i]->y() && texts[i]->x() > heads[i]->geometry().right());
            QVERIFY2(fits(*heads[i]) && fits(*texts[i]), qPrintable(heads[i]->text()));
            QVERIFY(texts[i]->mapTo(view, QPoint(texts[i]->width(), 0)).x() <= view->width());
        }
    }
}

void TestHelpWindows::aboutLabelsShowAndFit() {
    ivc::ui::FrmAbout dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("About IronvaleVC"));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    QCOMPARE(caption(dlg, "lblVersion"), QStringLiteral("Version " IVC_VERSION)); // from CMake
    for (const QLabel* label : dlg.findChildren<QLabel*>())
        QVERIFY2(!label->text().isEmpty() && fits(*label), qPrintable(label->objectName()));
}

QTEST_MAIN(TestHelpWindows)
#include "test_help_windows.moc"
