// SettingsDocument: parsing, encodings, finding and inserting, value texts, and the file
// handling (lock, read-only, cutting the file at its new end).
#include "app/settings/settingsdocument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>

#include "scratchdir.h"

namespace tarvenix {
namespace {

using testing::ScratchDirTest;

constexpr const char* bom = "\xEF\xBB\xBF";

// "[g]" for a group, ";c" for a comment, "k=v" for a key, joined by "|".
std::string describe(const std::vector<SettingsDocument::Entry>& entries) {
    std::string out;
    for (const auto& e : entries) {
        if (!out.empty()) {
            out += '|';
        }
        switch (e.kind) {
            case SettingsDocument::Entry::Kind::group:
                out += "[" + e.name + "]";
                break;
            case SettingsDocument::Entry::Kind::comment:
                out += ";" + e.name;
                break;
            case SettingsDocument::Entry::Kind::key:
                out += e.name + "=" + e.value;
                break;
        }
    }
    return out;
}

class SettingsDocumentTest : public ScratchDirTest {
  protected:
    // Opens a document on the given file content.
    void openWith(SettingsDocument& doc, const std::string& bytes) {
        setFileBytes(bytes);
        ASSERT_TRUE(doc.open("Tarvenix.ini"));
    }
};

TEST_F(SettingsDocumentTest, ParsesLinesIntoEntries) {
    struct Case {
        const char* name;
        std::string text;
        std::string entries;
    };
    const Case cases[] = {
        {"mark and empty first line", std::string(bom) + "\r\n[Global]\r\nA = 1\r\n",
         "[Global]|A=1"},
        {"any run of CR and LF is one line end", "a=1\rb=2\nc=3\r\n\r\n\n\rd=4", "a=1|b=2|c=3|d=4"},
        {"no line end at all", "x=1", "x=1"},
        {"blank lines and leading blanks vanish", "  \t \r\n\t key \t= \t value \t\r\n",
         "key=value \t"},
        {"comments drop one blank after the semicolon", ";note\r\n;  two\r\n;\r\n  ; x\r\n;\tt",
         ";note|; two|;|;x|;\tt"},
        {"group names run to the first bracket, untrimmed", "[a]tail]\r\n[open\r\n[ x ]\r\n[\r\n[]",
         "[a]|[open]|[ x ]|[]|[]"},
        {"keys run to the first equals sign", "novalue\r\n=\r\n = 5\r\nk==v\r\nk = a = b",
         "novalue=|=|=5|k==v|k=a = b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsDocument doc;
        openWith(doc, c.text);
        EXPECT_EQ(describe(doc.entries()), c.entries);
        EXPECT_FALSE(doc.modified());
        EXPECT_FALSE(doc.readOnly());
    }
}

TEST_F(SettingsDocumentTest, ByteOrderMarkDecidesBetweenUtf8AndLatin1) {
    struct Case {
        const char* name;
        std::string bytes;
        bool writeMark;
        std::string entries;
    };
    const Case cases[] = {
        {"empty file", "", false, ""},
        {"mark alone", bom, true, ""},
        {"two bytes of a mark are Latin-1", "\xEF\xBB", true, "\xC3\xAF\xC2\xBB="},
        {"Latin-1 without mark", "k=\xE4\xFF\x80", true, "k=\xC3\xA4\xC3\xBF\xC2\x80"},
        {"UTF-8 after the mark is kept", std::string(bom) + "k=\xC3\xA4", true, "k=\xC3\xA4"},
        {"bytes after the mark are not converted", std::string(bom) + "k=\xE4", true, "k=\xE4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsDocument doc;
        openWith(doc, c.bytes);
        EXPECT_EQ(doc.writeMark(), c.writeMark);
        EXPECT_EQ(describe(doc.entries()), c.entries);
    }
}

TEST_F(SettingsDocumentTest, FindsGroupsAndKeysIgnoringCaseOfAsciiLettersOnly) {
    SettingsDocument doc;
    openWith(doc, std::string(bom) +
                      "top = 0\r\n[Global]\r\nCW = 9\r\n[parameter]\r\n; c\r\ncw = 2.5\r\n"
                      "CW = 7\r\n[Parameter]\r\nCW = 8\r\n[\xC3\x84RGER]\r\nx = 1\r\n");

    EXPECT_TRUE(doc.selectGroup("PARAMETER"));
    EXPECT_EQ(doc.readDouble("Cw", 1.0), 2.5);  // the first group, the first key
    EXPECT_EQ(doc.readString("top", "d"), "d");

    EXPECT_TRUE(doc.selectGroup("global"));
    EXPECT_EQ(doc.readDouble("CW", 1.0), 9.0);

    EXPECT_TRUE(doc.selectGroup(""));
    EXPECT_EQ(doc.readString("top", "d"), "0");
    EXPECT_EQ(doc.readDouble("CW", 1.0), 1.0);  // keys of other groups are never found

    // Only A to Z fold: "ä" and "Ä" differ.
    EXPECT_FALSE(doc.selectGroup("\xC3\xA4rger"));
    EXPECT_EQ(doc.readInteger("x", -1), -1);
    EXPECT_EQ(doc.readString("top", "d"), "d");  // a pending group hides everything
    EXPECT_TRUE(doc.selectGroup("\xC3\x84rger"));
    EXPECT_EQ(doc.readInteger("x", -1), 1);
    EXPECT_FALSE(doc.modified());
}

TEST_F(SettingsDocumentTest, InsertsKeysAtTheEndOfTheirGroupAndCommentsAfterTheLastWrite) {
    SettingsDocument doc;
    openWith(doc, "a = 1\r\n[G1]\r\nx = 1\r\n; c\r\n[G2]\r\n");
    doc.selectGroup("");
    doc.writeString("b", "2");  // before the first header
    doc.selectGroup("g1");
    doc.writeString("y", "2");  // after the group's comment
    doc.writeString("X", "5");  // replaces x, key rewritten as written
    doc.addComment("after X");  // right after the last write
    EXPECT_FALSE(doc.selectGroup("G3"));
    doc.addComment("new");  // appends the pending header first
    doc.writeString("z", "1");
    doc.selectGroup("G2");
    doc.writeString("w", "1");
    EXPECT_TRUE(doc.modified());
    doc.close();
    EXPECT_FALSE(doc.isOpen());
    EXPECT_EQ(fileBytes(),
              std::string(bom) +
                  "\r\na = 1\r\nb = 2\r\n[G1]\r\nX = 5\r\n; after X\r\n; c\r\ny = 2\r\n"
                  "[G2]\r\nw = 1\r\n[G3]\r\n; new\r\nz = 1\r\n");
}

TEST_F(SettingsDocumentTest, WithoutGroupWritesAndCommentsGoToTheTop) {
    SettingsDocument doc;
    openWith(doc, std::string(bom) + "[G]\r\nk = 1\r\n");
    doc.addComment("first");  // no insertion point after opening
    doc.selectGroup("");
    doc.writeInteger("n", 3);
    EXPECT_EQ(describe(doc.entries()), ";first|n=3|[G]|k=1");
    doc.close();

    SettingsDocument empty;
    openWith(empty, "");
    empty.writeString("k", "v");
    EXPECT_EQ(describe(empty.entries()), "k=v");
    EXPECT_FALSE(empty.writeMark());
    empty.close();
    EXPECT_EQ(fileBytes(), "k = v\r\n");
}

TEST_F(SettingsDocumentTest, ReadsConvertValueTextsLikeTheCLibrary) {
    SettingsDocument doc;
    openWith(doc, "");
    const double inf = std::numeric_limits<double>::infinity();
    struct DoubleCase {
        const char* text;
        double expected;
    };
    const DoubleCase doubles[] = {
        {"90 m", 90.0},     {"3,05", 3.0},       {"abc", 0.0},        {"", 0.0},
        {"+infinity", inf}, {"-INFINITY", -inf}, {"+Infinity ", inf}, {"inf", inf},
        {" 2.5", 2.5},      {"2.5e1x", 25.0},    {"0x10", 16.0},      {"1e400", inf},
        {"-0.2", -0.2},     {"3.05", 3.05},
    };
    for (const auto& c : doubles) {
        SCOPED_TRACE(c.text);
        doc.writeString("v", c.text);
        EXPECT_EQ(doc.readDouble("v", 42.0), c.expected);
    }
    doc.writeString("v", "nan");
    EXPECT_TRUE(std::isnan(doc.readDouble("v", 42.0)));
    doc.writeString("v", "NaN");
    EXPECT_TRUE(std::isnan(doc.readFloat("v", 42.0f)));

    doc.writeString("v", "0.1");
    EXPECT_EQ(doc.readFloat("v", 42.0f), 0.1f);
    doc.writeString("v", "3.5e39");  // beyond single range
    EXPECT_EQ(doc.readFloat("v", 42.0f), std::numeric_limits<float>::infinity());

    struct IntegerCase {
        const char* text;
        std::int32_t expected;
    };
    const IntegerCase integers[] = {
        {"90 m", 90},
        {"10.5", 10},
        {"$ff", 0},
        {"abc", 0},
        {"+7", 7},
        {" -12", -12},
        {"4294967386", 90},  // 2^32 + 90: the low 32 bits
        {"2147483648", std::numeric_limits<std::int32_t>::min()},
        {"-2147483649", std::numeric_limits<std::int32_t>::max()},
        {"99999999999999999999", 1661992959},  // wraps modulo 2^64 first
    };
    for (const auto& c : integers) {
        SCOPED_TRACE(c.text);
        doc.writeString("v", c.text);
        EXPECT_EQ(doc.readInteger("v", 42), c.expected);
    }

    doc.writeString("v", " \t spaced out \t ");
    EXPECT_EQ(doc.readString("v", "d"), "spaced out");
    EXPECT_EQ(doc.readString("missing", "d"), "d");
    EXPECT_EQ(doc.readDouble("missing", 42.0), 42.0);
    EXPECT_EQ(doc.readFloat("missing", 4.5f), 4.5f);
    EXPECT_EQ(doc.readInteger("missing", 42), 42);
}

TEST_F(SettingsDocumentTest, WritesValueTextsLikeTheCLibrary) {
    SettingsDocument doc;
    openWith(doc, "");
    const double inf = std::numeric_limits<double>::infinity();
    const float inff = std::numeric_limits<float>::infinity();
    auto text = [&doc] { return doc.entries().front().value; };

    struct DoubleCase {
        double value;
        const char* text;
    };
    const DoubleCase doubles[] = {
        {3.05, "3.04999999999999982236431605997495353221893310546875"},
        {6.5, "6.5"},
        {-0.0, "-0"},
        {1e-5, "1.000000000000000081803053914031309545862313825637102127075195312e-05"},
        {1e300, "1.000000000000000052504760255204420248704468581108159154915854116e+300"},
        {inf, "+Infinity"},
        {-inf, "-Infinity"},
        {std::numeric_limits<double>::quiet_NaN(), "NaN"},
    };
    for (const auto& c : doubles) {
        SCOPED_TRACE(c.text);
        doc.writeDouble("v", c.value);
        EXPECT_EQ(text(), c.text);
    }

    struct FloatCase {
        float value;
        const char* text;
    };
    const FloatCase floats[] = {
        {65.0f, "65.000000"}, {-0.2f, "-0.200000"},
        {4e-7f, "0.000000"},  {inff, "+Infinity"},
        {-inff, "-Infinity"}, {std::numeric_limits<float>::quiet_NaN(), "NaN"},
    };
    for (const auto& c : floats) {
        SCOPED_TRACE(c.text);
        doc.writeFloat("v", c.value);
        EXPECT_EQ(text(), c.text);
    }

    doc.writeInteger("v", std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(text(), "-2147483648");
    doc.writeInteger("V", 0);
    EXPECT_EQ(describe(doc.entries()), "V=0");
}

TEST_F(SettingsDocumentTest, CloseRewritesWholeFileAndCutsTheOldTail) {
    SettingsDocument doc;
    openWith(doc, std::string(bom) + "\r\n[P]\r\nCW = " + std::string(5000, '3') + "\r\n\r\n");
    doc.selectGroup("P");
    doc.writeDouble("CW", 2.5);
    doc.close();
    EXPECT_EQ(fileBytes(), std::string(bom) + "\r\n[P]\r\nCW = 2.5\r\n");
}

TEST_F(SettingsDocumentTest, UnmodifiedDocumentLeavesTheFileAlone) {
    const std::string odd = "  ;x\n\n[a]junk\r\nk\t=\tv  \n";
    SettingsDocument doc;
    openWith(doc, odd);
    EXPECT_EQ(doc.readString("k", "d"), "d");  // in group "a", none selected
    doc.close();
    EXPECT_EQ(fileBytes(), odd);
}

TEST_F(SettingsDocumentTest, NoDocumentMeansNoWritesAndDefaults) {
    SettingsDocument doc;
    EXPECT_FALSE(doc.open("Tarvenix.ini"));  // missing
    doc.addComment("lost");
    doc.writeString("k", "v");
    EXPECT_FALSE(doc.modified());
    EXPECT_TRUE(doc.entries().empty());
    EXPECT_EQ(doc.readString("k", "d"), "d");
    doc.close();
    EXPECT_FALSE(std::filesystem::exists(file()));

    // A directory by that name can be neither opened nor created.
    std::filesystem::create_directory(file());
    EXPECT_FALSE(doc.open("Tarvenix.ini"));
    EXPECT_FALSE(doc.create("Tarvenix.ini"));
    EXPECT_FALSE(doc.isOpen());
    doc.addComment("lost");
    EXPECT_FALSE(doc.modified());
    EXPECT_TRUE(std::filesystem::is_directory(file()));
}

TEST_F(SettingsDocumentTest, CreateCutsAnUnlockedFileAtOnce) {
    setFileBytes("old content\r\n");
    SettingsDocument doc;
    ASSERT_TRUE(doc.create("Tarvenix.ini"));
    EXPECT_EQ(std::filesystem::file_size(file()), 0u);
    EXPECT_TRUE(doc.writeMark());
    EXPECT_TRUE(doc.entries().empty());
    doc.close();  // nothing written yet: stays empty
    EXPECT_EQ(std::filesystem::file_size(file()), 0u);
}

TEST_F(SettingsDocumentTest, SecondDocumentOnALockedFileIsReadOnlyAndTakesNoLock) {
    const std::string content = std::string(bom) + "\r\n[P]\r\nCW = 2\r\n";
    setFileBytes(content);

    SettingsDocument first;
    ASSERT_TRUE(first.open("Tarvenix.ini"));
    EXPECT_FALSE(first.readOnly());

    SettingsDocument second;
    ASSERT_TRUE(second.open("Tarvenix.ini"));
    EXPECT_TRUE(second.readOnly());
    second.selectGroup("P");
    EXPECT_EQ(second.readDouble("CW", 0.0), 2.0);  // it still loads

    // It must never cut nor write the file the first one holds.
    SettingsDocument third;
    EXPECT_FALSE(third.create("Tarvenix.ini"));
    EXPECT_FALSE(third.isOpen());
    second.writeDouble("CW", 9.0);
    second.close();
    EXPECT_EQ(fileBytes(), content);

    // The read-only one holds no lock: the first can close and reopen for writing.
    ASSERT_TRUE(second.open("Tarvenix.ini"));
    EXPECT_TRUE(second.readOnly());
    first.selectGroup("P");
    first.writeDouble("CW", 3.0);
    first.close();
    EXPECT_EQ(fileBytes(), std::string(bom) + "\r\n[P]\r\nCW = 3\r\n");
    ASSERT_TRUE(first.open("Tarvenix.ini"));
    EXPECT_FALSE(first.readOnly());
}

}  // namespace
}  // namespace tarvenix
