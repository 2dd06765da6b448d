#pragma once

#include <QDockWidget>
#include <QTreeWidget>
#include <vector>

#include "core/session.h"
#include "editor/search/cross_reference.h"
#include "project/device_comments.h"

// "Cross reference": a dock listing every device of the shown program with
// its places, uses and comment; a bit device driven by OUT in more than one
// place is marked "double coil". A double click on a place asks to go there.
class CCrossReferenceBar : public QDockWidget {
    Q_OBJECT
  public:
    explicit CCrossReferenceBar(QWidget* parent = nullptr);

    // Fills the list from a program, or empties it (no project).
    void refresh(const rs::Session* session, const rs::DeviceComments* comments = nullptr);
    QTreeWidget* tree() const { return m_tree; }

  signals:
    void placeChosen(const rs::search::DevicePlace& place);

  private:
    QTreeWidget* m_tree;
    std::vector<rs::search::DevicePlace> m_places;  // indexed by item data
};
