#include "dialogs/list_editors.h"

#include <gtest/gtest.h>

namespace varimo {
namespace {

const std::string kText = u8"ﾃｷｽﾄ";
const std::string kArtist = u8"ｱｰﾃｨｽﾄ";
const std::string kTitle = u8"ﾀｲﾄﾙ";
const std::string kMark = " *";

TEST(ListEditors, APressFindsItsColumnByAddingUpTheWidths) {
  struct Case {
    const TColumnWidths* widths;
    int32_t x;
    std::optional<int32_t> column;
  };
  // clang-format off
  const Case cases[] = {
      {&kHotKeyColumnWidths, -1, std::nullopt}, {&kHotKeyColumnWidths, 0, 0},
      {&kHotKeyColumnWidths, 107, 0},           {&kHotKeyColumnWidths, 108, 1},
      {&kHotKeyColumnWidths, 207, 1},           {&kHotKeyColumnWidths, 208, 2},
      {&kHotKeyColumnWidths, 264, 2},           {&kHotKeyColumnWidths, 265, std::nullopt},
      {&kFormatColumnWidths, 24, 0},            {&kFormatColumnWidths, 25, 1},
      {&kFormatColumnWidths, 95, 2},            {&kFormatColumnWidths, 165, std::nullopt},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(ColumnAt(*c.widths, c.x), c.column) << c.x;

  const TEditorPlace key = EditorPlace(kHotKeyColumnWidths, 2, 1);
  EXPECT_EQ(std::make_tuple(key.Left, key.Top, key.Width), std::make_tuple(208, 1, 58));
  const TEditorPlace kind = EditorPlace(kFormatColumnWidths, 1, 0);
  EXPECT_EQ(std::make_tuple(kind.Left, kind.Top, kind.Width), std::make_tuple(25, 1, 70));
}

TEST(ListEditors, EnterCommitsAndEscCancelsUnlessShiftAltOrTheDropDownHoldThem) {
  EXPECT_EQ(EditorKeyAction(13, false, false), TEditorKey::kCommit);
  EXPECT_EQ(EditorKeyAction(27, false, false), TEditorKey::kCancel);
  EXPECT_EQ(EditorKeyAction(13, true, false), TEditorKey::kNone);
  EXPECT_EQ(EditorKeyAction(27, false, true), TEditorKey::kNone);
  EXPECT_EQ(EditorKeyAction(65, false, false), TEditorKey::kNone);
}

// The open editor takes the entry of the column's list with this caption, as a user picks it.
TListChange Choose(TEditedList& list, int32_t column, const std::string& caption) {
  return list.CommitChoice(EntryIndex(*list.Choices(column), caption));
}

THotKeyList TwoHotKeys() {
  return THotKeyList::FromEntries({{111, 3, 80}, {99, 1, 65}});
}

TEST(HotKeyList, OnlyAPressNearTheTopOfTheArmedSelectedRowOpensAnEditor) {
  THotKeyList list = TwoHotKeys();
  list.Selected = 1;
  list.Press(150, 5);
  EXPECT_FALSE(list.Editor) << "not armed";
  list.DblClick();
  EXPECT_EQ(list.Armed, 1);
  list.Press(150, 16);
  EXPECT_FALSE(list.Editor) << "below the row's 16 pixels";
  list.Press(265, 5);
  EXPECT_FALSE(list.Editor) << "right of the last column";
  list.Selected = 0;
  list.Press(150, 5);
  EXPECT_FALSE(list.Editor) << "another row than the armed one";
  list.Selected = 1;
  list.Press(150, 15);
  ASSERT_TRUE(list.Editor);
  EXPECT_EQ(list.Editor->Row, 1);
  EXPECT_EQ(list.Editor->Column, 1);
  EXPECT_EQ(list.Shown()[1][1], "Alt");
  EXPECT_EQ(list.EditedChoice(), 0);
}

TEST(HotKeyList, CommittingTheSameTextChangesNothingAndEveryCloseForgetsTheArmedRow) {
  THotKeyList list = TwoHotKeys();
  list.Selected = 0;
  list.DblClick();
  list.Press(10, 3);
  EXPECT_EQ(Choose(list, 0, u8"*再生"), TListChange::kNone);
  EXPECT_FALSE(list.Editor);
  EXPECT_EQ(list.Armed, -1);
  EXPECT_EQ(Choose(list, 0, u8"*停止"), TListChange::kNone) << "no editor is open";

  list.DblClick();
  list.Press(220, 3);
  list.Cancel();
  EXPECT_EQ(list.Shown()[0][2], "P");
  EXPECT_EQ(list.Armed, -1);

  list.DblClick();
  list.Press(220, 3);
  EXPECT_EQ(Choose(list, 2, "Q"), TListChange::kHotKeys);
  EXPECT_EQ(list.Shown()[0][2], "Q");
  EXPECT_EQ(list.Entries()[0].Key, 81);
}

TEST(HotKeyList, RowsStandForEntriesAndAnEntryTheListsLackKeepsItsNumber) {
  THotKeyList list = THotKeyList::FromEntries({{111, 3, 80, 5}, {300, 8, 96}});
  const std::vector<TListRow> expected = {{u8"*再生", "Ctrl+Alt", "P"}, {"#300", "#8", "#96"}};
  EXPECT_EQ(list.Shown(), expected);
  const std::vector<THotKeyEntry> entries = list.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(std::make_tuple(entries[0].Id, entries[0].Cmd, entries[0].Mod, entries[0].Key),
            std::make_tuple(-1, 111, 3, 80));
  EXPECT_EQ(std::make_tuple(entries[1].Cmd, entries[1].Mod, entries[1].Key),
            std::make_tuple(300, 8, 96));
}

TEST(HotKeyList, AddOpensTheCommandEditorOnANewRowThatIsKeptOnlyWhenComplete) {
  THotKeyList list = TwoHotKeys();
  list.Add();
  EXPECT_EQ(list.EditorRowTop(), 34);
  const TListRow added = {u8" ｱｸﾃｨﾌﾞ化", "", ""};
  EXPECT_EQ(list.Shown().back(), added);
  EXPECT_EQ(list.Selected, 2);
  EXPECT_EQ(list.Armed, 2);
  ASSERT_TRUE(list.Editor);
  EXPECT_EQ(list.Editor->Row, 2);
  EXPECT_EQ(list.Editor->Column, 0);
  EXPECT_EQ(Choose(list, 0, u8"*再生"), TListChange::kHotKeys);
  EXPECT_EQ(list.Entries().size(), 2u) << "no modifier and no key yet";

  list.Selected = -1;
  list.DblClick();
  EXPECT_EQ(list.Rows.size(), 4u) << "a double click on no row adds one";
  list.Delete();
  list.Delete();
  EXPECT_EQ(list.Rows.size(), 3u) << "a delete without selection does nothing";
  list.Clear();
  EXPECT_TRUE(list.Rows.empty());
}

TEST(HotKeyList, EveryEntryOfEveryColumnIsAValueThatShowsAndReopensAsThatEntry) {
  for (int32_t column = 0; column < 3; ++column) {
    const std::vector<std::string>& entries = THotKeyList::EditorEntries(column);
    for (size_t entry = 0; entry < entries.size(); ++entry) {
      THotKeyList list = THotKeyList::FromEntries({{-1, 111, 3, 80}});
      list.Editor = TOpenEditor{0, column};
      list.CommitChoice(static_cast<int32_t>(entry));
      EXPECT_EQ(list.Shown()[0][static_cast<size_t>(column)], entries[entry]);
      list.Editor = TOpenEditor{0, column};
      EXPECT_EQ(list.EditedChoice(), static_cast<int32_t>(entry)) << column << " " << entry;
      EXPECT_EQ(THotKeyList::FromEntries(list.Entries()).Shown(), list.Shown())
          << "a complete row survives Apply";
    }
  }
}

TFormatList Rows(std::vector<TFormatRow> rows) {
  TFormatList list;
  list.Rows = std::move(rows);
  return list;
}

// Presses the mark column of a row, armed first.
TListChange PressMark(TFormatList& list, int32_t row) {
  list.Selected = row;
  list.DblClick();
  return list.Press(10, 4);
}

std::vector<std::string> Marks(const TFormatList& list) {
  std::vector<std::string> marks;
  for (const TListRow& row : list.Shown()) marks.push_back(row[0]);
  return marks;
}

TEST(FormatList, AGroupStartsAtAnArtistAndGrowsThroughTheTextRowsBesideIt) {
  TFormatList list = Rows({{false, kFormatText, "["},
                           {false, kFormatArtist, ""},
                           {false, kFormatText, "]"},
                           {false, kFormatTitle, ""},
                           {false, kFormatText, "!"}});
  EXPECT_EQ(PressMark(list, 0), TListChange::kNone) << "no marked neighbour";
  EXPECT_EQ(PressMark(list, 3), TListChange::kNone) << "a title never joins";
  EXPECT_EQ(PressMark(list, 1), TListChange::kFormat);
  EXPECT_EQ(list.Armed, -1);
  EXPECT_EQ(PressMark(list, 2), TListChange::kFormat);
  EXPECT_EQ(PressMark(list, 0), TListChange::kFormat);
  EXPECT_EQ(Marks(list), (std::vector<std::string>{kMark, kMark, kMark, "", ""}));
  EXPECT_EQ(PressMark(list, 4), TListChange::kNone) << "its neighbour is a title";
  EXPECT_EQ(PressMark(list, 2), TListChange::kFormat) << "a marked text row toggles off";
  EXPECT_EQ(Marks(list), (std::vector<std::string>{kMark, kMark, "", "", ""}));
  EXPECT_EQ(PressMark(list, 1), TListChange::kFormat);
  EXPECT_EQ(Marks(list), (std::vector<std::string>(5, ""))) << "the artist clears them all";
}

TEST(FormatList, TheKindAndTextColumnsOpenTheirEditorsAndAKindChangeUndoesGroups) {
  TFormatList list =
      Rows({{true, kFormatArtist, ""}, {true, kFormatText, " - "}, {false, kFormatTitle, ""}});
  list.Selected = 2;
  list.DblClick();
  list.Press(100, 4);
  EXPECT_FALSE(list.Editor) << "only a text row has a text to edit";
  list.Selected = 1;
  list.DblClick();
  list.Press(100, 4);
  ASSERT_TRUE(list.Editor);
  EXPECT_EQ(list.Editor->Column, 2);
  EXPECT_EQ(list.CommitText(" / "), TListChange::kFormat);
  EXPECT_EQ(Marks(list), (std::vector<std::string>{kMark, kMark, ""}))
      << "a text edit keeps groups";

  list.DblClick();
  list.Press(30, 4);
  ASSERT_TRUE(list.Editor);
  EXPECT_EQ(list.Editor->Column, 1);
  EXPECT_EQ(Choose(list, 1, kText), TListChange::kNone);
  list.DblClick();
  list.Press(30, 4);
  EXPECT_EQ(Choose(list, 1, kTitle), TListChange::kFormat);
  const std::vector<TListRow> expected = {{"", kArtist, ""}, {"", kTitle, ""}, {"", kTitle, ""}};
  EXPECT_EQ(list.Shown(), expected);
}

TEST(FormatList, ADraggedRowLandsInFrontOfARowAboveAndBehindARowBelow) {
  struct Case {
    int32_t selected, target;
    std::vector<std::string> order;
    int32_t selectedAfter;
  };
  // clang-format off
  const Case cases[] = {
      {2, 0, {"c", "a", "b", "d"}, 0},
      {0, 2, {"b", "c", "a", "d"}, 2},
      {1, 3, {"a", "c", "d", "b"}, 3},
      {3, 2, {"a", "b", "d", "c"}, 2},
  };
  // clang-format on
  for (const Case& c : cases) {
    TFormatList list = Rows({{true, kFormatText, "a"},
                             {true, kFormatText, "b"},
                             {false, kFormatText, "c"},
                             {false, kFormatText, "d"}});
    list.Selected = c.selected;
    EXPECT_EQ(list.Move(c.target), TListChange::kFormat);
    std::vector<std::string> order;
    for (const TListRow& row : list.Shown()) order.push_back(row[2]);
    EXPECT_EQ(order, c.order) << c.selected << " onto " << c.target;
    EXPECT_EQ(list.Selected, c.selectedAfter);
    EXPECT_EQ(Marks(list), (std::vector<std::string>(4, "")));
  }
  TFormatList list = Rows({{true, kFormatArtist, ""}, {false, kFormatTitle, ""}});
  list.Selected = 0;
  EXPECT_EQ(list.Move(0), TListChange::kNone) << "onto itself";
  EXPECT_EQ(list.Move(2), TListChange::kNone) << "outside any row";
  EXPECT_EQ(list.Shown()[0][0], kMark);
}

std::string SampleText(const TFormatList& list) {
  std::string text;
  for (const TFormatList::TSamplePiece& piece : list.Sample()) text += piece.Text;
  return text;
}

TEST(FormatList, EachPresetsCaptionIsTheSampleItsRowsProduce) {
  for (size_t tag = 0; tag < FormatPresets().size(); ++tag) {
    TFormatList list = Rows({{false, kFormatTitle, ""}});
    EXPECT_EQ(list.Preset(tag), TListChange::kFormat);
    EXPECT_EQ(SampleText(list), Caption(FormatPresets()[tag].Caption));
    EXPECT_EQ(list.Rows.size(), tag + 3);
    EXPECT_EQ(list.Numbered, tag < 2);
    const TListForm built = list.ToListForm();
    const TListForm preset = ListFormFromPreset(FormatPresets()[tag]);
    EXPECT_EQ(built.FormatHeader, preset.FormatHeader);
    ASSERT_EQ(built.Items.size(), preset.Items.size());
    for (size_t i = 0; i < built.Items.size(); ++i) {
      EXPECT_EQ(built.Items[i].Code, preset.Items[i].Code);
      EXPECT_EQ(built.Items[i].Text, preset.Items[i].Text);
    }
  }
  EXPECT_EQ(SampleText(Rows({})), "");
}

TEST(FormatList, TheSampleColoursTheNumberGroupsFieldsAndTexts) {
  TFormatList list = TFormatList::FromListForm(DefaultListForm());
  list.Rows.push_back({false, kFormatText, "!"});
  const std::vector<TFormatList::TSamplePiece> pieces = list.Sample();
  // clang-format off
  const std::vector<std::tuple<std::string, bool, uint32_t>> expected = {
      {u8"№ ", false, 0x00FFFF00},
      {kArtist, false, 0x00FF00FF},
      {" - ",   true,  0x00FF00FF},
      {kTitle,  false, 0x0000FFFF},
      {"!",     true,  0x00FFFFFF},
  };
  // clang-format on
  ASSERT_EQ(pieces.size(), expected.size());
  for (size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_EQ(std::make_tuple(pieces[i].Text, pieces[i].Ansi, pieces[i].Color), expected[i]) << i;
  }
}

TEST(FormatList, RowsShowTheStoredFormatAndTurnBackIntoIt) {
  TListForm form;
  form.FormatHeader = 21;
  form.Items = {{"", 11}, {" - ", 10}, {"x", 2}, {"", 7}, {"", 6}};
  TFormatList list = TFormatList::FromListForm(form);
  const std::vector<TListRow> expected = {{kMark, kArtist, ""},
                                          {kMark, kText, " - "},
                                          {"", kTitle, ""},
                                          {"", u8"ﾌｧｲﾙ名", ""},
                                          {"", u8"ﾌｧｲﾙ名", ""}};
  EXPECT_EQ(list.Shown(), expected);
  EXPECT_TRUE(list.Numbered);
  const TListForm back = list.ToListForm();
  EXPECT_EQ(back.FormatHeader, 11);
  std::vector<int32_t> codes;
  for (const TFormatItem& item : back.Items) codes.push_back(item.Code);
  EXPECT_EQ(codes, (std::vector<int32_t>{11, 10, 2, 6, 6}));
  EXPECT_EQ(back.Items[2].Text, "") << "only text items keep a text";
}

// The lists show their rows in the language in force and turn into the same settings in
// either, and the English presets' samples are their captions.
TEST(ListEditorsInEnglish, RowsShowInTheLanguageInForceAndKeepTheirSettings) {
  TListForm form;
  form.FormatHeader = 21;
  form.Items = {{"", 11}, {" - ", 10}, {"", 2}};
  SetCaptionLanguage(TLanguage::kEnglish);
  THotKeyList english = THotKeyList::FromEntries({{111, 3, 80, 5}, {16, 1, 37}});
  const std::vector<TListRow> expected = {{"*Play", "Ctrl+Alt", "P"},
                                          {" Next track", "Alt", u8"←"}};
  EXPECT_EQ(english.Shown(), expected);
  const std::vector<THotKeyEntry> entries = english.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(std::make_tuple(entries[0].Cmd, entries[0].Mod, entries[0].Key),
            std::make_tuple(111, 3, 80));
  EXPECT_EQ(std::make_tuple(entries[1].Cmd, entries[1].Mod, entries[1].Key),
            std::make_tuple(16, 1, 37));
  const TFormatList englishFormat = TFormatList::FromListForm(form);
  EXPECT_EQ(
      englishFormat.Shown(),
      (std::vector<TListRow>{{kMark, "Artist", ""}, {kMark, "Text", " - "}, {"", "Title", ""}}));
  std::vector<int32_t> codes;
  for (const TFormatItem& item : englishFormat.ToListForm().Items) codes.push_back(item.Code);
  EXPECT_EQ(codes, (std::vector<int32_t>{11, 10, 2}));
  for (size_t tag = 0; tag < FormatPresets().size(); ++tag) {
    TFormatList list;
    list.Preset(tag);
    EXPECT_EQ(SampleText(list), Caption(FormatPresets()[tag].Caption, TLanguage::kEnglish));
  }
  SetCaptionLanguage(TLanguage::kJapanese);
  EXPECT_EQ(english.Shown(0), (TListRow{u8"*再生", "Ctrl+Alt", "P"})) << "the same row, shown anew";
}

// No text of one language names another entry in the other: a cell reads the same in both.
TEST(ListEditorsInEnglish, NoEntryOfOneLanguageNamesAnotherEntryOfTheOther) {
  for (int32_t column = 0; column < 3; ++column) {
    const auto& japanese = THotKeyList::EditorEntries(column, TLanguage::kJapanese);
    const auto& english = THotKeyList::EditorEntries(column, TLanguage::kEnglish);
    ASSERT_EQ(japanese.size(), english.size());
    for (size_t i = 0; i < english.size(); ++i) {
      const int32_t inJapanese = EntryIndex(japanese, english[i]);
      EXPECT_TRUE(inJapanese < 0 || inJapanese == static_cast<int32_t>(i)) << english[i];
    }
  }
  for (size_t kind = 0; kind < kFormatKindCaptions.size(); ++kind) {
    for (size_t other = 0; other < kFormatKindCaptions.size(); ++other) {
      if (other == kind) continue;
      EXPECT_FALSE(IsCaptionText(kFormatKindCaptions[other],
                                 Caption(kFormatKindCaptions[kind], TLanguage::kEnglish)));
    }
  }
}

}  // namespace
}  // namespace varimo
