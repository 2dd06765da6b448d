#pragma once

#include <QComboBox>
#include <string>

#include "comm/serial_link.h"

// The port the device dialogs talk through: the system's serial ports, and
// any path typed in (a pseudo-terminal, a USB adapter). It starts at the port
// used last in this run, else at the port the settings file names; the line
// settings are those the Communication dialog saved in the settings file.
class DevicePortBox : public QComboBox {
    Q_OBJECT
  public:
    explicit DevicePortBox(QWidget* parent = nullptr);

    std::string port() const;
    // The line settings of the settings file, 9600,E,7,1 when it holds none.
    static rs::SerialSettings lineSettings();
    // Remembers the port for the next device dialog.
    void remember() const;
};
