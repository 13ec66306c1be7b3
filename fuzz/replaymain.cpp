// Feeds a fuzz target the files it is given (files, or folders of files) the way libFuzzer
// would, without libFuzzer: the ordinary build replays the seed corpus and every input that
// once failed. Each input is also fed grown to at least 100 KB (repeated), and must be read
// within a second, so that no reader spends more than linear time on what it is given.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
constexpr std::size_t GrownSize = 100 * 1024;
constexpr double TimeLimitSeconds = 1.0;

std::vector<std::uint8_t> FileContent(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Seconds taken by one run over the bytes.
double Feed(const std::vector<std::uint8_t>& bytes) {
    const auto start = std::chrono::steady_clock::now();
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<std::uint8_t> Grown(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> grown;
    if (bytes.empty())
        return grown;
    grown.reserve(GrownSize + bytes.size());
    while (grown.size() < GrownSize)
        grown.insert(grown.end(), bytes.begin(), bytes.end());
    return grown;
}

void AddInputs(const std::filesystem::path& path, std::vector<std::filesystem::path>& inputs) {
    if (std::filesystem::is_directory(path)) {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(path))
            if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                found.push_back(entry.path());
        std::sort(found.begin(), found.end());
        inputs.insert(inputs.end(), found.begin(), found.end());
    } else if (std::filesystem::exists(path)) {
        inputs.push_back(path);
    }
}
} // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i)
        AddInputs(argv[i], inputs);
    int slow = 0;
    double slowest = 0;
    for (const auto& path : inputs) {
        const std::vector<std::uint8_t> bytes = FileContent(path);
        Feed(bytes);
        const std::vector<std::uint8_t> grown = Grown(bytes);
        if (grown.empty())
            continue;
        const double seconds = Feed(grown);
        slowest = std::max(slowest, seconds);
        if (seconds > TimeLimitSeconds) {
            std::fprintf(stderr, "%s grown to %zu bytes took %.2f s (limit %.1f s)\n",
                         path.string().c_str(), grown.size(), seconds, TimeLimitSeconds);
            ++slow;
        }
    }
    std::printf("%zu inputs replayed, each also grown to %zu bytes; slowest grown %.3f s\n",
                inputs.size(), GrownSize, slowest);
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs found\n");
        return 1;
    }
    return slow == 0 ? 0 : 1;
}
