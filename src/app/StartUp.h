#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Start-up of the work-form process: command line, splash, data modules, company, rights,
// and the one work form chosen by the program code.
namespace StartUp {

struct CommandLine {
    int MenuId = 0;
    int UserId = 0;
    QString CompanyCode;
    QString ProgramCode; // trimmed, upper case
    QDateTime WorkingDate;
};

// Converts the parameters (argv without the program name). Throws NkError with the
// conversion's message for a bad date or a non-integer id, including a missing parameter.
CommandLine parseCommandLine(const QStringList& params);
// dd/mm/yyyy with an optional time of day; invalid QDateTime when it does not convert.
QDateTime parseWorkingDate(const QString& text);

// Work forms register themselves by program code; the factory creates the form and sets
// the values the code asks for.
using FormFactory = std::function<QWidget*()>;
void registerForm(const QString& programCode, FormFactory factory);
bool hasForm(const QString& programCode);
QWidget* createForm(const QString& programCode); // nullptr for an unknown code

// Steps 3 to 11 of start-up inside an existing application object: splash, data modules,
// command line, company, rights, work form. Messages go through MessageService.
struct Outcome {
    enum class End { FormCreated, Quiet, Message };
    End end = End::Quiet;
    QWidget* form = nullptr; // the main window when a work form was created
    QString message;         // the message shown when end == Message
};
Outcome start(const QStringList& params);

// The whole start-up and message loop; returns the process exit status.
int run(int argc, char** argv);

// Every work form of the module registers itself here (FormRegistry.cpp).
void registerAllForms();

} // namespace StartUp
