#include "app/qt/data_list_dialog.h"

#include <QBitmap>
#include <QVBoxLayout>

namespace {

// A tree image whose magenta pixels are transparent.
QIcon treeImage(const QString& resource) {
    QPixmap pixmap(resource);
    pixmap.setMask(pixmap.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
    return QIcon(pixmap);
}

}  // namespace

CDatalistTreeCtrldlg::CDatalistTreeCtrldlg(QWidget* parent)
    : QWidget(parent), m_tree(new QTreeWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);  // the tree follows every resize of the dialog
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);

    const QIcon project = treeImage(":/tree/project.png");
    const QIcon program = treeImage(":/tree/program.png");
    auto make = [](const QString& text, const QIcon& icon) {
        auto* item = new QTreeWidgetItem(QStringList{text});
        item->setIcon(0, icon);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        return item;
    };
    QTreeWidgetItem* root = make("Unset project", project);
    QTreeWidgetItem* prog = make("Program", program);
    prog->addChild(make("MAIN", program));
    root->addChild(prog);
    m_tree->addTopLevelItem(root);
    m_tree->setSortingEnabled(true);
    m_tree->sortItems(0, Qt::AscendingOrder);
    m_tree->setSortingEnabled(false);

    // An edited label is not kept: the item takes its text back.
    connect(m_tree, &QTreeWidget::itemChanged, this, [](QTreeWidgetItem* item, int column) {
        const QString fixed = item->data(column, Qt::UserRole).toString();
        if (!fixed.isEmpty() && item->text(column) != fixed) item->setText(column, fixed);
    });
    for (QTreeWidgetItem* item : {root, prog, prog->child(0)})
        item->setData(0, Qt::UserRole, item->text(0));
}
