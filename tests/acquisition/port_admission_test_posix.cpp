#include "acquisition/serial_port.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(PortAdmission, OnlyTerminalsWithHardwareOrADriverToAskAreOpened) {
    const auto facts = [](unsigned major, unsigned minor, bool listed, bool tty, bool device) {
        TtyDeviceFacts f;
        f.CharDevice = true;
        f.Major = major;
        f.Minor = minor;
        f.Listed = listed;
        f.TtyClass = tty;
        f.HasDevice = device;
        return f;
    };
    struct Case {
        const char* what;
        TtyDeviceFacts facts;
        PortAdmission expected;
    } cases[] = {
        {"ttyS1", facts(4, 65, true, true, true), PortAdmission::Serial},
        {"ttyUSB0", facts(188, 0, true, true, true), PortAdmission::Serial},
        {"/dev/tty", facts(5, 0, true, true, false), PortAdmission::Refuse},
        {"/dev/tty claiming hardware", facts(5, 0, true, true, true), PortAdmission::Refuse},
        {"/dev/console", facts(5, 1, true, true, false), PortAdmission::Refuse},
        {"/dev/ptmx", facts(5, 2, false, false, false), PortAdmission::Refuse},
        {"tty1", facts(4, 1, true, true, false), PortAdmission::Refuse},
        {"tty63 unlisted", facts(4, 63, false, false, false), PortAdmission::Refuse},
        {"a virtual tty", facts(240, 0, true, true, false), PortAdmission::Refuse},
        {"/dev/null", facts(1, 3, true, false, false), PortAdmission::Refuse},
        {"a watchdog", facts(10, 130, true, false, true), PortAdmission::Refuse},
        {"an unlisted non-terminal", facts(10, 130, false, false, false), PortAdmission::Refuse},
        {"a pseudo-terminal", facts(136, 3, false, false, false), PortAdmission::AskDriver},
        {"ttyUSB0 without sysfs", facts(188, 0, false, false, false), PortAdmission::AskDriver},
    };
    for (const Case& c : cases) EXPECT_EQ(AdmitPort(c.facts), c.expected) << c.what;

    TtyDeviceFacts console = facts(4, 64, true, true, true);
    console.ActiveConsole = true;
    EXPECT_EQ(AdmitPort(console), PortAdmission::Refuse) << "the active console";
    TtyDeviceFacts missing = facts(188, 0, true, true, true);
    missing.CharDevice = false;
    EXPECT_EQ(AdmitPort(missing), PortAdmission::Refuse) << "no such character device";
}

TEST(PortAdmission, ShortNamesAreBelowDev) {
    EXPECT_EQ(LinuxPortPath("ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(LinuxPortPath("serial/by-id/usb-x"), "/dev/serial/by-id/usb-x");
    EXPECT_EQ(LinuxPortPath("/dev/ttyS1"), "/dev/ttyS1");
    EXPECT_EQ(LinuxPortPath(""), "");
}

// A sysfs tree in a temporary folder that describes /dev/null (1:3) as it is told to.
class DeviceFacts : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("qv_facts_" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "class/tty/console");
        fs::create_directories(root / "class/mem");
        fs::create_directories(root / "dev/char");
    }
    void TearDown() override { fs::remove_all(root); }

    void DescribeNull(const std::string& subsystem, bool device) {
        const fs::path entry = root / "dev/char/1:3";
        fs::create_directories(entry);
        fs::create_directory_symlink(root / "class" / subsystem, entry / "subsystem");
        if (device) fs::create_directories(entry / "device");
    }
    void Console(const std::string& name, const std::string& number) {
        fs::create_directories(root / "class/tty" / name);
        std::ofstream(root / "class/tty" / name / "dev") << number << "\n";
        std::ofstream(root / "class/tty/console/active") << "tty0 " << name << "\n";
    }
    TtyDeviceFacts Facts(const std::string& path = "/dev/null") {
        return ReadTtyDeviceFacts(path, root.string());
    }
    fs::path root;
};

TEST_F(DeviceFacts, ComeFromTheDeviceNumberAndSysfs) {
    TtyDeviceFacts facts = Facts();
    EXPECT_TRUE(facts.CharDevice);
    EXPECT_EQ(facts.Major, 1u);
    EXPECT_EQ(facts.Minor, 3u);
    EXPECT_FALSE(facts.Listed);

    DescribeNull("tty", true);
    facts = Facts();
    EXPECT_TRUE(facts.Listed && facts.TtyClass && facts.HasDevice);
    EXPECT_FALSE(facts.ActiveConsole);
    Console("ttyS0", "1:3");
    EXPECT_TRUE(Facts().ActiveConsole);

    EXPECT_FALSE(Facts(root.string()).CharDevice); // a directory
    EXPECT_FALSE(Facts((root / "missing").string()).CharDevice);
    EXPECT_FALSE(Facts("").CharDevice);
}

TEST_F(DeviceFacts, AMemoryDeviceIsNoTerminal) {
    DescribeNull("mem", false);
    const TtyDeviceFacts facts = Facts();
    EXPECT_TRUE(facts.Listed);
    EXPECT_FALSE(facts.TtyClass);
    EXPECT_EQ(AdmitPort(facts), PortAdmission::Refuse);
}

TEST_F(DeviceFacts, OpenRefusesWhatIsNoSerialPortAndLeavesItAsItWas) {
    std::unique_ptr<PortSystem> ports = MakeSerialPortSystem(root.string());
    // Described as a serial port, /dev/null is still no terminal once open.
    DescribeNull("tty", true);
    EXPECT_EQ(ports->Open("null"), nullptr);
    EXPECT_EQ(ports->Open("ttyUSB0"), nullptr); // no such device: nothing is opened at "tty"
    EXPECT_EQ(ports->Open("tty"), nullptr);
    EXPECT_EQ(ports->Open("/dev/tty"), nullptr);
    EXPECT_EQ(ports->Open(""), nullptr);

    // A pseudo-terminal (like a terminal window) does not answer as a serial port.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string slave = ptsname(master);
    const int watcher = ::open(slave.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(watcher, 0);
    termios before{};
    ASSERT_EQ(tcgetattr(watcher, &before), 0);
    EXPECT_EQ(ports->Open(slave), nullptr);
    EXPECT_EQ(MakeSerialPortSystem()->Open(slave), nullptr);
    termios after{};
    ASSERT_EQ(tcgetattr(watcher, &after), 0);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
    ::close(watcher);
    ::close(master);
}

} // namespace
} // namespace qv
