#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "comm/serial_link.h"

namespace rs {

// The receiving half of a serial link kept in memory: bytes handed to
// receive() wait to be read, and the receive callback is raised once the
// threshold is reached. Subclasses decide what happens to written bytes.
class BufferedSerialLink : public SerialLink {
  public:
    bool open(const std::string& port, const SerialSettings& settings) override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    std::string port() const override { return m_port; }
    SerialSettings settings() const override { return m_settings; }
    size_t bytesWaiting() const override { return m_incoming.size(); }
    std::vector<uint8_t> readAll() override;
    void setReceiveThreshold(int bytes) override { m_threshold = bytes; }
    void setReceiveCallback(std::function<void()> callback) override {
        m_callback = std::move(callback);
    }
    void setErrorCallback(std::function<void(const std::string&)> callback) override {
        m_errorCallback = std::move(callback);
    }
    int threshold() const { return m_threshold; }

  protected:
    // Bytes from the other end of the line.
    void receive(const std::vector<uint8_t>& bytes);
    // The port failed: it is closed and the error callback told why.
    void fail(const std::string& reason);

  private:
    bool m_open = false;
    std::string m_port;
    SerialSettings m_settings;
    std::vector<uint8_t> m_incoming;
    int m_threshold = 1;
    std::function<void()> m_callback;
    std::function<void(const std::string&)> m_errorCallback;
};

}  // namespace rs
