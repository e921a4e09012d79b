#include "acquisition/serial_port.h"

#include <windows.h>

#include <cctype>
#include <cstddef>
#include <cstring>

namespace qv {
namespace {

// The flags word of DCB follows DCBlength and BaudRate.
static_assert(offsetof(DCB, wReserved) == offsetof(DCB, BaudRate) + 2 * sizeof(DWORD));

// COM10 and above open only through the device namespace; the prefix works for COM1..COM9 too.
std::string DevicePath(const std::string& name) {
    if (name.size() > 3 && _strnicmp(name.c_str(), "COM", 3) == 0) {
        bool digits = true;
        for (std::size_t i = 3; i < name.size(); ++i)
            digits = digits && std::isdigit(static_cast<unsigned char>(name[i]));
        if (digits) return "\\\\.\\" + name;
    }
    return name;
}

class Win32SerialPort : public PortDevice {
public:
    explicit Win32SerialPort(HANDLE handle) : handle_(handle) {}
    ~Win32SerialPort() override { Close(); }

    bool ReadSettings() override {
        dcb_.DCBlength = sizeof dcb_;
        return GetCommState(handle_, &dcb_) && GetCommTimeouts(handle_, &timeouts_);
    }

    bool SetTimeouts(const PortTimeouts& t) override {
        timeouts_.ReadIntervalTimeout = t.ReadInterval;
        timeouts_.ReadTotalTimeoutMultiplier = t.ReadTotalMultiplier;
        timeouts_.ReadTotalTimeoutConstant = t.ReadTotalConstant;
        timeouts_.WriteTotalTimeoutMultiplier = t.WriteTotalMultiplier;
        timeouts_.WriteTotalTimeoutConstant = t.WriteTotalConstant;
        return SetCommTimeouts(handle_, &timeouts_) != 0;
    }

    bool SetState(const PortLineState& state) override {
        dcb_.DCBlength = sizeof dcb_;
        dcb_.BaudRate = state.BaudRate;
        const DWORD flags = LineStateFlagsWord(state.DtrOn, state.RtsOn);
        std::memcpy(reinterpret_cast<unsigned char*>(&dcb_) + offsetof(DCB, BaudRate) +
                        sizeof(DWORD),
                    &flags, sizeof flags);
        dcb_.ByteSize = state.ByteSize;
        dcb_.Parity = state.Parity;
        dcb_.StopBits = state.StopBits;
        return SetCommState(handle_, &dcb_) != 0;
    }

    bool Purge() override { return PurgeComm(handle_, 0x000F) != 0; }

    bool ReadModemStatus(std::uint32_t& word) override {
        DWORD status = word;
        if (!GetCommModemStatus(handle_, &status)) return false;
        word = status;
        return true;
    }

    bool Close() override {
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
    DCB dcb_{};
    COMMTIMEOUTS timeouts_{};
};

class Win32SerialSystem : public PortSystem {
public:
    std::unique_ptr<PortDevice> Open(const std::string& name) override {
        if (name.empty()) return nullptr;
        const HANDLE handle = CreateFileA(DevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<Win32SerialPort>(handle);
    }

    std::vector<std::string> Candidates() override { return WindowsPortCandidates(); }
};

} // namespace

std::unique_ptr<PortSystem> MakeSerialPortSystem(const std::string&) {
    return std::make_unique<Win32SerialSystem>();
}

} // namespace qv
