#pragma once

#include "cli/arguments.h"

namespace qv::cli {

// Each command gets the arguments after its own name and returns the exit status.
using CommandFunction = int (*)(int argc, char** argv);

// A command: its syntax (the one source of its parser, its usage and its help) and its run.
struct Command {
    const CommandSyntax& (*syntax)();
    CommandFunction run;
};

// Recording file commands (cmd_csv.cpp, cmd_resave.cpp, cmd_panel.cpp).
const CommandSyntax& CsvSyntax();
int RunCsv(int argc, char** argv);
const CommandSyntax& ResaveSyntax();
int RunResave(int argc, char** argv);
const CommandSyntax& PanelSyntax();
int RunPanel(int argc, char** argv);

// The decoded export for spreadsheets and log viewers (cmd_export.cpp).
const CommandSyntax& ExportSyntax();
int RunExport(int argc, char** argv);

// The summary of a recording (cmd_summary.cpp).
const CommandSyntax& SummarySyntax();
int RunSummary(int argc, char** argv);

// The readings folder as a list (cmd_readings.cpp).
const CommandSyntax& ReadingsSyntax();
int RunReadings(int argc, char** argv);

// Line commands (cmd_receive.cpp, cmd_read.cpp).
const CommandSyntax& ReceiveSyntax();
int RunReceive(int argc, char** argv);
const CommandSyntax& ReadSyntax();
int RunRead(int argc, char** argv);

// Simulated unit (cmd_simulate.cpp).
const CommandSyntax& SimulateSyntax();
int RunSimulate(int argc, char** argv);

// The graph window's picture of a span (cmd_plot.cpp).
const CommandSyntax& PlotSyntax();
int RunPlot(int argc, char** argv);

} // namespace qv::cli
