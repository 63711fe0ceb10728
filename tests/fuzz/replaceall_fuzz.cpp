// Fuzz target for replaceAll. The input is text, find and replacement separated by NUL
// bytes; the result must match a plain left-to-right scan.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/numbertext.h"
#include "tests/fuzz/fuzzcheck.h"

namespace {

std::string_view nextPart(std::string_view& input) {
    const std::size_t end = input.find('\0');
    const std::string_view part = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return part;
}

// The obvious scan: at each position either a whole match or one character.
std::string scanAndReplace(std::string_view text, std::string_view find,
                           std::string_view replacement) {
    if (find.empty()) {
        return std::string(text);
    }
    std::string result;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.substr(i, find.size()) == find) {
            result += replacement;
            i += find.size();
        } else {
            result += text[i];
            ++i;
        }
    }
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view text = nextPart(input);
    const std::string_view find = nextPart(input);
    const std::string_view replacement = input;

    FUZZ_CHECK(tarvenix::replaceAll(text, find, replacement) ==
               scanAndReplace(text, find, replacement));
    FUZZ_CHECK(tarvenix::replaceAll(text, find, find) == text);
    return 0;
}
