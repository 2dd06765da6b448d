#include "app/qt/write_value_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "online/online_messages.h"
#include "online/request_fields.h"
#include "sim/watch.h"
#include "translations/system_text.h"

CWriteValueDialog::CWriteValueDialog(const std::vector<std::string>& devices,
                                     const rs::sim::Engine& shown, QWidget* parent)
    : QDialog(parent), m_devices(devices) {
    setWindowTitle(rs::qt::sysText("Write value"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_pDevice = new QComboBox(this);
    for (const std::string& d : devices) {
        const std::string now = rs::sim::deviceValueText(shown, d);
        m_pDevice->addItem(QString::fromStdString(now.empty() ? d : now));
    }
    m_pValue = new QLineEdit(this);
    form->addRow(rs::qt::sysText("Device"), m_pDevice);
    form->addRow(rs::qt::sysText("Value"), m_pValue);
    layout->addLayout(form);
    m_pProblem = new QLabel(this);
    layout->addWidget(m_pProblem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWriteValueDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CWriteValueDialog::reject);
    layout->addWidget(buttons);
}

std::string CWriteValueDialog::device() const {
    const int i = m_pDevice->currentIndex();
    return i >= 0 && i < static_cast<int>(m_devices.size()) ? m_devices[static_cast<size_t>(i)]
                                                            : std::string();
}

// A value outside the word's range is refused here and the dialog stays.
void CWriteValueDialog::accept() {
    // An empty box is no value here (the device test reads one as 0).
    const std::string typed = m_pValue->text().trimmed().toStdString();
    const auto v = typed.empty() ? std::nullopt : rs::online::parseWordValue(typed);
    if (!v || device().empty()) {
        m_pProblem->setText(rs::qt::sysText(rs::msg::kValueOutOfRange));
        return;
    }
    m_value = *v;
    QDialog::accept();
}

std::optional<WordWrite> askWordValue(QWidget* parent, const std::vector<std::string>& devices,
                                      const rs::sim::Engine& shown) {
    CWriteValueDialog dialog(devices, shown, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return WordWrite{dialog.device(), dialog.value()};
}
