#include "app/qt/cross_reference_bar.h"

#include <QHeaderView>

namespace {

constexpr int kCommentColumn = 3;

}  // namespace

CCrossReferenceBar::CCrossReferenceBar(QWidget* parent) : QDockWidget("Cross reference", parent) {
    setObjectName("Cross reference");
    setAllowedAreas(Qt::AllDockWidgetAreas);
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(4);
    m_tree->setHeaderLabels({"Device", "Place", "Use", "Comment"});
    m_tree->setRootIsDecorated(true);
    m_tree->header()->setStretchLastSection(true);
    setWidget(m_tree);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        const QVariant index = item->data(0, Qt::UserRole);
        if (index.isValid() && index.toInt() < static_cast<int>(m_places.size()))
            emit placeChosen(m_places[static_cast<size_t>(index.toInt())]);
    });
}

void CCrossReferenceBar::refresh(const rs::Session* session, const rs::DeviceComments* comments) {
    m_tree->clear();
    m_places.clear();
    if (!session) return;
    for (const auto& uses : rs::search::crossReference(*session)) {
        auto* device = new QTreeWidgetItem(m_tree);
        device->setText(0, QString::fromStdString(uses.device));
        const auto n = uses.places.size();
        device->setText(1, n == 1 ? QString("1 place") : QString("%1 places").arg(n));
        if (comments)
            device->setText(kCommentColumn,
                            QString::fromStdString(std::string(comments->findText(uses.device))));
        if (uses.doubleCoil) {
            device->setText(2, "double coil");
            for (int c = 0; c < 3; ++c) device->setForeground(c, Qt::red);
        }
        for (const auto& place : uses.places) {
            auto* item = new QTreeWidgetItem(device);
            item->setText(1, QString::fromStdString(rs::search::placeText(place)));
            item->setText(2, rs::search::useText(place.use));
            item->setData(0, Qt::UserRole, static_cast<int>(m_places.size()));
            m_places.push_back(place);
        }
        // A device with one place needs no second line to reach it.
        if (uses.places.size() == 1)
            device->setData(0, Qt::UserRole, device->child(0)->data(0, Qt::UserRole));
        device->setExpanded(uses.doubleCoil);
    }
    m_tree->resizeColumnToContents(0);
    m_tree->resizeColumnToContents(1);
    m_tree->resizeColumnToContents(2);
}
