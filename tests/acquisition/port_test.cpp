#include "acquisition/port_handle.h"
#include "acquisition/real_time_line.h"
#include "acquisition/serial_port.h"
#include "acquisition/simulated_unit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <random>
#include <set>
#include <thread>

#ifndef _WIN32
#include <sys/ioctl.h>
#endif

namespace qv {
namespace {

namespace fs = std::filesystem;

// Ports that exist only in memory; each can be open once at a time, like an exclusive open.
struct FakePorts : PortSystem {
    std::map<std::string, std::uint32_t> status; // present ports and their modem status
    std::set<std::string> open, heldElsewhere, unreadable;
    std::vector<std::string> probed;
    PortLineState lastState;

    struct Device : PortDevice {
        FakePorts& ports;
        std::string name;
        bool closed = false;
        Device(FakePorts& p, std::string n) : ports(p), name(std::move(n)) {}
        ~Device() override { Close(); }
        bool ReadSettings() override { return !ports.unreadable.count(name); }
        bool SetTimeouts(const PortTimeouts&) override { return true; }
        bool SetState(const PortLineState& state) override {
            ports.lastState = state;
            return true;
        }
        bool Purge() override { return true; }
        bool ReadModemStatus(std::uint32_t& word) override {
            word = ports.status[name];
            return true;
        }
        bool Close() override {
            if (closed) return false;
            closed = true;
            ports.open.erase(name);
            return true;
        }
    };

    std::unique_ptr<PortDevice> Open(const std::string& name) override {
        if (!status.count(name) || heldElsewhere.count(name) || open.count(name)) return nullptr;
        open.insert(name);
        return std::make_unique<Device>(*this, name);
    }
    bool Probe(const std::string& name) override {
        probed.push_back(name);
        return PortSystem::Probe(name);
    }
    std::vector<std::string> Candidates() override { return {"COM1", "COM2", "COM3", "COM4"}; }
};

TEST(PortHandle, ListsFreePortsThenSimAndOpensOnePortAtATime) {
    auto ports = std::make_shared<FakePorts>();
    ports->status = {{"COM1", 0x20}, {"COM3", 0x10}, {"COM4", 0}};
    ports->heldElsewhere = {"COM4"};
    PortHandle handle(ports);
    EXPECT_EQ(handle.ListPorts(), (std::vector<std::string>{"COM1", "COM3", "SIM"}));
    EXPECT_TRUE(ports->open.empty()); // probing leaves nothing open

    std::uint32_t word = 0xDEAD;
    EXPECT_FALSE(handle.GetModemStatus(word));
    EXPECT_EQ(word, 0xDEADu);
    EXPECT_FALSE(handle.OpenPort("CO"));
    EXPECT_FALSE(handle.IsOpen());

    ASSERT_TRUE(handle.OpenPort("COM1"));
    EXPECT_TRUE(handle.GetModemStatus(word));
    EXPECT_EQ(word, 0x20u);
    EXPECT_TRUE(handle.SetPortState(57600, 8, 0, 0, true, false));
    EXPECT_TRUE(ports->lastState.DtrOn);
    // Reopening the same port works: the old one is closed first.
    EXPECT_TRUE(handle.OpenPort("COM1"));
    EXPECT_EQ(ports->open, std::set<std::string>{"COM1"});
    EXPECT_TRUE(handle.OpenPort("COM3"));
    EXPECT_EQ(ports->open, std::set<std::string>{"COM3"});
    EXPECT_EQ(handle.PortName(), "COM3");

    EXPECT_TRUE(handle.PurgePort());
    EXPECT_TRUE(handle.ClosePort());
    EXPECT_FALSE(handle.ClosePort());
    EXPECT_FALSE(handle.GetModemStatus(word));
    EXPECT_FALSE(handle.SetPortTimeouts(0xFFFFFFFF, 0, 0, 0, 0));

    // Opened, but its settings cannot be read: reported as a failure, the port stays open.
    ports->unreadable = {"COM1"};
    EXPECT_FALSE(handle.OpenPort("COM1"));
    EXPECT_TRUE(handle.IsOpen());
}

TEST(PortHandle, SimOpensLikeAPortAndShowsTheIdleLine) {
    PortHandle handle(MakeStandardPortSystem());
    ASSERT_TRUE(handle.OpenPort("SIM"));
    EXPECT_TRUE(handle.SetPortTimeouts(0xFFFFFFFF, 0, 0, 0, 0));
    EXPECT_TRUE(handle.SetPortState(57600, 8, 0, 0, false, false));
    std::uint32_t word = 0;
    EXPECT_TRUE(handle.GetModemStatus(word));
    EXPECT_EQ(word, 0x20u); // the unit starts with an idle gap: level 1, DSR on
}

TEST(PortHandle, AWaitForAChangeHoldsNoLockAndClosingTheHandleEndsIt) {
    PortHandle handle(MakeStandardPortSystem());
    ASSERT_TRUE(handle.OpenPort("SIM"));
    // The unit is idle for its first 150 ms: a wait in progress on another thread meanwhile.
    // The port can still be read, and closing it ends the wait at once.
    std::promise<LineWait> waited;
    std::thread waiter([&] { waited.set_value(handle.WaitForChange(60'000'000'000)); });
    std::uint32_t word = 0;
    EXPECT_TRUE(handle.GetModemStatus(word));
    EXPECT_EQ(word, ModemStatusDsr);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(handle.ClosePort());
    auto result = waited.get_future();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    waiter.join();
    EXPECT_EQ(result.get(), LineWait::Lost);
    EXPECT_EQ(handle.WaitForChange(1'000'000), LineWait::Lost); // no port open
    // Reopened, it reports the first frame's falling edge.
    ASSERT_TRUE(handle.OpenPort("SIM"));
    EXPECT_EQ(handle.WaitForChange(5'000'000'000), LineWait::Changed);
    EXPECT_TRUE(handle.GetModemStatus(word));
    EXPECT_EQ(word, 0u);
}

TEST(PortLine, RepeatedFailuresMakeTheLineLostNeverALevel) {
    PortHandle handle(std::make_shared<FakePorts>());
    PortLine line(handle);
    for (int read = 1; read <= PortLine::MaxFailures; ++read) {
        EXPECT_FALSE(line.DeviceLost()) << read;
        line.ReadModemStatus();
    }
    EXPECT_TRUE(line.DeviceLost());
}

TEST(PortSettings, LineStateFlagsWordHoldsBinaryModeAndTheRequestedOutputs) {
    EXPECT_EQ(LineStateFlagsWord(false, false), 0x0001u);
    EXPECT_EQ(LineStateFlagsWord(true, false), 0x0011u);
    EXPECT_EQ(LineStateFlagsWord(false, true), 0x1001u);
    EXPECT_EQ(WindowsPortCandidates().front(), "COM1");
    EXPECT_EQ(WindowsPortCandidates().back(), "COM50");
    EXPECT_EQ(WindowsPortCandidates().size(), 50u);
}

#ifndef _WIN32
TEST(PortSettings, ModemStatusCountsOnlyTheInputs) {
    struct Case {
        int tiocm;
        std::uint32_t word;
    } cases[] = {
        {0, 0},
        {TIOCM_CTS, 0x10},
        {TIOCM_DSR, 0x20},
        {TIOCM_RI, 0x40},
        {TIOCM_CD, 0x80},
        {TIOCM_CTS | TIOCM_DSR | TIOCM_RI | TIOCM_CD, 0xF0},
        // The outputs must not count, or "DTR on" would read as level 1 for ever.
        {TIOCM_DTR, 0},
        {TIOCM_RTS, 0},
        {TIOCM_DTR | TIOCM_RTS | TIOCM_LE | TIOCM_ST | TIOCM_SR, 0},
        {TIOCM_DTR | TIOCM_DSR, 0x20},
    };
    for (const Case& c : cases) EXPECT_EQ(ModemStatusFromTiocm(c.tiocm), c.word) << c.tiocm;
}
#endif

class FakeSysfs : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("qv_sysfs_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                std::to_string(std::random_device{}()));
        fs::remove_all(root);
        fs::create_directories(root / "class/tty/console");
    }
    void TearDown() override { fs::remove_all(root); }

    void Tty(const std::string& name, bool driver, const std::string& type = "") {
        const fs::path dir = root / "class/tty" / name;
        fs::create_directories(driver ? dir / "device/driver" : dir);
        if (!type.empty()) std::ofstream(dir / "type") << type << "\n";
    }
    fs::path root;
};

TEST_F(FakeSysfs, ListsSerialDevicesWithoutPlaceholdersOrTheConsole) {
    Tty("tty0", false);
    Tty("tty1", false);
    Tty("console", false);
    Tty("ttyS0", true, "4"); // the system console
    Tty("ttyS1", true, "4");
    Tty("ttyS2", true, "0"); // no UART behind it
    Tty("ttyS10", true, "4");
    Tty("ttyUSB0", true);
    Tty("ttyUSB1", true);
    Tty("ttyACM0", true);
    Tty("ptmx", false);
    std::ofstream(root / "class/tty/console/active") << "tty0 ttyS0\n";

    EXPECT_EQ(LinuxPortCandidates(root.string()),
              (std::vector<std::string>{"ttyS1", "ttyS10", "ttyUSB0", "ttyUSB1", "ttyACM0"}));
    EXPECT_TRUE(LinuxPortCandidates((root / "missing").string()).empty());
}

} // namespace
} // namespace qv
