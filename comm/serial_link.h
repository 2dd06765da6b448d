#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rs {

// Line settings of the serial port.
struct SerialSettings {
    int baud = 9600;
    char parity = 'E';  // 'O', 'E' or 'N'
    int dataBits = 7;
    int stopBits = 1;
    bool operator==(const SerialSettings&) const = default;
};

// "9600,E,7,1": baud, parity, data length and stop bits joined by commas.
std::string settingsText(const SerialSettings& s);

// The serial line as the transfer sees it. The receive callback is raised
// once at least the receive threshold of bytes wait.
class SerialLink {
  public:
    virtual ~SerialLink() = default;
    virtual bool open(const std::string& port, const SerialSettings& settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual std::string port() const = 0;
    virtual SerialSettings settings() const = 0;
    // Sends the bytes unchanged, in one piece.
    virtual void write(const std::vector<uint8_t>& bytes) = 0;
    virtual size_t bytesWaiting() const = 0;
    virtual std::vector<uint8_t> readAll() = 0;
    virtual void setReceiveThreshold(int bytes) = 0;
    virtual void setReceiveCallback(std::function<void()> callback) = 0;
    // Raised when the port fails for good (the adapter was unplugged, the
    // other end of a pseudo-terminal closed): the system's reason as text.
    // It is raised from the event loop, never from inside write().
    virtual void setErrorCallback(std::function<void(const std::string&)> callback) = 0;
};

// A single-shot timer: the callback runs once, `ms` after the last start,
// unless stopped first.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void start(int ms) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;
    virtual void setCallback(std::function<void()> callback) = 0;
};

}  // namespace rs
