#include <cstdio>
#include <cstring>

namespace {

void PrintHelp() {
    std::puts("quintovar-cli: batch companion of Quintovar, the reader of the old Toyota data stream.\n"
              "\n"
              "Usage: quintovar-cli COMMAND [ARGS]\n"
              "  --help    show this text");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp();
        return argc < 2 ? 2 : 0;
    }
    std::fprintf(stderr, "quintovar-cli: unknown command '%s' (see --help)\n", argv[1]);
    return 2;
}
