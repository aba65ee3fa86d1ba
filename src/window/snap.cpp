#include "window/snap.h"

namespace varimo {

TWindowOrigin SnapPosition(TWindowState& window, const TWindowBounds& bounds) {
  window.Docked = false;
  return {bounds.Left, bounds.Top};
}

}  // namespace varimo
