// A fuzz target without libFuzzer, for the presets built with GCC (default, asan): every file of
// the corpus folder, then RUNS inputs made from them by seeded edits (bits flipped, bytes set to
// the characters the parsers care about, inserted or removed, stretches repeated, two inputs
// spliced), so every test run is a bounded fuzz pass of the ordinary build. Each input is first
// written to WORK/current-input: when a sanitizer or a broken property ends the process, that
// file is the input that did it.
//     fuzz_NAME_replay CORPUS_DIR WORK_DIR RUNS SEED
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace {

constexpr std::size_t kMaxLength = 65536;  // as the fuzz preset's -max_len

using Bytes = std::string;

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

class Mutator {
public:
    Mutator(uint32_t seed, const std::vector<Bytes>& corpus) : random_(seed), corpus_(corpus) {}

    Bytes Next() {
        Bytes input = corpus_[Pick(corpus_.size())];
        for (std::size_t edits = 1 + Pick(8); edits > 0; --edits) Edit(input);
        if (input.size() > kMaxLength) input.resize(kMaxLength);
        return input;
    }

private:
    std::size_t Pick(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    void Edit(Bytes& in) {
        static constexpr char kSpecial[] = {'\0', '\xFF', '\x80', '"', ',', ';', '\t', '\n', '\r', '|', '{', '}',
                                            '[', ']', ':', '-', '9', '.', '/', '\\', 'e', ' '};
        const std::size_t at = Pick(in.size() + 1);
        switch (Pick(6)) {
            case 0:
                if (!in.empty()) in[Pick(in.size())] ^= static_cast<char>(1u << Pick(8));
                break;
            case 1:
                if (!in.empty()) in[Pick(in.size())] = kSpecial[Pick(sizeof kSpecial)];
                break;
            case 2: in.insert(at, 1, Pick(2) ? kSpecial[Pick(sizeof kSpecial)] : static_cast<char>(Pick(256))); break;
            case 3: in.erase(at, 1 + Pick(16)); break;
            case 4: {  // a stretch repeated, which grows lists, nesting and numbers
                const Bytes stretch = in.substr(at, 1 + Pick(32));
                for (std::size_t times = 1 + Pick(64); times > 0 && in.size() < kMaxLength; --times)
                    in.insert(at, stretch);
                break;
            }
            default: {  // the head of this input with the tail of another
                const Bytes& other = corpus_[Pick(corpus_.size())];
                in = in.substr(0, at) + other.substr(Pick(other.size() + 1));
                break;
            }
        }
    }

    std::mt19937 random_;
    const std::vector<Bytes>& corpus_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR WORK_DIR RUNS SEED\n", argv[0]);
        return 2;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<Bytes> corpus;
    for (const auto& file : files) corpus.push_back(ReadFile(file));
    if (corpus.empty()) corpus.emplace_back();

    const std::filesystem::path work = argv[2];
    std::filesystem::create_directories(work);
    const std::string current = (work / "current-input").string();
    const auto run = [&](const Bytes& input) {
        std::ofstream(current, std::ios::binary | std::ios::trunc) << input;
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    };
    for (const Bytes& input : corpus) run(input);
    const auto runs = std::strtoul(argv[3], nullptr, 10);
    Mutator mutator(static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)), corpus);
    for (unsigned long i = 0; i < runs; ++i) run(mutator.Next());
    std::filesystem::remove(current);
    std::printf("%zu corpus inputs and %lu edited ones ran\n", corpus.size(), runs);
    return 0;
}
