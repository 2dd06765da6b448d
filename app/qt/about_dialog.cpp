#include "app/qt/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "translations/system_text.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(rs::qt::sysText("关于 CV-Rungsmith"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(":/rungsmith.png").scaled(32, 32));
    auto* text = new QLabel(QStringLiteral("CV-Rungsmith V0.1.01.04"), this);
    auto* ok = new QPushButton(rs::qt::sysText("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    row->addWidget(ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
}
