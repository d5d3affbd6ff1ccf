#include "ui/frmAbout.h"
#include "ui/frmRules.h"
#include "ui/twips.h"
#include "uitest.h"

#include <QScrollArea>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace ivc::test;
using ivc::ui::twips;

class TestHelpWindows : public QObject {
    Q_OBJECT
private slots:
    void rulesTabsAndEntries();
    void aboutCaptions();
    void buttonsCloseTheModalDialogs_data();
    void buttonsCloseTheModalDialogs();
};

// Tabs in order, the first one shown, the last two empty; on the others bold headings beside
// their paragraphs, thin rules between entries, nothing clipped or under Close.
void TestHelpWindows::rulesTabsAndEntries() {
    ivc::ui::FrmRules dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Special Rules"));
    QCOMPARE(dlg.windowType(), Qt::Tool);
    QCOMPARE(dlg.maximumSize(), QSize(twips(10125), twips(8295)));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    auto* tabs = find<QTabWidget>(dlg, "tabRules");
    QCOMPARE(tabs->currentIndex(), 0);
    const QWidget* close = find(dlg, "cmdClose");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QStringList captions;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        captions << tabs->tabText(tab);
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
    QCOMPARE(captions, QStringList({"Movement", "Special Options", "Special Options 2", "Weapons",
                                    "War Machines", "Flyers"}));
}

void TestHelpWindows::aboutCaptions() {
    ivc::ui::FrmAbout dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("About IronvaleVC"));
    QCOMPARE(dlg.maximumSize(), QSize(twips(6810), twips(4065)));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    const QString texts = "lblTitle=Ironvale Vehicle Constructor; lblVersion=Version 2.2";
    QCOMPARE(captions(dlg, texts), texts);
    for (const QLabel* label : dlg.findChildren<QLabel*>())
        QVERIFY2(!label->text().isEmpty() && fits(*label), qPrintable(label->objectName()));
}

void TestHelpWindows::buttonsCloseTheModalDialogs_data() {
    QTest::addColumn<bool>("rules");
    QTest::addColumn<int>("key"); // 0 for a click on the button
    QTest::newRow("rules Close") << true << 0;
    QTest::newRow("about OK") << false << 0;
    QTest::newRow("about Enter") << false << int(Qt::Key_Enter);
    QTest::newRow("about Return") << false << int(Qt::Key_Return);
    QTest::newRow("about Esc") << false << int(Qt::Key_Escape);
}

// Each way out presses the button; About's OK is both default and cancel button.
void TestHelpWindows::buttonsCloseTheModalDialogs() {
    QFETCH(bool, rules);
    QFETCH(int, key);
    std::unique_ptr<QDialog> dlg(rules ? static_cast<QDialog*>(new ivc::ui::FrmRules)
                                       : new ivc::ui::FrmAbout);
    auto* button = find<QPushButton>(*dlg, rules ? "cmdClose" : "cmdOK");
    QCOMPARE(button->text(), rules ? QStringLiteral("&Close") : QStringLiteral("OK"));
    QVERIFY(rules || button->isDefault());
    QSignalSpy pressed(button, &QPushButton::clicked);
    bool modal = false;
    QTimer::singleShot(0, dlg.get(), [&] {
        modal = QApplication::activeModalWidget() == dlg.get();
        if (key != 0)
            QTest::keyClick(dlg.get(), Qt::Key(key));
        else // Close lies over the tab pages: a click there must reach it
            QTest::mouseClick(dlg->childAt(button->geometry().center()), Qt::LeftButton);
    });
    QTimer::singleShot(3000, dlg.get(), [&] { dlg->done(-1); });
    QCOMPARE(dlg->exec(), int(QDialog::Accepted));
    QVERIFY(modal);
    QCOMPARE(pressed.count(), 1);
}

QTEST_MAIN(TestHelpWindows)
#include "test_help_windows.moc"
