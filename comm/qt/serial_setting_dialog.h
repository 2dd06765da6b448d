#pragma once

#include <QComboBox>
#include <QDialog>
#include <set>
#include <string>
#include <vector>

#include "comm/qt/comm_environment.h"

// "PC side I/F Serial setting": the port and the transmission speed that the
// "Communication" dialog starts with. Both lists are sorted; the port box also
// takes a typed path. OK writes the choice into the settings file, the one
// place the serial settings live.
class PCSideSerrialSetting : public QDialog {
    Q_OBJECT
  public:
    explicit PCSideSerrialSetting(rs::CommEnvironment environment = {}, QWidget* parent = nullptr);

    QComboBox* portList() const { return m_pPort; }
    QComboBox* speedList() const { return m_pSpeed; }

  public slots:
    void accept() override;

  private:
    rs::CommEnvironment m_env;
    // The ports in the order of the "Communication" dialog's list, whose
    // indexes the settings file holds; the entries that are paths.
    std::vector<std::string> m_ports;
    std::set<std::string> m_pathPorts;
    QComboBox* m_pPort;
    QComboBox* m_pSpeed;
};
