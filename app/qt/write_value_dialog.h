#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/engine.h"

class QComboBox;
class QLabel;
class QLineEdit;

// "Write value": one of a cell's word devices (each with the value it shows
// now) and the value to write, -32768 to 65535.
class CWriteValueDialog : public QDialog {
    Q_OBJECT
  public:
    CWriteValueDialog(const std::vector<std::string>& devices, const rs::sim::Engine& shown,
                      QWidget* parent = nullptr);

    QComboBox* deviceBox() const { return m_pDevice; }
    QLineEdit* valueEdit() const { return m_pValue; }
    std::string device() const;
    uint16_t value() const { return m_value; }

  public slots:
    void accept() override;

  private:
    std::vector<std::string> m_devices;
    QComboBox* m_pDevice = nullptr;
    QLineEdit* m_pValue = nullptr;
    QLabel* m_pProblem = nullptr;
    uint16_t m_value = 0;
};

struct WordWrite {
    std::string device;
    uint16_t value = 0;
};
// Shows the dialog; nothing when it is cancelled.
std::optional<WordWrite> askWordValue(QWidget* parent, const std::vector<std::string>& devices,
                                      const rs::sim::Engine& shown);
