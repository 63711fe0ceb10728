// Fuzz target for the settings file: any bytes as "Tarvenix.ini", loaded and saved twice.
// Values that were read must read back the same, and saving what was saved changes nothing.
#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/settings/settings.h"
#include "app/settings/settingsdocument.h"
#include "flight/parameters.h"
#include "tests/fuzz/fuzzcheck.h"

namespace {

using tarvenix::ParameterSet;
using tarvenix::SettingsDocument;

// The settings file is always opened by its bare name, so the target works in a
// directory of its own.
std::filesystem::path& scratchDir() {
    static std::filesystem::path dir;
    return dir;
}

void removeScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(scratchDir(), ignored);
}

class ScratchWorkingDir {
  public:
    ScratchWorkingDir() : previous_(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        FUZZ_CHECK(previous_ >= 0);
        FUZZ_CHECK(::chdir(scratchDir().c_str()) == 0);
    }
    ~ScratchWorkingDir() {
        FUZZ_CHECK(::fchdir(previous_) == 0);
        ::close(previous_);
    }
    ScratchWorkingDir(const ScratchWorkingDir&) = delete;
    ScratchWorkingDir& operator=(const ScratchWorkingDir&) = delete;

  private:
    int previous_;
};

void writeFile(std::string_view bytes) {
    const int fd = ::open(tarvenix::settingsFileName, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    FUZZ_CHECK(fd >= 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        FUZZ_CHECK(put > 0);
        done += static_cast<std::size_t>(put);
    }
    ::close(fd);
}

std::string readFile() {
    const int fd = ::open(tarvenix::settingsFileName, O_RDONLY);
    FUZZ_CHECK(fd >= 0);
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        FUZZ_CHECK(got >= 0);
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

// One start and one "Speichern": what the program does with the file.
ParameterSet loadAndSave() {
    ParameterSet params{};
    SettingsDocument doc;
    tarvenix::loadSettings(doc, params);
    tarvenix::saveSettings(doc, params);
    FUZZ_CHECK(!doc.isOpen());
    return params;
}

// NaN reads back as NaN, whatever sign or payload the first text gave it.
bool sameDouble(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarvenix-fuzz-XXXXXX").string();
    FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
    scratchDir() = pattern;
    std::atexit(removeScratchDir);
    // A crash artifact without -artifact_prefix lands here, the working directory of
    // the input that crashed.
    std::fprintf(stderr, "fuzz_settings: settings files in %s\n", pattern.c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Only for the input: the fuzzer's own relative paths keep their meaning.
    const ScratchWorkingDir scratch;
    writeFile(std::string_view(reinterpret_cast<const char*>(data), size));

    const ParameterSet first = loadAndSave();
    const std::string saved = readFile();
    const ParameterSet second = loadAndSave();
    const std::string savedAgain = readFile();

    // Doubles are written in full and integers in decimal, so they survive exactly.
    FUZZ_CHECK(sameDouble(first.CW, second.CW));
    FUZZ_CHECK(sameDouble(first.RHO, second.RHO));
    FUZZ_CHECK(sameDouble(first.R, second.R));
    FUZZ_CHECK(sameDouble(first.M, second.M));
    FUZZ_CHECK(sameDouble(first.G, second.G));
    FUZZ_CHECK(sameDouble(first.dt, second.dt));
    FUZZ_CHECK(sameDouble(first.Winkel, second.Winkel));
    FUZZ_CHECK(first.Distance == second.Distance);
    FUZZ_CHECK(first.AbstandAugeVisier == second.AbstandAugeVisier);

    // A file that was empty is saved without the byte-order mark; read again it counts
    // as Latin-1 and gains the mark and its empty line. Otherwise a second save keeps
    // every byte.
    constexpr std::string_view mark = "\xEF\xBB\xBF\r\n";
    if (saved.compare(0, mark.size(), mark) == 0) {
        FUZZ_CHECK(savedAgain == saved);
    } else {
        FUZZ_CHECK(size == 0);
        FUZZ_CHECK(savedAgain == std::string(mark) + saved);
    }
    return 0;
}
