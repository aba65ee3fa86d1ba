#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dialogs/file_info_layout.h"
#include "dialogs/options_layout.h"
#include "fakes/engine_rig.h"

namespace varimo {
namespace {

bool Inside(const TControlRect& inner, const TControlRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top &&
         inner.Left + inner.Width <= outer.Left + outer.Width &&
         inner.Top + inner.Height <= outer.Top + outer.Height;
}

bool Overlap(const TControlRect& a, const TControlRect& b) {
  return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
         b.Top < a.Top + a.Height;
}

// The control's own rectangle, its up-down included.
TControlRect Extent(const TControlSpec& c) {
  return {c.Left, c.Top, c.Width + (c.Kind == TControlKind::kUpDownEdit ? kUpDownWidth : 0),
          c.Height};
}

template <size_t N>
void ExpectEveryControlInsideItsParent(const TControlSpec (&table)[N], int32_t width,
                                       int32_t height) {
  std::set<int32_t> ids;
  for (const TControlSpec& c : table) {
    EXPECT_NE(c.Id, 0);
    EXPECT_TRUE(ids.insert(c.Id).second) << "id " << c.Id << " twice";
    TControlRect outer{0, 0, width, height};
    for (const TControlSpec& p : table) {
      if (p.Id == c.Parent) outer = {0, 0, p.Width, p.Height};
    }
    // Labels sized to their text are checked on the screen.
    if (c.Width == 0) continue;
    EXPECT_TRUE(Inside(Extent(c), outer)) << "control " << c.Id << " leaves its parent";
  }
}

TEST(DialogLayout, EveryControlOfBothDialogsLiesInsideItsParent) {
  ExpectEveryControlInsideItsParent(kFileInfoControls, kFileInfoClientWidth, kFileInfoClientHeight);
  ExpectEveryControlInsideItsParent(kOptionsControls, kOptionsClientWidth, kOptionsClientHeight);
}

TEST(DialogLayout, OptionsControlsOfAPageNeitherOverlapNorCrossAGroupButTheirHeadings) {
  for (const TControlSpec& a : kOptionsControls) {
    for (const TControlSpec& b : kOptionsControls) {
      if (&a >= &b || a.Parent != b.Parent || a.Parent == 0) continue;
      const TControlRect ra = Extent(a), rb = Extent(b);
      if (!Overlap(ra, rb)) continue;
      const TControlSpec& group = a.Kind == TControlKind::kGroupBox ? a : b;
      const TControlSpec& other = &group == &a ? b : a;
      ASSERT_EQ(group.Kind, TControlKind::kGroupBox) << a.Id << " overlaps " << b.Id;
      const TControlRect rg = Extent(group), ro = Extent(other);
      if (other.Kind == TControlKind::kHeadingCheckBox) {
        EXPECT_TRUE(ro.Top <= rg.Top && ro.Top + ro.Height > rg.Top) << other.Id;
      } else {
        EXPECT_TRUE(Inside(ro, rg)) << other.Id << " crosses group " << group.Id;
      }
    }
  }
}

TEST(DialogLayout, TheTabsFillTheTopAndThePagesAreTheirsInOrder) {
  std::vector<TCaption> pages;
  for (const TControlSpec& c : kOptionsControls) {
    if (c.Kind == TControlKind::kPage) pages.push_back(c.Caption);
    if (c.Kind == TControlKind::kTabs) {
      EXPECT_EQ(std::make_tuple(c.Left, c.Top, c.Width, c.Height),
                std::make_tuple(0, 0, kOptionsClientWidth, kOptionsTabsHeight));
    }
  }
  EXPECT_EQ(pages, std::vector<TCaption>(std::begin(kOptionsPageCaptions),
                                         std::end(kOptionsPageCaptions)));
  EXPECT_EQ(OptionsPage(kRichEditForm), kPageForm);
  EXPECT_EQ(OptionsPage(kEditBreak), kPageGeneral);
  EXPECT_EQ(OptionsPage(kOptionsOk), 0);
}

TEST(FileInfoDialog, ShowsTheTagsOfItsGroupsAndTheMpegLinesAsOneText) {
  TFileInfoData info;
  info.FileName = "CD\\01.mp3";
  info.ID3v2Enabled = true;
  info.ID3v2.Title = "T2";
  info.ID3v2.Encoder = "LAME";
  info.ID3v1.Title = "not shown";
  info.MpegLines = {"Size: 1 bytes", "MPEG 1.0 layer 3"};
  std::map<int32_t, std::string> texts;
  for (const auto& [id, text] : FileInfoTexts(info)) texts[id] = text;
  EXPECT_EQ(texts.size(), 15u);
  EXPECT_EQ(texts[kEditFileName], "CD\\01.mp3");
  EXPECT_EQ(texts[kID3v2Title], "T2");
  EXPECT_EQ(texts[kID3v2Encoder], "LAME");
  EXPECT_EQ(texts.count(kID3v1Title), 0u);
  EXPECT_EQ(texts[kMemoMPEGInfo], "Size: 1 bytes\r\nMPEG 1.0 layer 3");
  EXPECT_EQ(FileInfoGroup(kID3v2Comment), kGroupBoxID3v2);
  EXPECT_EQ(FileInfoGroup(kID3v1Genre), kGroupBoxID3v1);
}

TEST(FileInfoDialog, ReadsTheSelectedTrackFromCopiesWhileTheMonitorRebuildsTheList) {
  EngineRig rig;
  rig.AddZipAlbum("C:\\album.zip", {3000, 4000});
  rig.Host.Place(0, 100, kHostPlaying);
  rig.StartUp();
  rig.Tick();
  rig.Win().SelectedIndex = 1;
  rig.Window.OnPump = [&rig] {
    rig.Album().Tracks.clear();
    rig.Album().AlbumFile.clear();
  };
  // Each frame reads the clock once, 4 ms on: the messages run every third frame.
  rig.Clock.Step = 4;
  const TFileInfoData info = ReadSelectedFileInfo(rig.Varimo, rig.Ports);
  EXPECT_GT(rig.Window.Pumps, 40);
  EXPECT_LT(rig.Window.Pumps, 60);
  EXPECT_EQ(info.KindCaption, "ZIP");
  EXPECT_EQ(info.FileName, "2.mp3");
  ASSERT_EQ(info.MpegLines.size(), 10u);
  EXPECT_EQ(info.MpegLines[3], "MPEG 1.0 layer 3");

  rig.Win().SelectedIndex = -1;
  const TFileInfoData none = ReadSelectedFileInfo(rig.Varimo, rig.Ports);
  EXPECT_EQ(none.FileName, "");
  EXPECT_TRUE(none.MpegLines.empty());
}

}  // namespace
}  // namespace varimo
