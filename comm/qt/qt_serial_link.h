#pragma once

#include <QObject>
#include <QSerialPort>

#include "comm/serial_link.h"

namespace rs {

// The serial link on a real port or a pseudo-terminal (opened by its full
// path). The receive callback is raised from readyRead once at least the
// receive threshold of bytes wait.
class QtSerialLink : public QObject, public SerialLink {
    Q_OBJECT
  public:
    explicit QtSerialLink(QObject* parent = nullptr);

    bool open(const std::string& port, const SerialSettings& settings) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    std::string port() const override { return m_name; }
    SerialSettings settings() const override { return m_settings; }
    void write(const std::vector<uint8_t>& bytes) override;
    size_t bytesWaiting() const override;
    std::vector<uint8_t> readAll() override;
    void setReceiveThreshold(int bytes) override { m_threshold = bytes; }
    void setReceiveCallback(std::function<void()> callback) override {
        m_callback = std::move(callback);
    }
    void setErrorCallback(std::function<void(const std::string&)> callback) override {
        m_errorCallback = std::move(callback);
    }

    // The system's reason why the last open() failed.
    std::string openError() const { return m_openError; }

    // Bytes written and read since opening (for a terminal's figures).
    qint64 bytesWritten() const { return m_written; }
    qint64 bytesRead() const { return m_read; }

  private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    std::string m_name;
    SerialSettings m_settings;
    int m_threshold = 1;
    std::function<void()> m_callback;
    std::function<void(const std::string&)> m_errorCallback;
    bool m_failing = false;  // an error report is on its way
    int m_opened = 0;        // opens so far: a late report never closes a newer port
    std::string m_openError;
    qint64 m_written = 0;
    qint64 m_read = 0;
};

}  // namespace rs
