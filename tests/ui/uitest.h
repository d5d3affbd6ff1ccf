#pragma once

// Everything the window tests use, included once here.
#include "common/fullest_design.h"
#include "common/random_actions.h"
#include "common/typical_design.h"
#include "core/card.h"
#include "core/design.h"
#include "core/textcard.h"
#include "io/designFile.h"
#include "ui/frmAbout.h"
#include "ui/frmMain.h"
#include "ui/frmPrint.h"
#include "ui/frmRules.h"
#include "ui/twips.h"

#include <QtPrintSupport>
#include <QtSvg>
#include <QtTest>
#include <QtWidgets>

#include <functional>

// Shared helpers for the window tests.
namespace ivc::test {

// The windows keep settings (the recent files, the file dialog's folders): every test
// program keeps its own in a folder of its own, set before any settings are read, and
// never touches the user's. Its dialogs are Qt's own, which a test can answer.
struct OwnSettings {
    QTemporaryDir dir;
    OwnSettings() {
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            for (const auto scope : {QSettings::UserScope, QSettings::SystemScope})
                QSettings::setPath(format, scope, dir.path());
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QApplication::setOrganizationName("Ironvale");
        QApplication::setApplicationName("Ironvale Vehicle Creator");
    }
};
inline const OwnSettings ownSettings;

// The named child, which must exist. The main window's Weapons grid is built when first
// needed, as a user reaches it; a test that reaches it by name first builds it then.
template <typename T = QWidget> T* find(const QWidget& w, const QString& name) {
    T* child = w.findChild<T*>(name);
    if (auto* main = qobject_cast<ui::FrmMain*>(const_cast<QWidget*>(&w)); !child && main) {
        main->ensureWeaponGrid();
        child = w.findChild<T*>(name);
    }
    if (child == nullptr)
        qFatal("no widget %s", qPrintable(name));
    return child;
}

inline QString caption(const QWidget& w, const QString& name) {
    return find<QLabel>(w, name)->text();
}

inline void trigger(const QWidget& w, const QString& action) {
    find<QAction>(w, action)->trigger();
}

// Answers the next modal dialog of this type, once it is up.
template <typename Dialog> void answerNext(std::function<void(Dialog&)> answer) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            answer(*dialog);
        }
    });
    timer->start(5);
}

// Answers the next (Qt, not native) file dialog with this path, as Save or Open.
inline void answerFileDialog(const QString& path) {
    answerNext<QFileDialog>([path](QFileDialog& d) {
        d.selectFile(path);
        static_cast<QDialog&>(d).accept();
    });
}

// Does what a user does, step by step: "lstRace=Grak, txtName=Hulk, spnLimit=500, chkAmphib,
// cmdNext1" picks the row with that text, types the text or number, clicks the box or button.
inline void act(const QWidget& w, const QString& steps) {
    for (const QString& step : steps.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const QString name = step.section(QLatin1Char('='), 0, 0);
        const QString value = step.section(QLatin1Char('='), 1);
        QWidget* target = find(w, name);
        if (auto* list = qobject_cast<QComboBox*>(target)) {
            if (list->findText(value) < 0)
                qFatal("%s has no row %s", qPrintable(name), qPrintable(value));
            list->setCurrentIndex(list->findText(value));
        } else if (auto* edit = qobject_cast<QLineEdit*>(target)) {
            edit->setText(value);
        } else if (auto* spin = qobject_cast<QSpinBox*>(target)) {
            spin->setValue(value.toInt());
        } else {
            qobject_cast<QAbstractButton*>(target)->click();
        }
    }
}

// The walk-through design as a user makes it, calculated: 130 points.
inline const QString kTypical = QStringLiteral(
    "txtName=Warden, lstRace=Concord, lstType=Tank, lstSize=Normal, cmdNext1, lstFArmor=12, "
    "lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored, cmdNext4, lstWpn1_0=Beam Cannon, "
    "chkTwin1_0, chkSkimmer, lstCCW=CCW, cmdCalculate");

// The design's file, saved as `name` in `dir`.
inline QString savedDesign(const QTemporaryDir& dir, const QString& name, const MainModel& m) {
    const QString path = dir.filePath(name);
    if (!io::saveDesign(path, capture(m)).isEmpty())
        qFatal("cannot save %s", qPrintable(path));
    return path;
}

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Carries a random reachable action of the window's design out through its widget (never
// "&Print": the card has tests of its own), and on `replica` too.
inline void actRandomly(const ui::FrmMain& w, std::mt19937& rng, MainModel& replica) {
    Action a = randomAction(w.model(), rng);
    while (isPress(a, ButtonId::Print))
        a = randomAction(w.model(), rng);
    ivc::test::apply(replica, a);
    replica.takeEffects();
    if (const auto* pick = std::get_if<0>(&a))
        find<QComboBox>(w, QString::fromStdString(objectName(pick->first)))
            ->setCurrentIndex(pick->second);
    else if (const auto* box = std::get_if<CheckRef>(&a))
        find<QCheckBox>(w, QString::fromStdString(objectName(*box)))->click();
    else
        find<QPushButton>(w, QString::fromUtf8(info(std::get<ButtonId>(a)).name.data()))->click();
}

// Shows the card as "&Print" does on a machine without a printer, its PDF offer saving as
// `path`; false when it never hands back to the main window.
inline bool printWithoutPrinter(ui::FrmPrint& card, const CardTexts& texts, const QString& path) {
    card.setPrintHooks({[] { return QPrinterInfo(); }, [path](QWidget*) { return path; }});
    QSignalSpy back(&card, &ui::FrmPrint::returnToMain);
    card.showCard(texts);
    return back.wait(10000);
}

// What a program writes on its standard output.
inline QString output(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A label shows its whole text inside its parent.
inline bool fits(const QLabel& l) {
    const QSize need = l.wordWrap() ? QSize(l.width(), l.heightForWidth(l.width())) : l.sizeHint();
    return need.width() <= l.width() && need.height() <= l.height() &&
           l.parentWidget()->rect().contains(l.geometry());
}

// Watches for modal message boxes while it lives. Each one that comes up is recorded as
// "Title: Text [Yes No]", the default button starred, with a note when it has an icon,
// together with the other windows then visible; and it is answered with the next queued
// answer (Ok when none is queued).
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() {
        m_timer.callOnTimeout(this, &BoxAnswerer::poll);
        m_timer.start(5);
    }

    // Answers by name: "Yes Save No".
    void queue(const QString& answers) {
        for (const QString& name : answers.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            m_answers << kButtons.keyToValue(qPrintable(name));
    }

    QStringList seen;
    QList<QStringList> windows;

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->property("ivcAnswered").toBool())
            return;
        box->setProperty("ivcAnswered", true);
        QMap<int, QString> buttons; // in the order of their values
        for (QAbstractButton* button : box->buttons())
            buttons[box->standardButton(button)] =
                (button == box->defaultButton() ? "*" : "") +
                QString::fromLatin1(kButtons.valueToKey(box->standardButton(button)));
        seen << QStringLiteral("%1: %2 [%3]%4")
                    .arg(box->windowTitle(), box->text(), QStringList(buttons.values()).join(' '),
                         box->icon() == QMessageBox::NoIcon ? "" : " with an icon");
        windows << QStringList();
        for (const QWidget* top : QApplication::topLevelWidgets())
            if (top != box && top->isVisible())
                windows.back() << top->objectName();
        const int answer = m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
        if (QAbstractButton* button = box->button(QMessageBox::StandardButton(answer)))
            button->click();
        else
            box->reject();
    }

    const QMetaEnum kButtons = QMessageBox::staticMetaObject.enumerator(
        QMessageBox::staticMetaObject.indexOfEnumerator("StandardButtons"));
    QTimer m_timer;
    QList<int> m_answers;
};

} // namespace ivc::test
