// The random-operation tester's long pass (scripts/fuzz-long.sh random), built by the fuzz
// preset so it runs under the fuzz targets' sanitizers from the same build:
//     random_operations FIRST_SEED RUNS STEPS_PER_RUN OUT_DIR
// Unlike the test it keeps going past a failing seed, so one long pass shows every fault it
// meets; each is shrunk and written to OUT_DIR/random-seed-N.json. Lines of progress go out
// around every 100 runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/random_operations.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s FIRST_SEED RUNS STEPS_PER_RUN OUT_DIR\n", argv[0]);
        return 2;
    }
    const auto number = [&](int i) { return static_cast<uint32_t>(std::strtoul(argv[i], nullptr, 10)); };
    const uint32_t firstSeed = number(1), runs = number(2), steps = number(3);
    const auto start = std::chrono::steady_clock::now();
    uint64_t performed = 0;
    std::size_t failures = 0;
    for (uint32_t done = 0; done < runs; done += 100) {
        const uint32_t batch = std::min<uint32_t>(100, runs - done);
        // Said first: a sanitizer report ends the process, and this names the seeds to replay.
        std::printf("running seeds %u..%u\n", firstSeed + done, firstSeed + done + batch - 1);
        std::fflush(stdout);
        const glv::test::SeedsReport report = glv::test::RunSeeds(firstSeed + done, batch, steps, argv[4], true);
        performed += report.performed;
        failures += report.failures.size();
        for (const std::string& failure : report.failures) std::printf("FAILED %s\n", failure.c_str());
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("seeds %u..%u: %llu steps held in %.0f s (%.0f steps/s), %zu failing runs\n", firstSeed,
                    firstSeed + done + batch - 1, static_cast<unsigned long long>(performed), seconds,
                    static_cast<double>(performed) / seconds, failures);
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}
