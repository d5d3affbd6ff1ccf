#pragma once

#include "ui/cardExport.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QPageSize>
#include <QStringList>

#include <optional>
#include <vector>

// The program's command line: a design file to open, or cards to export without a window.
namespace ivc::app {

class CommandLine {
public:
    // Reads and checks the arguments as the bytes they are, before any application object
    // exists: a wrong command line is told without looking for a display.
    CommandLine(int argc, char* argv[]);

    // Why the command line is wrong, in one line; empty when it is right.
    QString wrong() const { return m_wrong; }
    // Help, the version and exports need no display: they run on the offscreen platform.
    bool needsNoDisplay() const;
    // Once the application exists: --help and --version print and end the program here.
    void showHelpOrVersion();

    // The file to open in the window, if one was given and nothing is exported.
    std::optional<QString> fileToOpen() const;
    // Its name on disk as given, where that is not UTF-8 and so has no exact QString.
    std::optional<QByteArray> nativeFileToOpen() const;
    bool exporting() const;
    // Writes the cards, telling each failure on standard error; the program's exit code.
    int exportCards() const;

private:
    QStringList readArguments(int argc, char* argv[]);
    QString check(const QStringList& arguments);
    QString checkExport();
    QString chooseFormat(const QFileInfo& outInfo);
    QString printable(const QString& argument) const;
    QString shownName(const QString& file) const;
    QByteArray nativeName(const QString& argument) const;
    // A card to write, with the base of its file name in a folder and the name to tell.
    struct NamedCard {
        QString base;
        QString shown;
        CardTexts card;
    };
    std::vector<NamedCard> cardsOf(const QString& file, QString& error) const;
    QString folderTarget(const QString& base, const QString& shown,
                         std::vector<QString>& written) const;
    int exportForce() const;

    std::vector<QByteArray> m_raw; // the arguments as given
    QCommandLineParser m_parser;
    QCommandLineOption m_export;
    QCommandLineOption m_sheet;
    QCommandLineOption m_format;
    QCommandLineOption m_paper;
    QString m_missingQtValue; // one of Qt's options that ends the line without its value
    QString m_wrong;
    // What an export writes, once the command line is checked.
    QStringList m_files;
    QString m_out;
    ui::CardFormat m_cardFormat = ui::CardFormat::Pdf;
    QPageSize m_pageSize;
    bool m_toFolder = false;
    bool m_toSheet = false;
    bool m_forceAlone = false; // one force file to one file: its list and cards
};

// Tells a wrong command line on standard error, in one line; the exit code for it.
int usage(const QString& why);

// Standard error holds the failures, one line each, and nothing else.
void quietMessages();

} // namespace ivc::app
