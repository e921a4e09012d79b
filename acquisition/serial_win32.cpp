#include "acquisition/serial_port.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstring>
#include <mutex>

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

// Errors that mean the device itself is gone (an adapter unplugged, its driver stopped).
bool DeviceGoneError(DWORD error) {
    switch (error) {
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_HANDLE:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_OPERATION_ABORTED:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
        return true;
    default:
        return false;
    }
}

// The port is opened for overlapped I/O so that WaitCommEvent can wait with a time-out; the
// other calls (state, time-outs, purge, modem status) work on such a handle as on any other,
// and the program never reads or writes data through it.
class Win32SerialPort : public PortDevice {
public:
    explicit Win32SerialPort(HANDLE handle)
        : handle_(handle), event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        overlapped_.hEvent = event_;
        // What the port had when it was opened, put back when it is closed.
        openedDcb_.DCBlength = sizeof openedDcb_;
        dcbRead_ = GetCommState(handle_, &openedDcb_) != 0;
        timeoutsRead_ = GetCommTimeouts(handle_, &openedTimeouts_) != 0;
    }
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
        timeoutsChanged_ = true;
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
        stateChanged_ = true;
        return SetCommState(handle_, &dcb_) != 0;
    }

    bool Purge() override { return PurgeComm(handle_, 0x000F) != 0; }

    bool ReadModemStatus(std::uint32_t& word) override {
        DWORD status = word;
        if (!GetCommModemStatus(handle_, &status)) {
            if (DeviceGoneError(GetLastError())) gone_ = true;
            return false;
        }
        word = status;
        return true;
    }

    LineWait WaitForChange(std::int64_t timeoutNs) override {
        {
            std::lock_guard lock(waitMutex_);
            if (closing_ || handle_ == INVALID_HANDLE_VALUE) return LineWait::Lost;
            if (!event_) return LineWait::Unsupported;
            waiting_ = true;
        }
        const LineWait result = WaitOnDriver(timeoutNs);
        {
            std::lock_guard lock(waitMutex_);
            waiting_ = false;
        }
        waitEnded_.notify_all();
        return result;
    }

    bool Gone() const override { return gone_; }

    bool Close() override {
        EndWaits();
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        PutBack();
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        if (event_) CloseHandle(event_);
        event_ = nullptr;
        return closed;
    }

private:
    // Puts back what the program changed: the line state (rate, framing, DTR and RTS, flow
    // control) and the time-outs the port had when it was opened. A port left alone is not
    // touched; a device that is gone refuses, and closing goes on.
    void PutBack() {
        if (stateChanged_ && dcbRead_) SetCommState(handle_, &openedDcb_);
        if (timeoutsChanged_ && timeoutsRead_) SetCommTimeouts(handle_, &openedTimeouts_);
    }

    // WaitCommEvent on the four inputs. A wait that times out stays pending and is waited on
    // again by the next call; the driver keeps the events that come meanwhile.
    LineWait WaitOnDriver(std::int64_t timeoutNs) {
        if (!pending_) {
            if (!maskSet_ && !SetCommMask(handle_, EV_CTS | EV_DSR | EV_RING | EV_RLSD))
                return Failure(GetLastError());
            maskSet_ = true;
            events_ = 0;
            ResetEvent(event_);
            if (WaitCommEvent(handle_, &events_, &overlapped_)) return Completed();
            const DWORD error = GetLastError();
            if (error != ERROR_IO_PENDING) return Failure(error);
            pending_ = true;
        }
        const std::int64_t ms =
            std::clamp<std::int64_t>((timeoutNs + 999'999) / 1'000'000, 0, 60'000);
        if (WaitForSingleObject(event_, static_cast<DWORD>(ms)) == WAIT_TIMEOUT)
            return LineWait::TimedOut;
        pending_ = false;
        DWORD bytes = 0;
        if (!GetOverlappedResult(handle_, &overlapped_, &bytes, FALSE))
            return Failure(GetLastError());
        return Completed();
    }

    // A finished wait: no events means the mask was changed, which only Close() does.
    LineWait Completed() const {
        if (closing_) return LineWait::Lost;
        return events_ != 0 ? LineWait::Changed : LineWait::TimedOut;
    }

    LineWait Failure(DWORD error) {
        if (closing_) return LineWait::Lost;
        if (DeviceGoneError(error)) {
            gone_ = true;
            return LineWait::Lost;
        }
        return LineWait::Unsupported;
    }

    // Ends a wait in progress on another thread, and a wait left pending, before the handle
    // goes: changing the event mask completes a pending WaitCommEvent at once.
    void EndWaits() {
        std::unique_lock lock(waitMutex_);
        closing_ = true;
        while (waiting_) {
            SetCommMask(handle_, 0);
            waitEnded_.wait_for(lock, std::chrono::milliseconds(1));
        }
        if (pending_) {
            SetCommMask(handle_, 0);
            DWORD bytes = 0;
            GetOverlappedResult(handle_, &overlapped_, &bytes, TRUE);
            pending_ = false;
        }
    }

    HANDLE handle_;
    DCB dcb_{};
    COMMTIMEOUTS timeouts_{};
    // The line state and time-outs the port had when it was opened, and whether the program
    // changed them since.
    DCB openedDcb_{};
    COMMTIMEOUTS openedTimeouts_{};
    bool dcbRead_ = false, timeoutsRead_ = false;
    bool stateChanged_ = false, timeoutsChanged_ = false;
    HANDLE event_;
    OVERLAPPED overlapped_{};
    DWORD events_ = 0;
    bool maskSet_ = false;
    bool pending_ = false;
    std::atomic<bool> gone_{false};
    std::atomic<bool> closing_{false};
    std::mutex waitMutex_;
    std::condition_variable waitEnded_;
    bool waiting_ = false;
};

class Win32SerialSystem : public PortSystem {
public:
    std::unique_ptr<PortDevice> Open(const std::string& name) override {
        if (name.empty()) return nullptr;
        const HANDLE handle = CreateFileA(DevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
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
