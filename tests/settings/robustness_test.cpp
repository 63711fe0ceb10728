// Files of any content load without a crash, an unmodified document leaves them alone,
// and a save followed by a load always gives back the saved parameter set.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "app/settings/settings.h"
#include "scratchdir.h"

namespace tarvenix {
namespace {

using testing::ScratchDirTest;

ParameterSet distinctParameters() {
    ParameterSet p;
    p.CW = 2.75;
    p.RHO = 1.125;
    p.R = 0.004;
    p.M = 0.02;
    p.V0 = 61.5f;
    p.G = 9.81;
    p.dt = 0.0002;
    p.Winkel = 5.25;
    p.Distance = 70;
    p.HoeheZiel = -1.5;
    p.AbstandAugeVisier = 900;
    return p;
}

void expectSame(const ParameterSet& a, const ParameterSet& b) {
    EXPECT_EQ(a.CW, b.CW);
    EXPECT_EQ(a.RHO, b.RHO);
    EXPECT_EQ(a.R, b.R);
    EXPECT_EQ(a.M, b.M);
    EXPECT_EQ(a.V0, b.V0);
    EXPECT_EQ(a.G, b.G);
    EXPECT_EQ(a.dt, b.dt);
    EXPECT_EQ(a.Winkel, b.Winkel);
    EXPECT_EQ(a.Distance, b.Distance);
    EXPECT_EQ(a.HoeheZiel, b.HoeheZiel);
    EXPECT_EQ(a.AbstandAugeVisier, b.AbstandAugeVisier);
}

class RobustnessTest : public ScratchDirTest {
  protected:
    // Loads the content, checks that an unmodified close leaves it as it was, then saves
    // a parameter set and loads it back. A file that was empty is first saved without
    // the byte-order mark and gains it on the next save; from then on saving again
    // changes no byte.
    void checkContent(const std::string& content) {
        setFileBytes(content);
        SettingsDocument doc;
        ParameterSet loaded;
        loadSettings(doc, loaded);
        ASSERT_TRUE(doc.isOpen());
        doc.close();
        ASSERT_EQ(fileBytes(), content);

        const ParameterSet saved = distinctParameters();
        saveSettings(doc, saved);
        ParameterSet reloaded;
        loadSettings(doc, reloaded);
        expectSame(reloaded, saved);
        doc.close();

        saveSettings(doc, saved);
        const std::string twice = fileBytes();
        EXPECT_EQ(twice.compare(0, 3, "\xEF\xBB\xBF"), 0);
        saveSettings(doc, saved);
        EXPECT_EQ(fileBytes(), twice);
    }
};

TEST_F(RobustnessTest, OddFilesLoadAndRoundTrip) {
    std::string allBytes;
    for (int round = 0; round < 4; ++round) {
        for (int b = 0; b < 256; ++b) {
            allBytes.push_back(static_cast<char>(b));
        }
    }
    static constexpr char withNuls[] = "[Parameter]\0\r\nCW\0 = 1\0\r\nV0 = 2\0\0\0";
    const struct {
        const char* name;
        std::string content;
    } cases[] = {
        {"every byte value", allBytes},
        {"NUL bytes", std::string(withNuls, sizeof withNuls - 1)},
        {"no line ends", std::string(1 << 20, 'a')},
        {"one very long line", "[Parameter]\r\nCW = " + std::string(1 << 20, '9') + "\r\n"},
        {"only =", "="},
        {"only [", "["},
        {"only ;", ";"},
        {"only line ends", "\r\n\n\r\r"},
        {"byte-order mark alone", "\xEF\xBB\xBF"},
        {"byte-order mark and garbage", "\xEF\xBB\xBF\xFF\xFE[\x80]=\xC3"},
        {"group without name and keys without names", "[]\r\n=1\r\n = \r\n[Parameter\r\n=="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        checkContent(c.content);
    }
}

TEST_F(RobustnessTest, TenMegabytesOfText) {
    std::string content;
    content.reserve(10u << 20);
    for (int i = 0; content.size() < (10u << 20); ++i) {
        content += "key" + std::to_string(i) + " = value " + std::to_string(i) + "\r\n";
        if (i == 200000) {
            content += "[Parameter]\r\nCW = 1.5\r\n";
        }
    }
    setFileBytes(content);
    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    EXPECT_EQ(params.CW, 1.5);
    EXPECT_EQ(params.RHO, 1.2);
    doc.close();
    checkContent(content);
}

// Files built from the pieces the parser cares about, in random order.
TEST_F(RobustnessTest, RandomStructuredFilesRoundTrip) {
    const std::string pieces[] = {
        "[Parameter]", "[parameter]",
        "[Global]",    "[",
        "]",           "=",
        ";",           " ",
        "\t",          "\r",
        "\n",          "\r\n",
        "CW",          "cw",
        "V0",          "Distance",
        "Hoehe Ziel",  std::string(1, '\0'),
        "\xE4",        "\xEF\xBB\xBF",
        "x",           "1e5",
        "+infinity",   "-1",
    };
    std::mt19937 random(20240611u);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces));
    std::uniform_int_distribution<int> length(0, 60);
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (int round = 0; round < 300; ++round) {
        std::string content;
        for (int n = length(random); n > 0; --n) {
            const std::size_t i = pick(random);
            content += i < std::size(pieces) ? pieces[i]
                                             : std::string(1, static_cast<char>(anyByte(random)));
        }
        SCOPED_TRACE(::testing::Message() << "round " << round);
        checkContent(content);
        if (HasFatalFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace tarvenix
