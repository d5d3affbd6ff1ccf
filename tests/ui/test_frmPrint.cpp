#include "uitest.h"

using namespace ivc::test;
using ivc::ui::FrmPrint;

namespace {

const QString kQuestion = QStringLiteral("Statcard Print: Print Statcard? [*Yes No]");
const QString kOffer = QStringLiteral("Statcard Print: There is no default printer. Save the "
                                      "Statcard as a PDF file instead? [*Save Cancel]");

// Prints a card as "&Print" does on a machine without a printer: the card asks, Yes, then
// offers a PDF file, Save, then asks again, No. Returns the page's text.
QString printedText(const ivc::CardTexts& texts) {
    QTemporaryDir dir;
    const QString file = dir.filePath("card.pdf");
    FrmPrint card;
    card.setPrintHooks({[] { return QPrinterInfo(); }, [&file](QWidget*) { return file; }});
    QSignalSpy back(&card, &FrmPrint::returnToMain);
    BoxAnswerer answers;
    answers.queue("Yes Save No");
    card.showCard(texts);
    if (!back.wait(10000) || !card.isHidden() ||
        answers.seen != QStringList{kQuestion, kOffer, kQuestion})
        return "asked: " + answers.seen.join(" / ");
    return output("pdftotext", {"-enc", "UTF-8", file, "-"});
}

// What is wrong with how a field is set, empty when nothing: its text must stay readable
// (6 points) inside its box, and its extent must run into no other field's (`inks`).
QString misfit(const FrmPrint& card, const QString& field, QList<QRectF>& inks) {
    const FrmPrint::Setting s = card.setting(field);
    const QFontMetricsF metrics(s.font);
    QRectF ink(s.box.topLeft(), QSizeF(0, double(s.lines.size()) * metrics.height()));
    for (int i = 0; i < s.lines.size(); ++i)
        ink.setWidth(
            std::max(ink.width(), (i > 0 ? s.indent : 0) + metrics.horizontalAdvance(s.lines[i])));
    const auto overlaps = [&ink](const QRectF& other) { return other.intersects(ink); };
    const QString problem = s.font.pixelSize() < 120 ? "unreadable"
                            : double(s.lines.size()) * metrics.lineSpacing() > s.box.height()
                                ? "too tall"
                            : ink.width() > s.box.width()                     ? "too wide"
                            : !QRectF(0, 0, 9120, 5520).contains(ink)         ? "off the card"
                            : std::any_of(inks.begin(), inks.end(), overlaps) ? "overlapping"
                                                                              : "";
    inks << ink;
    return problem.isEmpty() ? problem : field + " " + problem + ": " + s.lines.join(" / ");
}

} // namespace

class TestFrmPrint : public QObject {
    Q_OBJECT
private slots:
    void fullestCardKeepsEveryWord_data();
    void fullestCardKeepsEveryWord();
};

void TestFrmPrint::fullestCardKeepsEveryWord_data() {
    QTest::addColumn<int>("race");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");                          // as screen and paper show it
    const QString phoenician = QString::fromUcs4(U"\U00010900"); // in no installed font
    const QString replaced(QChar::ReplacementCharacter);
    const QString names[] = {"Ironhide", "Ærøskøbing", "Ζεύς Άρης",           "Warden of Gates",
                             "鋼鉄の獣", "Grimtusk",   "Forge " + phoenician, "Blightmaw"};
    for (int race = 1; race <= 8; ++race) {
        const QString& name = names[race - 1];
        QString shown = name;
        shown.replace(phoenician, replaced);
        QTest::addRow("%s", ivc::raceInfo(race)->name.data()) << race << name << shown;
    }
}

// The fullest design the controls allow, for every race: every text fits its place at a
// readable size, the fields' places do not overlap, and the printed page holds every word
// as the screen shows it, letters of any script included.
void TestFrmPrint::fullestCardKeepsEveryWord() {
    QFETCH(int, race);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    const ivc::CardTexts texts = ivc::makeCard(fullestDesign(race, name.toStdString()));
    FrmPrint card;
    card.showCard(texts);
    const QPoint off = card.geometry().center() - card.screen()->availableGeometry().center();
    QVERIFY(off.manhattanLength() <= 2);
    card.hide(); // before it asks
    QVERIFY(card.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(card.size(), QSize(609, 369)); // 9135 x 5535 twips
    QCOMPARE(card.minimumSize(), card.maximumSize());
    QCOMPARE(find(card, "lblSpecial_4")->geometry(), ivc::ui::twipsRect(7200, 3960, 1695, 255));
    QStringList captions;
    for (const QString& field : cardFields(card))
        if (!field.startsWith("lbl"))
            captions << field;
    QCOMPARE(captions.join(','), "Name,Points,Front Armor,Side Armor,Rear Armor,WS,BS,S,I,A,Type,"
                                 "Size,Speed,Category,Structure Pts,Weapons,Close Combat Weapon,"
                                 "Number,Special Options");

    QStringList words;
    QList<QRectF> inks;
    for (const QString& field : cardFields(card)) {
        const QString problem = misfit(card, field, inks);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const FrmPrint::Setting s = card.setting(field);
        const QString whole = field == "lblName"        ? shown
                              : field.startsWith("lbl") ? find<QLabel>(card, field)->text()
                                                        : field;
        QVERIFY2(!s.elided && s.lines.join(' ').simplified() == whole.simplified(),
                 qPrintable(field + ": " + s.lines.join(" / ")));
        words << whole.split(' ', Qt::SkipEmptyParts);
    }
    QVERIFY(find<QLabel>(card, "lblSpecial_7")->text().contains(", Ferocious, Tow Bar"));
    QVERIFY(card.setting("lblWeapons_0").lines.size() == 2);

    const QStringList printed = printedText(texts).split(QRegularExpression("\\s+"));
    for (const QString& word : words)
        QVERIFY2(printed.contains(word), qPrintable(word));
}

QTEST_MAIN(TestFrmPrint)
#include "test_frmPrint.moc"
