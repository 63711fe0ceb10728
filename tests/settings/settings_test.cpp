// loadSettings and saveSettings on "Tarvenix.ini" in a scratch working directory: the
// first-start file, round trips through foreign content, and the files that cannot be written.
#include "app/settings/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

#include "scratchdir.h"

namespace tarvenix {
namespace {

using testing::ScratchDirTest;

const std::string bomLine = "\xEF\xBB\xBF\r\n";
const std::string comments =
    "; CW  Widerstandsbeiwert, RHO Dichte des Mediums = kg/m\xC2\xB2   R  "
    "Querschnittsfl\xC3\xA4"
    "che in m\xC2\xB2  M Masse = kg\r\n"
    "; V0  m/s,  G = Erdbeschleuningung \r\n";
const std::string globalGroup = "[Global]\r\nApplicationName = Tarvenix\r\nVersion = 0.1 beta\r\n";

// The eleven parameter lines with the given texts for CW and V0, the rest the defaults.
std::string parameterLines(
    const std::string& cw = "3.04999999999999982236431605997495353221893310546875",
    const std::string& v0 = "65.000000") {
    return "CW = " + cw + "\r\n" +
           "RHO = 1.1999999999999999555910790149937383830547332763671875\r\n"
           "R = 0.0032499999999999998508137810659945898805744946002960205078125\r\n"
           "M = 0.0184999999999999990840660046842458541505038738250732421875\r\n"
           "V0 = " +
           v0 + "\r\n" +
           "G = 9.8066499999999994230392985627986490726470947265625\r\n"
           "dt = 0.000100000000000000004792173602385929598312941379845142364501953125\r\n"
           "Winkel = 6.5\r\n"
           "Distance = 90\r\n"
           "Hoehe Ziel = -0.200000\r\n"
           "Abstand Auge Visier = 1000\r\n";
}

const std::string firstStartFile =
    bomLine + globalGroup + "[Parameter]\r\n" + comments + parameterLines();

void expectDefaults(const ParameterSet& p) {
    EXPECT_EQ(p.CW, 3.05);
    EXPECT_EQ(p.RHO, 1.2);
    EXPECT_EQ(p.R, 0.00325);
    EXPECT_EQ(p.M, 0.0185);
    EXPECT_EQ(p.V0, 65.0f);
    EXPECT_EQ(p.G, 9.80665);
    EXPECT_EQ(p.dt, 0.0001);
    EXPECT_EQ(p.Winkel, 6.5);
    EXPECT_EQ(p.Distance, 90);
    EXPECT_EQ(p.HoeheZiel, -0.20000000298023224);
    EXPECT_EQ(p.AbstandAugeVisier, 1000);
}

using SettingsTest = ScratchDirTest;

TEST_F(SettingsTest, FirstStartCreatesAnEmptyFileAndWritesTheDefaultsOnClose) {
    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    expectDefaults(params);
    ASSERT_TRUE(std::filesystem::exists(file()));
    EXPECT_EQ(std::filesystem::file_size(file()), 0u);  // until the document is closed
    doc.close();
    EXPECT_EQ(fileBytes(), firstStartFile);

    // The next start reads back exactly what it wrote.
    ParameterSet again;
    loadSettings(doc, again);
    expectDefaults(again);
    doc.close();
    EXPECT_EQ(fileBytes(), firstStartFile);
}

TEST_F(SettingsTest, SaveAfterFirstStartKeepsTheCommentsAndWritesCurrentValues) {
    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    params.CW = 2.5;
    params.V0 = 70.25f;
    saveSettings(doc, params);
    EXPECT_FALSE(doc.isOpen());
    EXPECT_EQ(fileBytes(), bomLine + globalGroup + "[Parameter]\r\n" + comments +
                               parameterLines("2.5", "70.250000"));
}

TEST_F(SettingsTest, FileLeftEmptyByAnAbortedFirstRunIsWrittenWithoutMarkOrComments) {
    setFileBytes("");
    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    expectDefaults(params);
    doc.close();
    EXPECT_EQ(std::filesystem::file_size(file()), 0u);  // untouched

    saveSettings(doc, params);
    EXPECT_EQ(fileBytes(), globalGroup + "[Parameter]\r\n" + parameterLines());
}

TEST_F(SettingsTest, ForeignContentKeepsItsPlacesThroughASave) {
    setFileBytes(bomLine +
                 "; top comment\r\n"
                 "Orphan=1\r\n"
                 "\r\n"
                 "  [Fremd]\r\n"
                 "Foo =  bar  \r\n"
                 "[parameter]\r\n"
                 ";note\r\n"
                 "cw = 2.5\r\n"
                 "Winkel = 7.25\r\n"
                 "CW = 7\r\n"
                 "Extra = x\r\n"
                 "[Global]\r\n"
                 "CW = 9\r\n"
                 "version = 0.0 alpha\r\n");
    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    EXPECT_EQ(params.CW, 2.5);  // the first occurrence, not the one in "Global"
    EXPECT_EQ(params.Winkel, 7.25);
    EXPECT_EQ(params.RHO, 1.2);  // missing: the default
    EXPECT_FALSE(doc.modified());

    params.CW = 2.75;
    saveSettings(doc, params);
    const std::string expected =
        bomLine +
        "; top comment\r\n"
        "Orphan = 1\r\n"
        "[Fremd]\r\n"
        "Foo = bar  \r\n"
        "[parameter]\r\n"
        "; note\r\n"
        "CW = 2.75\r\n"
        "Winkel = 7.25\r\n"
        "CW = 7\r\n"
        "Extra = x\r\n"
        "RHO = 1.1999999999999999555910790149937383830547332763671875\r\n"
        "R = 0.0032499999999999998508137810659945898805744946002960205078125\r\n"
        "M = 0.0184999999999999990840660046842458541505038738250732421875\r\n"
        "V0 = 65.000000\r\n"
        "G = 9.8066499999999994230392985627986490726470947265625\r\n"
        "dt = 0.000100000000000000004792173602385929598312941379845142364501953125\r\n"
        "Distance = 90\r\n"
        "Hoehe Ziel = -0.200000\r\n"
        "Abstand Auge Visier = 1000\r\n"
        "[Global]\r\n"
        "CW = 9\r\n"
        "Version = 0.1 beta\r\n"
        "ApplicationName = Tarvenix\r\n";
    EXPECT_EQ(fileBytes(), expected);
}

TEST_F(SettingsTest, CwInGlobalHasNoEffectAndMissingGroupIsAppended) {
    setFileBytes("[Global]\r\nCW = 9\r\n");
    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    expectDefaults(params);
    saveSettings(doc, params);
    EXPECT_EQ(fileBytes(), bomLine +
                               "[Global]\r\nCW = 9\r\nApplicationName = Tarvenix\r\n"
                               "Version = 0.1 beta\r\n[Parameter]\r\n" +
                               parameterLines());
}

TEST_F(SettingsTest, Latin1FileBecomesUtf8WithMark) {
    setFileBytes(
        "; Gr\xF6\xDF"
        "e \xE4\r\n[Parameter]\r\nCW = 2\r\n");
    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    EXPECT_EQ(params.CW, 2.0);
    saveSettings(doc, params);
    const std::string start = bomLine +
                              "; Gr\xC3\xB6\xC3\x9F"
                              "e \xC3\xA4\r\n[Parameter]\r\nCW = 2\r\n";
    EXPECT_EQ(fileBytes().substr(0, start.size()), start);
}

TEST_F(SettingsTest, ValueTextsLoadAndSaveThroughTheCConversions) {
    setFileBytes(bomLine +
                 "[Parameter]\r\n"
                 "CW = 3,05\r\n"
                 "RHO = abc\r\n"
                 "V0 = +infinity\r\n"
                 "Distance = 90 m\r\n"
                 "Hoehe Ziel = 0.1\r\n"
                 "Abstand Auge Visier = 4294968296\r\n"
                 "Winkel = 0.1\r\n");
    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    EXPECT_EQ(params.CW, 3.0);
    EXPECT_EQ(params.RHO, 0.0);  // present but no number: 0, not the default
    EXPECT_EQ(params.V0, std::numeric_limits<float>::infinity());
    EXPECT_EQ(params.Distance, 90);
    EXPECT_EQ(params.HoeheZiel, static_cast<double>(0.1f));  // single precision only
    EXPECT_EQ(params.AbstandAugeVisier, 1000);               // 2^32 + 1000: low 32 bits
    EXPECT_EQ(params.Winkel, 0.1);                           // full double

    params.HoeheZiel = 4e-7;
    saveSettings(doc, params);
    const std::string bytes = fileBytes();
    EXPECT_NE(bytes.find("\r\nV0 = +Infinity\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\r\nHoehe Ziel = 0.000000\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\r\nCW = 3\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\r\nAbstand Auge Visier = 1000\r\n"), std::string::npos) << bytes;
}

// As root, permission bits do not stop the process; then another Tarvenix holding the
// lock is what makes the file readable only.
TEST_F(SettingsTest, ReadOnlyFileLoadsAndSaveChangesNothingOnDisk) {
    const std::string content = bomLine + "[Parameter]\r\nCW = 2.5\r\nDistance = 70\r\n";
    setFileBytes(content);
    SettingsDocument holder;
    if (::geteuid() == 0) {
        ASSERT_TRUE(holder.open("Tarvenix.ini"));
        ASSERT_FALSE(holder.readOnly());
        RecordProperty("readOnlyBy", "lock held by a second document (running as root)");
    } else {
        std::filesystem::permissions(file(), std::filesystem::perms::owner_read);
        RecordProperty("readOnlyBy", "file mode 0400");
    }

    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    EXPECT_TRUE(doc.readOnly());
    EXPECT_EQ(params.CW, 2.5);
    EXPECT_EQ(params.Distance, 70);
    EXPECT_EQ(params.RHO, 1.2);

    params.CW = 1.0;
    saveSettings(doc, params);
    doc.close();
    EXPECT_EQ(fileBytes(), content);
}

TEST_F(SettingsTest, SecondRunningProgramNeverOverwritesTheFirstOnesFile) {
    SettingsDocument firstWindow;
    ParameterSet firstParams;
    loadSettings(firstWindow, firstParams);  // creates, holds the lock

    SettingsDocument secondWindow;
    ParameterSet secondParams;
    loadSettings(secondWindow, secondParams);
    EXPECT_TRUE(secondWindow.readOnly());
    expectDefaults(secondParams);  // the file is still empty
    secondParams.CW = 1.0;
    saveSettings(secondWindow, secondParams);
    EXPECT_EQ(std::filesystem::file_size(file()), 0u);

    // The first one can still save while the second runs.
    loadSettings(secondWindow, secondParams);
    firstParams.Distance = 50;
    saveSettings(firstWindow, firstParams);
    EXPECT_NE(fileBytes().find("\r\nDistance = 50\r\n"), std::string::npos);
    secondWindow.close();
    EXPECT_NE(fileBytes().find("\r\nDistance = 50\r\n"), std::string::npos);
}

// As root, permission bits do not stop the process; then the working directory is
// removed, which no process can create a file in.
TEST_F(SettingsTest, UnwritableDirectoryGivesDefaultsAndWritesNothing) {
    if (::geteuid() == 0) {
        std::filesystem::remove(dir_);  // the current working directory itself
        RecordProperty("unwritableBy", "removed working directory (running as root)");
    } else {
        std::filesystem::permissions(
            dir_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        RecordProperty("unwritableBy", "directory mode 0500");
    }

    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    expectDefaults(params);
    EXPECT_FALSE(doc.isOpen());
    doc.addComment("lost");
    EXPECT_FALSE(doc.modified());
    params.CW = 1.0;
    saveSettings(doc, params);
    doc.close();
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(SettingsTest, SettingsNameTakenByADirectoryGivesDefaultsAndWritesNothing) {
    std::filesystem::create_directory(file());
    SettingsDocument doc;
    ParameterSet params;
    loadSettings(doc, params);
    expectDefaults(params);
    EXPECT_FALSE(doc.isOpen());
    saveSettings(doc, params);
    doc.close();
    EXPECT_TRUE(std::filesystem::is_directory(file()));
    EXPECT_TRUE(std::filesystem::is_empty(file()));
}

}  // namespace
}  // namespace tarvenix
