#include "comm/qt/qt_serial_link.h"

#include <algorithm>

#include "comm/comm_messages.h"

namespace rs {

QtSerialLink::QtSerialLink(QObject* parent) : QObject(parent) {
    connect(&m_port, &QSerialPort::readyRead, this, &QtSerialLink::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialLink::onError);
}

bool QtSerialLink::open(const std::string& port, const SerialSettings& s) {
    if (m_port.isOpen()) m_port.close();
    m_port.setPortName(QString::fromStdString(port));
    m_port.setBaudRate(s.baud);
    m_port.setParity(s.parity == 'O'   ? QSerialPort::OddParity
                     : s.parity == 'N' ? QSerialPort::NoParity
                                       : QSerialPort::EvenParity);
    m_port.setDataBits(s.dataBits == 8 ? QSerialPort::Data8 : QSerialPort::Data7);
    m_port.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_openError = m_port.errorString().toStdString();
        return false;
    }
    m_openError.clear();
    m_failing = false;
    ++m_opened;
    m_name = port;
    m_settings = s;
    return true;
}

void QtSerialLink::close() {
    if (m_port.isOpen()) m_port.close();
}

void QtSerialLink::write(const std::vector<uint8_t>& bytes) {
    if (!m_port.isOpen()) return;
    m_port.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    m_written += static_cast<qint64>(bytes.size());
}

size_t QtSerialLink::bytesWaiting() const {
    return static_cast<size_t>(std::max<qint64>(0, m_port.bytesAvailable()));
}

std::vector<uint8_t> QtSerialLink::readAll() {
    const QByteArray data = m_port.readAll();
    m_read += data.size();
    return std::vector<uint8_t>(data.begin(), data.end());
}

void QtSerialLink::onReadyRead() {
    if (m_callback && m_port.bytesAvailable() >= std::max(1, m_threshold)) m_callback();
}

// A port that failed for good (unplugged adapter, closed pseudo-terminal) is
// closed at once, so that its notifier stops firing, and the failure is
// reported from the event loop with what happened.
void QtSerialLink::onError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError &&
        error != QSerialPort::WriteError)
        return;
    if (m_failing || !m_port.isOpen()) return;
    m_failing = true;
    const std::string reason =
        msg::portFailureReason(error == QSerialPort::WriteError  ? msg::PortFailure::WriteFailed
                               : error == QSerialPort::ReadError ? msg::PortFailure::ReadFailed
                                                                 : msg::PortFailure::Gone,
                               m_port.errorString().toStdString());
    QMetaObject::invokeMethod(
        this,
        [this, reason, opened = m_opened] {
            if (opened != m_opened) return;
            close();
            if (m_errorCallback) m_errorCallback(reason);
        },
        Qt::QueuedConnection);
}

}  // namespace rs
