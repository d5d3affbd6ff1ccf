#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <optional>

// The program's command line: a design file to open, or cards to export without a window.
namespace ivc::app {

// Before the application is made: a run that only exports cards or prints help or the
// version needs no display, so it uses the offscreen platform and runs where there is none.
void chooseNoDisplay(int argc, char* argv[]);

class CommandLine {
public:
    CommandLine();

    // Reads the arguments; --help, --version and wrong arguments end the program here.
    void process(const QStringList& arguments);

    // The file to open in the window, if one was given and nothing is exported.
    std::optional<QString> fileToOpen() const;
    bool exporting() const;
    // Writes the cards, telling each failure on standard error; the program's exit code.
    int exportCards() const;

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_export;
    QCommandLineOption m_sheet;
    QCommandLineOption m_format;
    QCommandLineOption m_paper;
};

} // namespace ivc::app
