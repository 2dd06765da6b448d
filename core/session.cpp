#include "core/session.h"

namespace rs {

void Session::startView() {
    app.table->clear(1);
    app.m_bCompiled = true;
    view.m_bCompiled = true;
    view.m_bListMode = 0;
    view.m_bUnconvertible = 0;
}

void Session::commit() {
    view.m_bCompiled = false;
    app.m_bCompiled = false;
    view.m_bUnconvertible = 0;
}

}  // namespace rs
