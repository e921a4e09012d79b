#pragma once

namespace qv::cli {

// Each command gets the arguments after its own name and returns the exit status.
using CommandFunction = int (*)(int argc, char** argv);

struct Command {
    const char* name;
    const char* usage; // one line for --help
    CommandFunction run;
};

// Recording file commands (cmd_csv.cpp, cmd_resave.cpp, cmd_panel.cpp).
int RunCsv(int argc, char** argv);
int RunResave(int argc, char** argv);
int RunPanel(int argc, char** argv);

// The decoded export for spreadsheets and log viewers (cmd_export.cpp).
int RunExport(int argc, char** argv);

// Line commands (cmd_receive.cpp).
int RunReceive(int argc, char** argv);

// Simulated unit (cmd_simulate.cpp).
int RunSimulate(int argc, char** argv);

// The graph window's picture of a span (cmd_plot.cpp).
int RunPlot(int argc, char** argv);

} // namespace qv::cli
