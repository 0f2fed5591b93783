// Feeds every file of a fuzzer's corpus to its target, so the inputs that
// once found faults (and the seeds) are checked in every build, with any
// compiler. Usage: fuzz_corpus_replay <listfile|weekfile|paste|journal> <folder>...
#include "FuzzTargets.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

int main(int argc, char** argv) {
    using namespace tc::fuzz;
    const std::map<std::string, void (*)(const std::uint8_t*, std::size_t)> targets = {
        {"listfile", listFileTarget},
        {"weekfile", weekFileTarget},
        {"paste", pasteTarget},
        {"journal", journalTarget}};
    if (argc < 3 || !targets.count(argv[1]))
        return std::fprintf(stderr, "usage: %s <listfile|weekfile|paste|journal> <folder>...\n", argv[0]), 2;
    std::size_t replayed = 0;
    for (int i = 2; i < argc; ++i)
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::fprintf(stderr, "%s\n", entry.path().filename().string().c_str());
            targets.at(argv[1])(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    std::printf("%s: %zu corpus files replayed without a fault\n", argv[1], replayed);
    return replayed ? 0 : 1; // an empty corpus replays nothing: a failure
}
