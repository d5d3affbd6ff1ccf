#include "app/commandLine.h"

#include "core/card.h"
#include "core/force.h"
#include "io/designFile.h"
#include "io/forceFile.h"
#include "ui/forceExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

namespace ivc::app {
namespace {

// Exit codes: every card written; some design failed; the command line itself was wrong.
constexpr int kAllWritten = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsage = 2;

// An argument that is not UTF-8 (a file named in another encoding) stands in the parser's
// list as this private-use mark and its index, so that the file is opened by its own bytes.
constexpr QChar kRawMark(0xF8FF);

// The standard options that QApplication takes out of the arguments for itself (the
// windowing system, style, geometry), and whether a value follows each. The program's own
// arguments are read before the application exists, so these are passed over here.
struct QtOption {
    std::string_view name;
    bool takesValue;
};
constexpr std::array kQtOptions = {
    QtOption{"platform", true},        QtOption{"platformpluginpath", true},
    QtOption{"platformtheme", true},   QtOption{"plugin", true},
    QtOption{"qwindowgeometry", true}, QtOption{"qwindowicon", true},
    QtOption{"qwindowtitle", true},    QtOption{"display", true},
    QtOption{"geometry", true},        QtOption{"session", true},
    QtOption{"style", true},           QtOption{"stylesheet", true},
    QtOption{"reverse", false},        QtOption{"widgetcount", false},
};

// How many arguments from `arg` on are one of Qt's options: 0, 1 or 2 (with its value).
int qtOptionLength(std::string_view arg) {
    if (!arg.starts_with('-'))
        return 0;
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    for (const QtOption& option : kQtOptions) {
        if (arg == option.name)
            return option.takesValue ? 2 : 1;
        if (option.takesValue && arg.starts_with(option.name) &&
            arg.substr(option.name.size()).starts_with('='))
            return 1;
    }
    return 0;
}

void tell(const QString& line) {
    QString one = line;
    one.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fputs(qPrintable(one + QLatin1Char('\n')), stderr);
}

bool isUtf8(const QByteArray& bytes) {
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(bytes);
    return !decode.hasError();
}

// A force file, by its extension: it stands for the cards of its entries in play.
bool isForceFile(const QString& name) {
    return QFileInfo(name).suffix().compare(QLatin1String(io::kForceSuffix), Qt::CaseInsensitive) ==
           0;
}

// The card of a design file, its total run as "&Print" runs it; or why there is none.
std::optional<CardTexts> cardOf(const QByteArray& nativePath, const QString& name, QString& error) {
    io::Opened opened = io::openDesignAt(nativePath, name);
    if (!opened.model) {
        error = opened.error;
        return std::nullopt;
    }
    MainModel& model = *opened.model;
    if (model.usable(ButtonId::Calculate)) // as the window's export does
        model.press(ButtonId::Calculate);
    for (const Effect& effect : model.takeEffects()) {
        if (const auto* message = std::get_if<Message>(&effect)) {
            error = QStringLiteral("Cannot export \"%1\": %2")
                        .arg(name, QString::fromStdString(message->text));
            return std::nullopt;
        }
    }
    return makeCard(model);
}

} // namespace

int usage(const QString& why) {
    tell(QCoreApplication::applicationName() + QStringLiteral(": ") + why);
    return kUsage;
}

void quietMessages() {
    // Qt's notes about the missing desktop session would only hide the failures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            tell(text);
    });
}

CommandLine::CommandLine(int argc, char* argv[])
    : m_export(QStringLiteral("export"),
               QStringLiteral("Write the Statcard of each FILE to OUT without opening a window: "
                              "a file for one design, a folder for several (or one PDF with up "
                              "to four cards to a page)."),
               QStringLiteral("OUT")),
      m_sheet(QStringLiteral("sheet"),
              QStringLiteral("Write the Statcards of all FILEs to the PDF file OUT, up to four "
                             "to a page, for printing a force."),
              QStringLiteral("OUT")),
      m_format(QStringLiteral("format"),
               QStringLiteral("The type of the exported cards: pdf, png, svg or txt (by default "
                              "OUT's extension, or pdf)."),
               QStringLiteral("TYPE")),
      m_paper(QStringLiteral("paper"),
              QStringLiteral("The paper of a sheet of cards: a4 or letter (by default the "
                             "locale's)."),
              QStringLiteral("PAPER")) {
    m_parser.setApplicationDescription(QStringLiteral(
        "Design a vehicle for the Ironvale miniatures game and price it in points."));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOptions({m_export, m_sheet, m_format, m_paper});
    m_parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("A design file (.ivc) to open at start-up, or the designs to export."),
        QStringLiteral("[file…]"));
    m_wrong = check(readArguments(argc, argv));
}

// The arguments for the parser, without Qt's own options; each kept as its bytes too.
QStringList CommandLine::readArguments(int argc, char* argv[]) {
    QStringList arguments;
    bool filesOnly = false; // after "--", even a name like an option is a file
    for (int i = 0; i < argc; ++i) {
        const int qtOption = i > 0 && !filesOnly ? qtOptionLength(argv[i]) : 0;
        if (qtOption > 0) {
            if (i + qtOption > argc)
                m_missingQtValue = QString::fromLocal8Bit(argv[i]);
            i += qtOption - 1;
            continue;
        }
        filesOnly = filesOnly || std::string_view(argv[i]) == "--";
        m_raw.emplace_back(argv[i]);
        arguments << (isUtf8(m_raw.back()) ? QString::fromUtf8(m_raw.back())
                                           : kRawMark + QString::number(m_raw.size() - 1));
    }
    return arguments;
}

QByteArray CommandLine::nativeName(const QString& argument) const {
    if (argument.startsWith(kRawMark))
        return m_raw[argument.mid(1).toULongLong()];
    return QFile::encodeName(argument);
}

QString CommandLine::printable(const QString& argument) const {
    return argument.startsWith(kRawMark) ? QString::fromLocal8Bit(nativeName(argument)) : argument;
}

// The file's base name, or its path as given where another FILE has the same base name.
QString CommandLine::shownName(const QString& file) const {
    const QString base = QFileInfo(printable(file)).fileName();
    const auto sameBase = std::ranges::count_if(m_files, [this, &base](const QString& other) {
        return QFileInfo(printable(other)).fileName() == base;
    });
    return sameBase > 1 ? printable(file) : base;
}

QString CommandLine::check(const QStringList& arguments) {
    if (!m_missingQtValue.isEmpty())
        return QStringLiteral("Missing value after '%1'.").arg(m_missingQtValue);
    if (!m_parser.parse(arguments))
        return m_parser.errorText();
    if (m_parser.isSet(QStringLiteral("help")) || m_parser.isSet(QStringLiteral("version")))
        return {};
    m_files = m_parser.positionalArguments();
    for (const QCommandLineOption* option : {&m_export, &m_sheet, &m_format, &m_paper})
        if (m_parser.values(*option).size() > 1)
            return QStringLiteral("Give --%1 once.").arg(option->names().front());
    if (!exporting()) {
        if (m_parser.isSet(m_format) || m_parser.isSet(m_paper))
            return QStringLiteral("--format and --paper go with --export or --sheet.");
        if (m_files.size() > 1)
            return QStringLiteral("Give one design file to open, or --export OUT for several.");
        return {};
    }
    return checkExport();
}

// The cards' type: --format, which OUT's extension must not contradict, or the extension.
QString CommandLine::chooseFormat(const QFileInfo& outInfo) {
    const auto named = ui::formatNamed(m_toFolder ? QString() : outInfo.suffix());
    if (m_parser.isSet(m_format)) {
        const auto asked = ui::formatNamed(m_parser.value(m_format));
        if (!asked)
            return QStringLiteral("The format must be pdf, png, svg or txt.");
        if (named && *named != *asked)
            return QStringLiteral("\"%1\" is named as a .%2 file, but --format asks for %3; give "
                                  "one of them only.")
                .arg(m_out, ui::suffixOf(*named), ui::suffixOf(*asked));
        m_cardFormat = *asked;
    } else if (m_toFolder) {
        m_cardFormat = ui::CardFormat::Pdf;
    } else if (named) {
        m_cardFormat = *named;
    } else {
        return QStringLiteral("Cannot tell the type of \"%1\" from its extension; give "
                              "--format pdf, png, svg or txt.")
            .arg(m_out);
    }
    return {};
}

// The type and the place of the cards, from OUT and --format, which must agree.
QString CommandLine::checkExport() {
    if (m_files.isEmpty())
        return QStringLiteral("No design file to export.");
    if (m_parser.isSet(m_export) && m_parser.isSet(m_sheet))
        return QStringLiteral("Give either --export or --sheet, not both.");
    const bool sheetAsked = m_parser.isSet(m_sheet);
    m_out = m_parser.value(sheetAsked ? m_sheet : m_export);
    if (m_out.startsWith(kRawMark))
        return QStringLiteral("The name OUT \"%1\" is not UTF-8; give another.")
            .arg(printable(m_out));
    m_pageSize = ui::localPaper(QLocale());
    if (m_parser.isSet(m_paper)) {
        const QString name = m_parser.value(m_paper).toLower();
        if (name != QLatin1String("a4") && name != QLatin1String("letter"))
            return QStringLiteral("The paper must be a4 or letter.");
        m_pageSize = QPageSize(name == QLatin1String("a4") ? QPageSize::A4 : QPageSize::Letter);
    }
    // A folder when it is one already, is written as one, or is a new name without an
    // extension for several designs; otherwise a file.
    const QFileInfo outInfo(m_out);
    m_toFolder =
        !sheetAsked && (outInfo.isDir() || m_out.endsWith(QLatin1Char('/')) ||
                        (m_files.size() > 1 && !outInfo.exists() && outInfo.suffix().isEmpty()));
    if (const QString why = chooseFormat(outInfo); !why.isEmpty())
        return why;
    // A force alone to one file is its list with its cards; among other files, or to a
    // folder or a sheet, it stands for the cards of its entries in play.
    m_forceAlone = !sheetAsked && !m_toFolder && m_files.size() == 1 &&
                   isForceFile(printable(m_files.front()));
    if (m_forceAlone && m_cardFormat != ui::CardFormat::Pdf && m_cardFormat != ui::CardFormat::Text)
        return QStringLiteral("A force goes to a PDF or a text file, or its cards to a folder.");
    m_toSheet = sheetAsked || (!m_toFolder && m_files.size() > 1);
    if (m_toSheet && m_cardFormat != ui::CardFormat::Pdf)
        return QStringLiteral("Several cards go to a folder, or to one PDF file.");
    return {};
}

bool CommandLine::needsNoDisplay() const {
    return exporting() || m_parser.isSet(QStringLiteral("help")) ||
           m_parser.isSet(QStringLiteral("version"));
}

void CommandLine::showHelpOrVersion() {
    if (m_parser.isSet(QStringLiteral("help")))
        m_parser.showHelp();
    if (m_parser.isSet(QStringLiteral("version")))
        m_parser.showVersion();
}

std::optional<QString> CommandLine::fileToOpen() const {
    if (exporting() || m_files.isEmpty())
        return std::nullopt;
    return printable(m_files.front());
}

std::optional<QByteArray> CommandLine::nativeFileToOpen() const {
    if (exporting() || m_files.isEmpty() || !m_files.front().startsWith(kRawMark))
        return std::nullopt;
    return nativeName(m_files.front());
}

bool CommandLine::exporting() const {
    return m_parser.isSet(m_export) || m_parser.isSet(m_sheet);
}

// The card's file in the folder, named `base` after the design's file; a name this run has
// written already gets a number ("x-2.pdf"), and the user is told.
QString CommandLine::folderTarget(const QString& base, const QString& shown,
                                  std::vector<QString>& written) const {
    const QString suffix = QLatin1Char('.') + ui::suffixOf(m_cardFormat);
    const QDir folder(m_out);
    QString target = folder.filePath(base + suffix);
    for (int n = 2; std::ranges::find(written, target) != written.end(); ++n)
        target = folder.filePath(QStringLiteral("%1-%2").arg(base).arg(n) + suffix);
    if (target != folder.filePath(base + suffix))
        tell(QStringLiteral("The card of \"%1\" goes to \"%2\": the card of another design "
                            "of that name is \"%3\".")
                 .arg(shown, target, folder.filePath(base + suffix)));
    written.push_back(target);
    return target;
}

// The cards a FILE stands for, each with the base of its file name in a folder: a design's
// card, or the cards of a force's entries in play ("strike-1", "strike-2"…).
std::vector<CommandLine::NamedCard> CommandLine::cardsOf(const QString& file,
                                                         QString& error) const {
    const QString base = QFileInfo(printable(file)).completeBaseName();
    if (!isForceFile(printable(file))) {
        const auto card = cardOf(nativeName(file), shownName(file), error);
        return card ? std::vector<NamedCard>{{base, printable(file), *card}}
                    : std::vector<NamedCard>{};
    }
    const io::OpenedForce opened = io::openForceAt(nativeName(file), shownName(file));
    if (!opened.force) {
        error = opened.error;
        return {};
    }
    std::vector<NamedCard> cards;
    const auto& entries = opened.force->entries();
    for (std::size_t k = 0; k < entries.size(); ++k)
        if (entries[k].inPlay)
            cards.push_back({QStringLiteral("%1-%2").arg(base).arg(k + 1),
                             QStringLiteral("%1, entry %2").arg(printable(file)).arg(k + 1),
                             entryCard(entries[k])});
    return cards;
}

// One force alone to one file: its list and cards as a PDF, or the list and text cards.
int CommandLine::exportForce() const {
    const io::OpenedForce opened =
        io::openForceAt(nativeName(m_files.front()), shownName(m_files.front()));
    QString error = opened.error;
    if (opened.force && m_cardFormat == ui::CardFormat::Text) {
        error = ui::exportForceText(m_out, *opened.force);
    } else if (opened.force) {
        error = ui::exportForce(m_out, *opened.force, m_pageSize);
    }
    if (error.isEmpty())
        return kAllWritten;
    tell(error);
    return kSomeFailed;
}

int CommandLine::exportCards() const {
    if (m_forceAlone)
        return exportForce();
    if (m_toFolder && !QDir().mkpath(m_out))
        return usage(QStringLiteral("Cannot make the folder \"%1\".").arg(m_out));
    int result = kAllWritten;
    std::vector<CardTexts> sheet;
    std::vector<QString> written;
    const auto failed = [&result](const QString& error) {
        tell(error);
        result = kSomeFailed;
    };
    for (const QString& file : m_files) {
        QString error;
        for (const NamedCard& card : cardsOf(file, error)) {
            if (m_toSheet) {
                sheet.push_back(card.card);
                continue;
            }
            const QString target =
                m_toFolder ? folderTarget(card.base, card.shown, written) : m_out;
            if (const QString why = ui::exportCard(target, card.card, m_cardFormat); !why.isEmpty())
                failed(why);
        }
        if (!error.isEmpty())
            failed(error);
    }
    if (m_toSheet && !sheet.empty()) {
        if (const QString error = ui::exportSheet(m_out, sheet, m_pageSize); !error.isEmpty())
            failed(error);
    }
    return result;
}

} // namespace ivc::app
