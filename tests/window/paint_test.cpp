#include "window/paint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/recording_canvas.h"
#include "window/paint_from_state.h"

namespace varimo {
namespace {

constexpr uint32_t kNormal = 0x000011;
constexpr uint32_t kCurrent = 0x000022;
constexpr uint32_t kNormalBG = 0x000033;
constexpr uint32_t kSelectedBG = 0x000044;
constexpr uint32_t kMbFG = 0x000055;

TPaintSkin Skin() {
  TPaintSkin skin;
  skin.OwnLayout = true;
  skin.Colors = {kNormal, kCurrent, kNormalBG, kSelectedBG, kMbFG};
  return skin;
}

TTrackItem Track(const std::string& title, const std::string& time = "0345", int32_t mark = 0) {
  TTrackItem track;
  track.Title = title;
  track.Time = time;
  track.Mark = mark;
  return track;
}

TAlbumState Album(size_t count, int32_t current = 0) {
  TAlbumState album;
  for (size_t i = 0; i < count; ++i) album.Tracks.push_back(Track("T" + std::to_string(i + 1)));
  album.CurrentIndex = current;
  album.AlbumKind = kAlbumZip;
  return album;
}

TPaintWindow NormalWindow(int visibleRows = 5) {
  TPaintWindow window;
  window.VisibleRows = visibleRows;
  window.TimeColumnX = 221;
  window.Metrics = {6, 6};
  return window;
}

TPaintPlay Playing() {
  TPaintPlay play;
  play.HostState = kHostPlaying;
  play.TimeDigits = {0, 3, 4, 5};
  play.PositionFraction = 0.5;
  return play;
}

// A copy from the skin bitmap by the piece it copies; everything else by its kind.
std::string Describe(const TCanvasCall& call) {
  switch (call.Kind) {
    case TCanvasCallKind::kCopy:
      if (call.Source == TCanvasBitmap::kGlyphs) return "glyph";
      for (size_t i = 0; i < kSkinPieces.size(); ++i) {
        if (kSkinPieces[i].Rect == call.From) return "piece" + std::to_string(i);
        if (kSkinPieces[i].Alternate == call.From) return "piece" + std::to_string(i) + "'";
      }
      return "skin";
    case TCanvasCallKind::kFill: return "fill";
    case TCanvasCallKind::kFont: return "font";
    case TCanvasCallKind::kTextColor: return "color";
    case TCanvasCallKind::kText: return "text";
    case TCanvasCallKind::kClip: return "clip";
    case TCanvasCallKind::kClearClip: return "unclip";
  }
  return "?";
}

std::string Piece(TSkinPiece piece, bool alternate = false) {
  return "piece" + std::to_string(static_cast<size_t>(piece)) + (alternate ? "'" : "");
}

// The calls in order, with runs of the same description shown once.
std::vector<std::string> Outline(const RecordingCanvas& canvas) {
  std::vector<std::string> outline;
  for (const TCanvasCall& call : canvas.Calls()) {
    const std::string description = Describe(call);
    if (outline.empty() || outline.back() != description) outline.push_back(description);
  }
  return outline;
}

std::vector<TSkinRect> DestinationsOf(const RecordingCanvas& canvas, TSkinPiece piece,
                                      bool alternate = false) {
  std::vector<TSkinRect> found;
  for (const TCanvasCall& call : canvas.CallsOf(TCanvasCallKind::kCopy)) {
    if (call.Source == TCanvasBitmap::kSkin && call.From == SkinPieceRect(piece, alternate)) {
      found.push_back(call.To);
    }
  }
  return found;
}

struct Repaint {
  RecordingCanvas Canvas{6};
  std::optional<TScrollThumb> Thumb;

  Repaint(const TPaintWindow& window, const TAlbumState& album,
          const TPaintPlay& play = TPaintPlay(), const TOptionSettings& options = {},
          const TListForm& form = DefaultListForm(), const TPaintSkin& skin = Skin()) {
    Thumb = PaintWindow(Canvas, skin, window, album, options, form, play);
  }
};

TEST(PaintTest, NormalWindowIsDrawnBackToFront) {
  const Repaint repaint(NormalWindow(), Album(2), Playing());
  using P = TSkinPiece;
  const std::vector<std::string> expected = {Piece(P::kTopLeftCorner),
                                             Piece(P::kTopFiller),
                                             Piece(P::kTitle),
                                             Piece(P::kTopRightCorner),
                                             Piece(P::kLeftSide),
                                             Piece(P::kRightSide),
                                             Piece(P::kLeftSide),
                                             Piece(P::kRightSide),
                                             Piece(P::kLeftSide),
                                             Piece(P::kRightSide),
                                             "fill",
                                             "font",
                                             "clip",
                                             "color",
                                             "text",
                                             "color",
                                             "text",
                                             "unclip",  // two rows
                                             Piece(P::kBottomLeft),
                                             Piece(P::kBottomRight),
                                             Piece(P::kScrollThumb),
                                             "glyph",
                                             Piece(P::kPositionThumb)};
  EXPECT_EQ(Outline(repaint.Canvas), expected);
  ASSERT_TRUE(repaint.Thumb.has_value());
  EXPECT_EQ(repaint.Thumb->ThumbY, 20);
}

TEST(PaintTest, FrameTilesFillTheWindowWidthAndHeight) {
  struct Case {
    int Width;
    int Height;
    std::vector<int> TopFillerXs;
    TSkinRect Title;
    std::vector<int> SideYs;
    std::vector<int> BottomFillerXs;
  };
  const Case cases[] = {
      {275, 116, {25, 50, 75, 100, 125, 150, 175, 200, 225}, {87, 0, 187, 20}, {20, 49, 78}, {}},
      {300,
       145,
       {25, 50, 75, 100, 125, 150, 175, 200, 225, 250},
       {100, 0, 200, 20},
       {20, 49, 78, 107},
       {125}},
  };
  for (const Case& c : cases) {
    TPaintWindow window = NormalWindow();
    window.Width = c.Width;
    window.Height = c.Height;
    const Repaint repaint(window, Album(0));
    std::vector<int> topXs, sideYs, bottomXs;
    for (const TSkinRect& to : DestinationsOf(repaint.Canvas, TSkinPiece::kTopFiller)) {
      topXs.push_back(to.Left);
    }
    for (const TSkinRect& to : DestinationsOf(repaint.Canvas, TSkinPiece::kLeftSide)) {
      sideYs.push_back(to.Top);
    }
    for (const TSkinRect& to : DestinationsOf(repaint.Canvas, TSkinPiece::kBottomFiller)) {
      bottomXs.push_back(to.Left);
    }
    EXPECT_EQ(topXs, c.TopFillerXs) << c.Width;
    EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kTitle), std::vector<TSkinRect>{c.Title});
    EXPECT_EQ(sideYs, c.SideYs) << c.Height;
    EXPECT_EQ(bottomXs, c.BottomFillerXs) << c.Width;
    EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kBottomRight),
              (std::vector<TSkinRect>{{c.Width - 150, c.Height - 38, c.Width, c.Height}}));
    EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kRightSide).back(),
              (TSkinRect{c.Width - 25, sideYs.back(), c.Width, sideYs.back() + 29}));
  }
}

TEST(PaintTest, InactiveWindowUsesTheInactiveTitleBar) {
  TPaintWindow window = NormalWindow();
  window.Active = false;
  const Repaint repaint(window, Album(1));
  EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kTopLeftCorner, true).size(), 1u);
  EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kTitle, true).size(), 1u);
  EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kTopRightCorner, true).size(), 1u);
  EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kTitle, false).size(), 0u);
}

TEST(PaintTest, RowColoursFollowCurrentSelectedAndExcludedTracks) {
  TAlbumState album = Album(5, 1);
  album.Tracks[2].Mark = -1;
  album.Tracks[3].Mark = -5;
  TPaintWindow window = NormalWindow();
  window.SelectedIndex = 3;
  const Repaint repaint(window, album);

  struct Row {
    const char* Line;
    int Top;
    uint32_t Color;
  };
  const Row rows[] = {
      {"T1", 22, kNormal},   {"T2", 32, kCurrent},
      {"T3", 42, kNormalBG},  // excluded: invisible on the list
      {"T4", 52, kNormalBG},  // excluded and selected: the background colour on the bar
      {"T5", 62, kNormal},
  };
  for (const Row& row : rows) {
    bool found = false;
    for (const TCanvasCall& call : repaint.Canvas.CallsOf(TCanvasCallKind::kText)) {
      if (call.Text != row.Line) continue;
      found = true;
      EXPECT_EQ(call.Y, row.Top) << row.Line;
      EXPECT_EQ(call.Color, row.Color) << row.Line;
      EXPECT_EQ(call.Font, ListFont("MS UI Gothic", 10)) << row.Line;
    }
    EXPECT_TRUE(found) << row.Line;
  }
  const std::vector<TCanvasCall> fills = repaint.Canvas.CallsOf(TCanvasCallKind::kFill);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].To, (TSkinRect{12, 20, 256, 78}));
  EXPECT_EQ(fills[0].Color, kNormalBG);
  EXPECT_EQ(fills[1].To, (TSkinRect{12, 52, 255, 62}));
  EXPECT_EQ(fills[1].Color, kSelectedBG);
}

TEST(PaintTest, NumbersTimesAndLineSitInTheirColumns) {
  TAlbumState album = Album(120);
  album.Tracks[119].Time = "1203";
  TPaintWindow window = NormalWindow();
  window.TopIndex = 115;
  const Repaint repaint(window, album);
  std::vector<std::pair<int, std::string>> lastRow;
  for (const TCanvasCall& call : repaint.Canvas.CallsOf(TCanvasCallKind::kText)) {
    if (call.Y == 62) lastRow.push_back({call.X, call.Text});
  }
  const std::vector<std::pair<int, std::string>> expected = {
      {15, "1"},  {21, "2"},  {27, "0"},  {33, "."},  {39, "T120"},
      {221, "1"}, {227, "2"}, {233, ":"}, {239, "0"}, {245, "3"}};
  EXPECT_EQ(lastRow, expected);

  // Shorter numbers are right-aligned in the same cells: tracks 6 and 10.
  window.TopIndex = 5;
  const Repaint shorter(window, album);
  std::vector<std::pair<int, std::string>> numbers;
  for (const TCanvasCall& call : shorter.Canvas.CallsOf(TCanvasCallKind::kText)) {
    if ((call.Y == 22 || call.Y == 62) && call.X < 39) numbers.push_back({call.X, call.Text});
  }
  EXPECT_EQ(numbers, (std::vector<std::pair<int, std::string>>{
                         {27, "6"}, {33, "."}, {21, "1"}, {27, "0"}, {33, "."}}));
}

TEST(PaintTest, WithoutNumbersTheLineStartsAtTheListEdgeAndIsShortened) {
  TListForm form = DefaultListForm();
  form.FormatHeader = 10;
  TAlbumState album = Album(1);
  album.Tracks[0].Title = std::string(40, 'X');
  const Repaint repaint(NormalWindow(), album, TPaintPlay(), TOptionSettings(), form);
  const std::vector<std::string> texts = repaint.Canvas.Texts();
  ASSERT_FALSE(texts.empty());
  // 206 pixels for the line: cut to 200 and the ellipsis added.
  EXPECT_EQ(texts[0], std::string(33, 'X') + "...");
  EXPECT_EQ(repaint.Canvas.CallsOf(TCanvasCallKind::kText)[0].X, 15);
}

TEST(PaintTest, TimeAndPositionThumbOnlyWhilePlayingAnAlbum) {
  struct Case {
    const char* Name;
    int32_t HostState;
    int32_t AlbumKind;
    bool Pressed;
    size_t Glyphs;
    size_t Thumbs;
    size_t PressedThumbs;
  };
  const Case cases[] = {
      {"playing", kHostPlaying, kAlbumZip, false, 4, 1, 0},
      {"paused", kHostPaused, kAlbumCue, false, 4, 1, 0},
      {"dragging the thumb", kHostPlaying, kAlbumZip, true, 4, 0, 1},
      {"stopped", kHostStopped, kAlbumZip, false, 0, 0, 0},
      {"no album", kHostPlaying, kAlbumNone, false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TAlbumState album = Album(3);
    album.AlbumKind = c.AlbumKind;
    TPaintWindow window = NormalWindow();
    window.PositionBarPressed = c.Pressed;
    TPaintPlay play = Playing();
    play.HostState = c.HostState;
    const Repaint repaint(window, album, play);
    size_t glyphs = 0;
    for (const TCanvasCall& call : repaint.Canvas.CallsOf(TCanvasCallKind::kCopy)) {
      if (call.Source == TCanvasBitmap::kGlyphs) ++glyphs;
    }
    EXPECT_EQ(glyphs, c.Glyphs) << c.Name;
    EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kPositionThumb).size(), c.Thumbs) << c.Name;
    EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kPositionThumb, true).size(),
              c.PressedThumbs)
        << c.Name;
  }
}

TEST(PaintTest, ScrollThumbFollowsTheTopIndexAndIsReturned) {
  TPaintWindow window = NormalWindow();
  window.TopIndex = 15;
  window.ScrollThumbPressed = true;
  const Repaint repaint(window, Album(20));
  ASSERT_TRUE(repaint.Thumb.has_value());
  EXPECT_EQ(repaint.Thumb->ThumbY, 60);
  EXPECT_DOUBLE_EQ(repaint.Thumb->ScrollStep, 40.0 / 15);
  EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kScrollThumb, true),
            (std::vector<TSkinRect>{{260, 60, 268, 78}}));
}

TEST(PaintTest, HiddenWindowPaintsNothing) {
  for (int state : {-1, -2, 0}) {
    TPaintWindow window = NormalWindow();
    window.State = state;
    const Repaint repaint(window, Album(3));
    EXPECT_TRUE(repaint.Canvas.Calls().empty()) << state;
    EXPECT_FALSE(repaint.Thumb.has_value()) << state;
  }
}

TEST(PaintTest, MainWindowStateDrivesTheRepaint) {
  struct Case {
    int32_t DragMode;
    bool ScrollPressed;
    bool ThumbPressed;
  };
  const Case cases[] = {
      {0, false, false}, {kDragScrollThumb, true, false}, {kDragPosition, false, true}};
  for (const Case& c : cases) {
    TVarimo varimo;
    varimo.Album = Album(20, 3);
    varimo.Window.State = kStateNormal;
    varimo.Window.VisibleRows = 5;
    varimo.Window.DragMode = c.DragMode;
    varimo.Window.Remain = true;
    varimo.Play.HostState = kHostPlaying;
    varimo.Play.TimeDigits = {0, 1, 2, 3};
    RecordingCanvas canvas;
    const auto thumb =
        PaintMainWindow(canvas, varimo, Skin(), TWindowBounds{0, 0, 300, 145}, 246, {6, 6});
    ASSERT_TRUE(thumb.has_value());
    EXPECT_DOUBLE_EQ(thumb->ScrollStep, 69.0 / 15);
    EXPECT_EQ(DestinationsOf(canvas, TSkinPiece::kScrollThumb, c.ScrollPressed).size(), 1u)
        << c.DragMode;
    EXPECT_EQ(DestinationsOf(canvas, TSkinPiece::kPositionThumb, c.ThumbPressed).size(), 1u)
        << c.DragMode;
    // The window's Remain puts the minus sign in the bottom panel.
    std::vector<TSkinRect> minus;
    for (const TCanvasCall& call : canvas.CallsOf(TCanvasCallKind::kCopy)) {
      if (call.Source == TCanvasBitmap::kGlyphs && call.From == GlyphCellRect(kGlyphMinus)) {
        minus.push_back(call.To);
      }
    }
    EXPECT_EQ(minus, (std::vector<TSkinRect>{{218, 130, 223, 136}})) << c.DragMode;
  }
}

TPaintWindow SmallWindow() {
  TPaintWindow window = NormalWindow();
  window.State = 2;
  window.Height = 14;
  return window;
}

TEST(PaintTest, SmallWindowShowsTheCurrentTrackInGlyphs) {
  TAlbumState album = Album(5, 4);
  album.Tracks[4].Artist = "A";
  album.Tracks[4].Title = "T";
  TListForm form = DefaultListForm();
  form.FormatHeader = 10;  // the number flag is off: the small window numbers anyway
  const Repaint repaint(SmallWindow(), album, TPaintPlay(), TOptionSettings(), form);
  EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kSmallLeft),
            (std::vector<TSkinRect>{{0, 0, 25, 14}}));
  EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kSmallFiller).size(), 8u);
  EXPECT_EQ(DestinationsOf(repaint.Canvas, TSkinPiece::kSmallRight),
            (std::vector<TSkinRect>{{225, 0, 275, 14}}));
  std::vector<TGlyphCell> line;
  std::vector<int> xs;
  for (const TCanvasCall& call : repaint.Canvas.CallsOf(TCanvasCallKind::kCopy)) {
    if (call.Source != TCanvasBitmap::kGlyphs || call.To.Left >= 45) continue;
    line.push_back({call.From.Top / 6, call.From.Left / 5});
    xs.push_back(call.To.Left);
  }
  // "5. A - T"
  const std::vector<TGlyphCell> expected = {
      GlyphDigit(5), {1, 11},    {0, 30}, GlyphLetter(0),
      {0, 30},       kGlyphMinus, {0, 30}, GlyphLetter('T' - 'A')};
  EXPECT_EQ(line, expected);
  EXPECT_EQ(xs, (std::vector<int>{5, 10, 15, 20, 25, 30, 35, 40}));
  EXPECT_TRUE(repaint.Canvas.Texts().empty());
}

TEST(PaintTest, SmallWindowDrawsMissingGlyphsWithTheFontInItsColour) {
  TAlbumState album = Album(1);
  album.Tracks[0].Title = "*";
  TOptionSettings options;
  options.FontPitch = 2;
  const Repaint repaint(SmallWindow(), album, TPaintPlay(), options);
  const std::vector<TCanvasCall> texts = repaint.Canvas.CallsOf(TCanvasCallKind::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, "*");
  EXPECT_EQ(texts[0].X, 20);  // after "1. "
  EXPECT_EQ(texts[0].Y, 3);
  EXPECT_EQ(texts[0].Color, kMbFG);
  EXPECT_EQ(texts[0].Font, SmallWindowFont("MS UI Gothic"));
}

TEST(PaintTest, SmallWindowTimeIsTheLengthOrTheRunningTime) {
  struct Case {
    const char* Name;
    bool PlayTime;
    int32_t HostState;
    std::vector<TGlyphCell> Cells;
  };
  const Case cases[] = {
      {"length",
       false,
       kHostPlaying,
       {kGlyphBlank, GlyphDigit(3), kGlyphColon, GlyphDigit(4), GlyphDigit(5)}},
      {"running time",
       true,
       kHostPlaying,
       {kGlyphBlank, GlyphDigit(1), kGlyphColon, GlyphDigit(2), GlyphDigit(7)}},
      {"running time while stopped shows the length",
       true,
       kHostStopped,
       {kGlyphBlank, GlyphDigit(3), kGlyphColon, GlyphDigit(4), GlyphDigit(5)}},
  };
  for (const Case& c : cases) {
    TOptionSettings options;
    options.PlayTime = c.PlayTime;
    TPaintPlay play = Playing();
    play.HostState = c.HostState;
    play.TimeDigits = {0, 1, 2, 7};
    const Repaint repaint(SmallWindow(), Album(1), play, options);
    std::vector<TGlyphCell> cells;
    for (const TCanvasCall& call : repaint.Canvas.CallsOf(TCanvasCallKind::kCopy)) {
      if (call.Source == TCanvasBitmap::kGlyphs && call.To.Left >= 275 - 54) {
        cells.push_back({call.From.Top / 6, call.From.Left / 5});
      }
    }
    EXPECT_EQ(cells, c.Cells) << c.Name;
  }
}

TEST(PaintTest, SmallWindowWithoutTracksShowsTheBareBar) {
  const Repaint repaint(SmallWindow(), Album(0));
  for (const TCanvasCall& call : repaint.Canvas.Calls()) {
    EXPECT_EQ(call.Kind, TCanvasCallKind::kCopy);
    EXPECT_EQ(call.Source, TCanvasBitmap::kSkin);
  }
  EXPECT_EQ(repaint.Canvas.Calls().size(), 10u);
}

}  // namespace
}  // namespace varimo
