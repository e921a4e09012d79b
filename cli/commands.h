#pragma once

namespace qv::cli {

// Each command gets the arguments after its own name and returns the exit status.
using CommandFunction = int (*)(int argc, char** argv);

struct Command {
    const char* name;
    const char* usage; // one line for --help
    CommandFunction run;
};

} // namespace qv::cli
