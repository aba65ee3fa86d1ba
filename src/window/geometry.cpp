#include "window/geometry.h"

namespace varimo {

TSkinRect ResolveRect(const TEdgeRect& rect, int32_t width, int32_t height) {
  return {EdgeAt(rect.Left, width), EdgeAt(rect.Top, height), EdgeAt(rect.Right, width),
          EdgeAt(rect.Bottom, height)};
}

TSkinRect PiecePlacement(TSkinPiece piece, int32_t width, int32_t height) {
  for (const TPiecePlacement& placement : geometry::kPiecePlacements) {
    if (placement.Piece == piece) return ResolveRect(placement.To, width, height);
  }
  return {};
}

TSkinRect PositionThumbAt(int32_t width, int32_t height, int32_t offset) {
  const TSkinRect size = SkinPieceRect(TSkinPiece::kPositionThumb);
  const int left = EdgeAt(geometry::kPositionThumbStart.X, width) + offset;
  const int top = EdgeAt(geometry::kPositionThumbStart.Y, height);
  return {left, top, left + size.Width(), top + size.Height()};
}

}  // namespace varimo
