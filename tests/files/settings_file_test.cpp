#include "files/ini_file.h"
#include "files/live_graph_settings.h"
#include "files/settings_file.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

constexpr const char* kFirstRunFile = "[Param]\r\n"
                                      "Vozduh=1\r\n"
                                      "Temperature=1\r\n"
                                      "KHH=1\r\n"
                                      "3S=0\r\n"
                                      "1GGTE=0\r\n"
                                      "1JZGTE=0\r\n"
                                      "N14=0\r\n"
                                      "N24=0\r\n"
                                      "N27=1\r\n"
                                      "col1=0\r\n"
                                      "col2=0\r\n"
                                      "col3=0\r\n"
                                      "col4=0\r\n"
                                      "col5=0\r\n"
                                      "col6=0\r\n";

TEST(SettingsFile, FirstRunGivesDefaultsAndCreatesTheFifteenKeysInOrder) {
    test::TempDir dir;
    const std::string path = dir.File("QuintovarByTrelm52.ini");
    const SettingsValues defaults = LoadSettings(path);
    EXPECT_EQ(defaults, SettingsValues{});
    EXPECT_TRUE(defaults.ReducedCpu);
    EXPECT_EQ(defaults.display.Vozduh, IntakeKind(1));
    ASSERT_TRUE(SaveSettings(path, defaults).ok());
    EXPECT_EQ(test::ReadBytes(path), kFirstRunFile);
}

TEST(SettingsFile, TheLiveGraphKeepsItsChoicesInItsOwnSectionBesideTheOthers) {
    test::TempDir dir;
    const std::string path = dir.File("s.ini");
    test::WriteBytes(path, kFirstRunFile);
    EXPECT_EQ(LoadLiveGraphSettings(path), LiveGraphSettings{}); // an older file: the defaults
    LiveGraphSettings values;
    values.choices.series[5] = {10, LiveScale::Data};
    values.choices.series[0] = {};
    values.choices.flags = {true,  false, false, false, false, false,
                            false, false, false, false, false, true};
    values.choices.span = 0;
    values = {values.choices, 1024, 700};
    ASSERT_TRUE(SaveLiveGraphSettings(path, values).ok());
    EXPECT_EQ(LoadLiveGraphSettings(path), values);
    const std::string text = test::ReadBytes(path);
    EXPECT_EQ(text.substr(0, std::string(kFirstRunFile).size()), kFirstRunFile);
    EXPECT_NE(text.find("[LiveGraph]\r\nSeries1=0\r\nScale1=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("Flags=2049\r\nSpan=0\r\nWidth=1024\r\n"), std::string::npos);

    // A damaged section gives the defaults, and a span not offered the nearest one.
    test::WriteBytes(path, "[LiveGraph]\r\nSeries1=11\r\nScale2=2\r\nSpan=60\r\nWidth=-5\r\n");
    LiveGraphSettings damaged;
    damaged.choices.span = 50;
    EXPECT_EQ(LoadLiveGraphSettings(path), damaged);
}

TEST(SettingsFile, ValuesRoundTrip) {
    test::TempDir dir;
    const std::string path = dir.File("s.ini");
    SettingsValues values;
    values.display.Vozduh = IntakeKind(7); // out of range, kept as it is
    values.display.Temperature = CoolantDependence(2);
    values.display.KHH = IdleAirUnit(-3);
    values.Engine1JZGTE = true;
    values.InvertedAdapter = true;
    values.ReducedCpu = false;
    values.SeriesColours = {255, 16711680, 0, -1, 0x00FFFFFF, 65280};
    values.LastPort = "порт 2";
    ASSERT_TRUE(SaveSettings(path, values).ok());
    EXPECT_EQ(LoadSettings(path), values);
    const std::string text = test::ReadBytes(path);
    EXPECT_NE(text.find("col6=65280\r\nLastPort=\xEF\xEE\xF0\xF2 2\r\n"), std::string::npos);
    EXPECT_NE(text.find("col1=255\r\n"), std::string::npos);
    EXPECT_NE(text.find("col2=16711680\r\n"), std::string::npos);
    EXPECT_NE(text.find("KHH=-3\r\n"), std::string::npos);
}

TEST(SettingsFile, ReadingValues) {
    test::TempDir dir;
    const std::string path = dir.File("s.ini");
    test::WriteBytes(path, "[param]\nvozduh = 0x4\nTEMPERATURE=$2\nKHH=3abc\nN27=0\nN24=5\n"
                           "col1=0XFF\ncol2=\ncol3=-$10\ncol4=$FFFFFFFF\ncol5=\"12\"\n");
    SettingsValues values = LoadSettings(path);
    EXPECT_EQ(values.display.Vozduh, IntakeKind(4));
    EXPECT_EQ(values.display.Temperature, CoolantDependence(2));
    EXPECT_EQ(values.display.KHH, IdleAirUnit(1)); // not an integer: the default
    EXPECT_FALSE(values.ReducedCpu);
    EXPECT_TRUE(values.InvertedAdapter); // any nonzero integer is true
    EXPECT_EQ(values.SeriesColours[0], 255);
    EXPECT_EQ(values.SeriesColours[1], 0);
    EXPECT_EQ(values.SeriesColours[2], -16);
    EXPECT_EQ(values.SeriesColours[3], -1);
    EXPECT_EQ(values.SeriesColours[4], 12);

    for (const char* n27 : {"N27=abc", "N27=", "N27", "N27=99999999999"}) {
        test::WriteBytes(path, std::string("[Param]\r\n") + n27 + "\r\n");
        EXPECT_TRUE(LoadSettings(path).ReducedCpu) << n27;
    }
    test::WriteBytes(path, "[Other]\r\nN27=0\r\n");
    EXPECT_TRUE(LoadSettings(path).ReducedCpu); // only section "Param" counts
}

TEST(SettingsFile, WritingKeepsEverythingElse) {
    test::TempDir dir;
    const std::string path = dir.File("s.ini");
    test::WriteBytes(path, "; settings of Quintovar\r\n"
                           "[Main]\r\n"
                           "Window=1\r\n"
                           "\r\n"
                           "[PARAM]\r\n"
                           "vozduh=3\r\n"
                           "Extra=keep me\r\n"
                           "; a comment\r\n"
                           "N27=1\r\n"
                           "\r\n"
                           "[Tail]\n"
                           "x=y");
    SettingsValues values;
    values.display.Vozduh = IntakeKind(2);
    values.ReducedCpu = false;
    ASSERT_TRUE(SaveSettings(path, values).ok());
    EXPECT_EQ(test::ReadBytes(path), "; settings of Quintovar\r\n"
                                     "[Main]\r\n"
                                     "Window=1\r\n"
                                     "\r\n"
                                     "[PARAM]\r\n"
                                     "vozduh=2\r\n"
                                     "Extra=keep me\r\n"
                                     "; a comment\r\n"
                                     "N27=0\r\n"
                                     "Temperature=1\r\n"
                                     "KHH=1\r\n"
                                     "3S=0\r\n"
                                     "1GGTE=0\r\n"
                                     "1JZGTE=0\r\n"
                                     "N14=0\r\n"
                                     "N24=0\r\n"
                                     "col1=0\r\n"
                                     "col2=0\r\n"
                                     "col3=0\r\n"
                                     "col4=0\r\n"
                                     "col5=0\r\n"
                                     "col6=0\r\n"
                                     "\r\n"
                                     "[Tail]\n"
                                     "x=y");
}

TEST(SettingsFile, MissingSectionIsAppendedAtTheEnd) {
    test::TempDir dir;
    const std::string path = dir.File("s.ini");
    test::WriteBytes(path, "[Other]\r\nkey=1");
    ASSERT_TRUE(SaveSettings(path, SettingsValues{}).ok());
    EXPECT_EQ(test::ReadBytes(path), std::string("[Other]\r\nkey=1\r\n\r\n") + kFirstRunFile);
}

TEST(SettingsFile, UnwritableTargetReportsThePath) {
    test::TempDir dir;
    // A path below a regular file can never be created, whoever runs the test.
    test::WriteBytes(dir.File("plain"), "x");
    const std::string blocked = dir.File("plain") + "/QuintovarByTrelm52.ini";
    FileStatus status = SaveSettings(blocked, SettingsValues{});
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.message, "Unable to write to " + blocked);
}

TEST(SettingsFile, ReadOnlyFileIsLeftAlone) {
    test::TempDir dir;
    const std::string path = dir.File("ro.ini");
    test::WriteBytes(path, "[Param]\r\nN27=0\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    if (test::CanWriteDespitePermissions(dir.path())) GTEST_SKIP() << "permissions not enforced";
    const FileStatus status = SaveSettings(path, SettingsValues{});
    EXPECT_EQ(status.message, "Unable to write to " + path);
    EXPECT_EQ(test::ReadBytes(path), "[Param]\r\nN27=0\r\n");
}

TEST(SettingsFile, SavingCreatesTheConfigurationDirectory) {
    test::TempDir dir;
    const std::string path = dir.File("config/quintovar/QuintovarByTrelm52.ini");
    ASSERT_TRUE(SaveSettings(path, SettingsValues{}).ok());
    EXPECT_EQ(test::ReadBytes(path), kFirstRunFile);
}

TEST(SettingsLocation, BesideTheProgramOrInTheUsersConfiguration) {
    bool exists = false, writable = false;
    const SettingsLocationProbe probe{[&](const std::string&) { return exists; },
                                      [&](const std::string&) { return writable; }};
    // Joined with the platform's separator: "\\" in the Windows build.
    const std::string beside = PathToUtf8(PathFromUtf8("/opt/qv") / "QuintovarByTrelm52.ini");
    EXPECT_EQ(ChooseSettingsPath("/opt/qv", "/x", "/home/u", probe, true), beside);
#ifndef _WIN32 // the configuration-directory cases use POSIX paths
    EXPECT_EQ(ChooseSettingsPath("/opt/qv", "/cfg", "/home/u", probe, false),
              "/cfg/quintovar/QuintovarByTrelm52.ini");
    EXPECT_EQ(ChooseSettingsPath("/opt/qv/", "", "/home/u", probe, false),
              "/home/u/.config/quintovar/QuintovarByTrelm52.ini");
    EXPECT_EQ(ChooseSettingsPath("/opt/qv", "rel", "/home/u", probe, false),
              "/home/u/.config/quintovar/QuintovarByTrelm52.ini");
    EXPECT_EQ(ChooseSettingsPath("/opt/qv", "", "", probe, false), beside);
    exists = true;
    EXPECT_EQ(ChooseSettingsPath("/opt/qv", "/cfg", "/home/u", probe, false), beside);
    exists = false;
    writable = true;
    EXPECT_EQ(ChooseSettingsPath("/opt/qv/", "/cfg", "/home/u", probe, false), beside);
    // Installed from the package: root can write /usr/bin, the settings still go to the user.
    exists = true;
    EXPECT_EQ(ChooseSettingsPath("/usr/bin", "", "/root", probe, false),
              "/root/.config/quintovar/QuintovarByTrelm52.ini");
    EXPECT_EQ(ChooseSettingsPath("/usr/local/bin/", "/cfg", "/root", probe, false),
              "/cfg/quintovar/QuintovarByTrelm52.ini");
    for (const char* folder : {"/usr", "/usr/bin", "/bin", "/sbin/", "/usr/lib/../bin"})
        EXPECT_TRUE(IsSystemProgramFolder(folder)) << folder;
    for (const char* folder : {"/opt/qv", "/usrx/bin", "/home/u/usr/bin", "/binaries", "/"})
        EXPECT_FALSE(IsSystemProgramFolder(folder)) << folder;
#endif

    test::TempDir dir;
    EXPECT_EQ(SettingsFilePath(dir.path().string()),
              (dir.path() / "QuintovarByTrelm52.ini").string());
}

TEST(IniFile, CaseInsensitiveFirstMatchAndQuotes) {
    const IniFile file = IniFile::Parse("[A]\nk=1\nK=2\n[a]\nk=3\n[B]\n  Key  =  'v w'  \n");
    EXPECT_EQ(file.Get("a", "K"), "1");
    EXPECT_EQ(file.Get("b", "key"), "v w");
    EXPECT_EQ(file.Get("B", "missing"), std::nullopt);
    EXPECT_EQ(file.Get("C", "k"), std::nullopt);

    IniFile empty = IniFile::Parse("");
    empty.Set("S", "k", "v");
    EXPECT_EQ(empty.Bytes(), "[S]\r\nk=v\r\n");
}

TEST(ProfileInteger, DecimalAndHexadecimal) {
    EXPECT_EQ(ParseProfileInteger("42"), 42);
    EXPECT_EQ(ParseProfileInteger("-7"), -7);
    EXPECT_EQ(ParseProfileInteger("0x1f"), 31);
    EXPECT_EQ(ParseProfileInteger("$A0"), 160);
    EXPECT_EQ(ParseProfileInteger("2147483647"), 2147483647);
    for (const char* bad : {"", "x", "0x", "$", "1.5", "2147483648", "$100000000", "0xg"})
        EXPECT_EQ(ParseProfileInteger(bad), std::nullopt) << bad;
}

} // namespace
} // namespace qv
