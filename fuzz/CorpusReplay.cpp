// Feeds every file of a fuzzer's corpus to its target, so the inputs that
// once found faults (and the seeds) are checked in every build, with any
// compiler. Usage: fuzz_corpus_replay <listfile|weekfile|paste> <folder>...
#include "FuzzTargets.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <listfile|weekfile|paste> <folder>...\n", argv[0]);
        return 2;
    }
    const std::string name = argv[1];
    void (*target)(const std::uint8_t*, std::size_t) = name == "listfile"   ? tc::fuzz::listFileTarget
                                                       : name == "weekfile" ? tc::fuzz::weekFileTarget
                                                       : name == "paste"    ? tc::fuzz::pasteTarget
                                                                            : nullptr;
    if (!target) {
        std::fprintf(stderr, "unknown target %s\n", name.c_str());
        return 2;
    }
    std::vector<std::filesystem::path> inputs;
    for (int i = 2; i < argc; ++i)
        for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::fprintf(stderr, "no corpus files found\n");
        return 1;
    }
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "%s\n", path.filename().string().c_str());
        target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%s: %zu corpus files replayed without a fault\n", name.c_str(), inputs.size());
    return 0;
}
