#include "ui/frmMain.h"
#include "uitest.h"

#include <QtTest>

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void startsOnTheRaceFrame();
};

void TestFrmMain::startsOnTheRaceFrame() {
    ivc::ui::FrmMain w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Ironvale Vehicle Creator"));
}

QTEST_MAIN(TestFrmMain)
#include "test_frmMain.moc"
