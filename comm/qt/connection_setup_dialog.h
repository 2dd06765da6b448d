#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "comm/qt/comm_environment.h"

// "Connection Setup": shows the port and transmission speed of the settings
// file and the controller the program is encoded for; "Serial" changes the
// port and speed through "PC side I/F Serial setting".
class CConnectionSetup : public QDialog {
    Q_OBJECT
  public:
    CConnectionSetup(bool mode2, rs::CommEnvironment environment = {}, QWidget* parent = nullptr);

    QPushButton* serialButton() const { return m_pSerial; }
    QLineEdit* comField() const { return m_pCom; }
    QLineEdit* transmissionField() const { return m_pTransmission; }
    QLineEdit* plcTypeField() const { return m_pPlcType; }
    QLineEdit* plcNumberField() const { return m_pPlcNumber; }

  private:
    void onSerial();
    // Fills the COM and transmission fields from the settings file.
    void showSettings();

    rs::CommEnvironment m_env;
    QPushButton* m_pSerial = nullptr;
    QLineEdit* m_pCom = nullptr;
    QLineEdit* m_pTransmission = nullptr;
    QLineEdit* m_pPlcType = nullptr;
    QLineEdit* m_pPlcNumber = nullptr;
};
