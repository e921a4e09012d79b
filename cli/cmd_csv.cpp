#include "cli/commands.h"
#include "cli/file_command.h"
#include "files/csv_export.h"

namespace qv::cli {

int RunCsv(int argc, char** argv) {
    if (argc < 1 || argc > 2) return UsageError("csv IN.kvr [OUT.csv]");
    const std::string in = argv[0];
    const std::string out = argc == 2 ? std::string(argv[1]) : CsvPathFor(in);
    RecordingDocument document;
    if (!LoadForCommand("csv", in, document)) return 2;
    return ReportWrite("csv", out, ExportCsvFile(out, document));
}

} // namespace qv::cli
