#pragma once
// The view's cursors by role, drawn from their art at the screen's pixel
// ratio so that they stay crisp on high-density screens.
#include "tools/framework/ToolTypes.h"

#include <QCursor>

#include <map>
#include <utility>

namespace kv {

class ViewCursors {
  public:
    const QCursor& cursor(CursorRole role, qreal devicePixelRatio);

  private:
    static QCursor build(CursorRole role, int scale);

    std::map<std::pair<CursorRole, int>, QCursor> m_cursors;
};

} // namespace kv
