#include "ui/frmAbout.h"
#include "ui/frmRules.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

using ivc::ui::twips;
using ivc::ui::twipsRect;

namespace {

// Runs the dialog modally and does `act` once it is up; a dialog that `act` does not close
// is ended with -1. `modal` tells whether the dialog blocked the rest of the application.
int execWith(QDialog& dlg, const std::function<void()>& act, bool* modal = nullptr) {
    QTimer::singleShot(0, &dlg, [&] {
        if (modal != nullptr)
            *modal = QApplication::activeModalWidget() == &dlg;
        act();
    });
    QTimer::singleShot(3000, &dlg, [&] { dlg.done(-1); });
    return dlg.exec();
}

// A label shows its whole text within its geometry.
bool fits(const QLabel* l) {
    if (l->wordWrap())
        return l->heightForWidth(l->width()) <= l->height();
    return l->sizeHint().width() <= l->width() && l->sizeHint().height() <= l->height();
}

// Relative luminance, on which contrast ratios are defined.
double luminance(QColor c) {
    auto lin = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

QStringList split(const char* s) {
    return QString::fromUtf8(s).split(QLatin1Char('|'));
}

} // namespace

class TestHelpWindows : public QObject {
    Q_OBJECT
private slots:
    void rulesWindowFrame();
    void rulesEntries_data();
    void rulesEntries();
    void closeButtonsEndTheDialog();
    void aboutTexts();
    void aboutOkIsDefaultAndCancel_data();
    void aboutOkIsDefaultAndCancel();
};

void TestHelpWindows::rulesWindowFrame() {
    ivc::ui::FrmRules dlg;
    QCOMPARE(dlg.objectName(), QStringLiteral("frmRules"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Special Rules"));
    QCOMPARE(dlg.windowType(), Qt::Tool);
    QCOMPARE(dlg.minimumSize(), QSize(twips(10125), twips(8295)));
    QCOMPARE(dlg.maximumSize(), dlg.minimumSize());
    auto* tabs = dlg.findChild<QTabWidget*>(QStringLiteral("tabRules"));
    QVERIFY(tabs);
    QCOMPARE(tabs->geometry(), dlg.rect());
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    QCOMPARE(captions,
             split("Movement|Special Options|Special Options 2|Weapons|War Machines|Flyers"));
    QCOMPARE(tabs->currentIndex(), 0);
    for (int i : {4, 5})
        QVERIFY(tabs->widget(i)->findChildren<QWidget*>().isEmpty());
}

void TestHelpWindows::rulesEntries_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("headings");
    QTest::newRow("Movement") << 0 << split("Immobile|Normal|Lumbering|Agile|Fast|Flyer|Walkers");
    QTest::newRow("Special Options")
        << 1
        << split("Amphibious|Veyra Fields|Ferocious|Ward Shields|Orbital Lander|Grak Fields|"
                 "Recovery Vehicle|Skimmer");
    QTest::newRow("Special Options 2")
        << 2 << split("Transport|Tunneller|Wrecker|Targeter|Carriage|Tow Bar");
    QTest::newRow("Weapons") << 3
                             << split("Blast|Co Axial|Twin Linked|Gatling|Long Barrel|Mega Weapon|"
                                      "Gun Battery|Shorter Barrel|Slow Fire Rate|Titan Killer");
}

// Each heading in order, bold, with its own paragraph beside it, thin rules between the
// entries, and nothing clipped or hidden under the Close button.
void TestHelpWindows::rulesEntries() {
    QFETCH(int, tab);
    QFETCH(QStringList, headings);
    ivc::ui::FrmRules dlg;
    auto* tabs = dlg.findChild<QTabWidget*>(QStringLiteral("tabRules"));
    tabs->setCurrentIndex(tab);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QWidget* page = tabs->widget(tab);
    const auto heads = page->findChildren<QLabel*>(QStringLiteral("lblHeading"));
    const auto texts = page->findChildren<QLabel*>(QStringLiteral("lblText"));
    QStringList shown;
    for (const QLabel* h : heads)
        shown << h->text();
    QCOMPARE(shown, headings);
    QCOMPARE(texts.size(), heads.size());
    QCOMPARE(page->findChildren<QFrame*>(QStringLiteral("linRule")).size(), heads.size() - 1);
    const QWidget* view = page->findChild<QScrollArea*>()->viewport();
    for (qsizetype i = 0; i < heads.size(); ++i) {
        QVERIFY(heads[i]->font().bold() && !texts[i]->font().bold() && !texts[i]->text().isEmpty());
        QCOMPARE(texts[i]->y(), heads[i]->y());
        QVERIFY(texts[i]->x() > heads[i]->geometry().right());
        QVERIFY2(fits(heads[i]) && fits(texts[i]), qPrintable(heads[i]->text()));
        QVERIFY(texts[i]->mapTo(view, QPoint(texts[i]->width(), 0)).x() <= view->width());
        if (i > 0)
            QVERIFY(heads[i]->y() > texts[i - 1]->geometry().bottom());
    }
    const QRect shownArea(view->mapTo(&dlg, QPoint(0, 0)), view->size());
    QVERIFY(!shownArea.intersects(dlg.findChild<QWidget*>(QStringLiteral("cmdClose"))->geometry()));
}

void TestHelpWindows::closeButtonsEndTheDialog() {
    ivc::ui::FrmRules rules;
    auto* close = rules.findChild<QPushButton*>(QStringLiteral("cmdClose"));
    QCOMPARE(close->text(), QStringLiteral("&Close"));
    QCOMPARE(close->geometry(), twipsRect(8880, 7800, 1095, 375));
    bool modal = false;
    auto clickClose = [&] {
        // The button lies over the tab pages: a click there must reach it.
        QCOMPARE(rules.childAt(close->geometry().center()), close);
        QTest::mouseClick(close, Qt::LeftButton);
    };
    QCOMPARE(execWith(rules, clickClose, &modal), int(QDialog::Accepted));
    QVERIFY(modal);

    ivc::ui::FrmAbout about;
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    modal = false;
    QCOMPARE(execWith(
                 about, [&] { QTest::mouseClick(ok, Qt::LeftButton); }, &modal),
             int(QDialog::Accepted));
    QVERIFY(modal);
}

void TestHelpWindows::aboutTexts() {
    ivc::ui::FrmAbout dlg;
    QCOMPARE(dlg.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("About IronvaleVC"));
    QCOMPARE(dlg.minimumSize(), QSize(twips(6810), twips(4065)));
    QCOMPARE(dlg.maximumSize(), dlg.minimumSize());
    auto label = [&](const char* name) { return dlg.findChild<QLabel*>(QLatin1String(name)); };
    QCOMPARE(label("lblTitle")->text(), QStringLiteral("Ironvale Vehicle Constructor"));
    QCOMPARE(label("lblTitle")->font().pointSizeF(), 13.5);
    QVERIFY(label("lblTitle")->font().bold() && label("lblDescription")->font().bold());
    QCOMPARE(label("lblVersion")->text(), QStringLiteral("Version 2.2"));
    QCOMPARE(label("lblDisclaimer")->geometry(), twipsRect(120, 3360, 5175, 585));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QImage shot = dlg.grab().toImage();
    for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"}) {
        const QLabel* l = label(name);
        QVERIFY2(!l->text().isEmpty() && fits(l), name);
        // Readable on the picture: the text colour against the median of what lies under the
        // label (mostly background) has the contrast asked of body text.
        QList<double> under;
        for (int y = l->y(); y <= l->geometry().bottom(); ++y)
            for (int x = l->x(); x <= l->geometry().right(); ++x)
                under << luminance(QColor(shot.pixel(x, y)));
        std::nth_element(under.begin(), under.begin() + under.size() / 2, under.end());
        const double back = under[under.size() / 2];
        const double text = luminance(l->palette().color(QPalette::WindowText));
        QVERIFY2((std::max(back, text) + 0.05) / (std::min(back, text) + 0.05) >= 4.5, name);
    }
}

void TestHelpWindows::aboutOkIsDefaultAndCancel_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

// Every key that closes the window does so by pressing OK.
void TestHelpWindows::aboutOkIsDefaultAndCancel() {
    QFETCH(int, key);
    ivc::ui::FrmAbout dlg;
    auto* ok = dlg.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QSignalSpy pressed(ok, &QPushButton::clicked);
    QCOMPARE(execWith(dlg, [&] { QTest::keyClick(&dlg, Qt::Key(key)); }), int(QDialog::Accepted));
    QCOMPARE(pressed.count(), 1);
}

QTEST_MAIN(TestHelpWindows)
#include "test_help_windows.moc"
