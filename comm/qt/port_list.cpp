#include "comm/qt/port_list.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace rs {

std::vector<std::string> availablePorts(const std::vector<std::string>& extraPaths) {
    std::vector<std::string> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back(info.portName().toStdString());
    std::sort(ports.begin(), ports.end());
    for (const std::string& path : extraPaths)
        if (std::find(ports.begin(), ports.end(), path) == ports.end()) ports.push_back(path);
    return ports;
}

}  // namespace rs
