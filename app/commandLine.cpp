#include "app/commandLine.h"

#include "core/card.h"
#include "io/designFile.h"
#include "ui/cardExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

namespace ivc::app {
namespace {

// Exit codes: every card written; some design failed; the command line itself was wrong.
constexpr int kAllWritten = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsage = 2;

void tell(const QString& line) {
    QString one = line;
    one.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fputs(qPrintable(one + QLatin1Char('\n')), stderr);
}

int usage(const QString& why) {
    tell(QCoreApplication::applicationName() + QStringLiteral(": ") + why);
    return kUsage;
}

// The card of a design file, its total run as "&Print" runs it; or why there is none.
std::optional<CardTexts> cardOf(const QString& path, QString& error) {
    io::Opened opened = io::openDesign(path);
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
                        .arg(QFileInfo(path).fileName(), QString::fromStdString(message->text));
            return std::nullopt;
        }
    }
    return makeCard(model);
}

} // namespace

void chooseNoDisplay(int argc, char* argv[]) {
    static constexpr std::array<std::string_view, 7> kNoWindow = {
        "--export", "--sheet", "-h", "--help", "--help-all", "-v", "--version"};
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--")
            return;
        for (const std::string_view option : kNoWindow) {
            if (arg == option || (arg.starts_with(option) && arg.size() > option.size() &&
                                  arg[option.size()] == '=')) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
                // Standard error holds the failures, one line each; Qt's notes about the
                // missing desktop session would only hide them.
                qInstallMessageHandler(
                    [](QtMsgType type, const QMessageLogContext&, const QString& text) {
                        if (type == QtCriticalMsg || type == QtFatalMsg)
                            tell(text);
                    });
                return;
            }
        }
    }
}

CommandLine::CommandLine()
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
}

void CommandLine::process(const QStringList& arguments) {
    m_parser.process(arguments);
}

std::optional<QString> CommandLine::fileToOpen() const {
    const QStringList files = m_parser.positionalArguments();
    if (exporting() || files.isEmpty())
        return std::nullopt;
    return files.front();
}

bool CommandLine::exporting() const {
    return m_parser.isSet(m_export) || m_parser.isSet(m_sheet);
}

int CommandLine::exportCards() const {
    const QStringList files = m_parser.positionalArguments();
    if (files.isEmpty())
        return usage(QStringLiteral("No design file to export."));
    if (m_parser.isSet(m_export) && m_parser.isSet(m_sheet))
        return usage(QStringLiteral("Give either --export or --sheet, not both."));
    const bool sheetAsked = m_parser.isSet(m_sheet);
    const QString out = m_parser.value(sheetAsked ? m_sheet : m_export);

    QPageSize paper = ui::localPaper(QLocale());
    if (m_parser.isSet(m_paper)) {
        const QString name = m_parser.value(m_paper).toLower();
        if (name != QLatin1String("a4") && name != QLatin1String("letter"))
            return usage(QStringLiteral("The paper must be a4 or letter."));
        paper = QPageSize(name == QLatin1String("a4") ? QPageSize::A4 : QPageSize::Letter);
    }

    // A folder when it is one already or is written as one; otherwise a file.
    const bool toFolder = !sheetAsked && (QFileInfo(out).isDir() || out.endsWith(QLatin1Char('/')));
    std::optional<ui::CardFormat> format;
    if (m_parser.isSet(m_format)) {
        format = ui::formatNamed(m_parser.value(m_format));
        if (!format)
            return usage(QStringLiteral("The format must be pdf, png, svg or txt."));
    } else {
        format = toFolder ? ui::CardFormat::Pdf : ui::formatNamed(QFileInfo(out).suffix());
        if (!format)
            return usage(QStringLiteral("Cannot tell the type of \"%1\" from its extension; give "
                                        "--format pdf, png, svg or txt.")
                             .arg(out));
    }
    const bool sheet = sheetAsked || (!toFolder && files.size() > 1);
    if (sheet && *format != ui::CardFormat::Pdf)
        return usage(QStringLiteral("Several cards go to a folder, or to one PDF file."));
    if (toFolder && !QDir().mkpath(out))
        return usage(QStringLiteral("Cannot make the folder \"%1\".").arg(out));

    int result = kAllWritten;
    std::vector<CardTexts> cards;
    for (const QString& file : files) {
        QString error;
        const auto card = cardOf(file, error);
        if (card && !sheet) {
            const QString target =
                toFolder ? QDir(out).filePath(QFileInfo(file).completeBaseName() +
                                              QLatin1Char('.') + ui::suffixOf(*format))
                         : out;
            error = ui::exportCard(target, *card, *format);
        } else if (card) {
            cards.push_back(*card);
        }
        if (!error.isEmpty()) {
            tell(error);
            result = kSomeFailed;
        }
    }
    if (sheet && !cards.empty()) {
        if (const QString error = ui::exportSheet(out, cards, paper); !error.isEmpty()) {
            tell(error);
            result = kSomeFailed;
        }
    }
    return result;
}

} // namespace ivc::app
