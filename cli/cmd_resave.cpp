#include "cli/commands.h"
#include "cli/file_command.h"

namespace qv::cli {

int RunResave(int argc, char** argv) {
    if (argc != 2) return UsageError("resave IN.kvr OUT.kvr");
    RecordingDocument document;
    if (!LoadForCommand("resave", argv[0], document)) return 2;
    return ReportWrite("resave", argv[1], SaveRecordingFile(argv[1], document));
}

} // namespace qv::cli
