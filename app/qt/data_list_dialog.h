#pragma once

#include <QTreeWidget>
#include <QWidget>

// The project data list: a tree with the three fixed items "Unset project",
// "Program" and "MAIN". Labels can be edited but an edit is not kept, and
// nothing else reacts to the tree.
class CDatalistTreeCtrldlg : public QWidget {
    Q_OBJECT
  public:
    explicit CDatalistTreeCtrldlg(QWidget* parent = nullptr);
    QTreeWidget* tree() const { return m_tree; }

  private:
    QTreeWidget* m_tree;
};
