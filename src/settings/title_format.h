#pragma once
// The title format: how a track's line reads in the window, as a list of fixed texts and track
// fields, with omit groups that vanish together when the track has no artist.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/captions.h"
#include "common/track_item.h"

namespace varimo {

// Item kinds: the code of a format item modulo 10.
enum FormatKind : int32_t {
  kFormatText = 0,
  kFormatArtist = 1,
  kFormatTitle = 2,
  kFormatAlbum = 3,
  kFormatTrack = 4,
  kFormatYear = 5,
  kFormatFileName = 6,
};
constexpr int32_t kFormatKindCount = 7;
// Added to a kind's code for an item inside an omit group.
constexpr int32_t kFormatGroupCode = 10;

// One item: code = 10 x (inside an omit group) + kind; the text counts for text items only.
struct TFormatItem {
  std::string Text;
  int32_t Code = 0;
};

struct TListForm {
  // 10 x (an omit group exists) + (track numbers are shown).
  int32_t FormatHeader = 0;
  std::vector<TFormatItem> Items;
};

inline bool ShowsTrackNumbers(const TListForm& form) {
  return form.FormatHeader % 10 == 1;
}
inline bool HasOmitGroup(const TListForm& form) {
  return form.FormatHeader > 9;
}

// The header of a format: the omit and number flags, from the items and the number setting.
int32_t MakeFormatHeader(const std::vector<TFormatItem>& items, bool showNumbers);

// The prefix followed by the track's line. Items are appended byte for byte; a run of group
// items shows as one piece that is empty when the track's artist is.
std::string FormatTrackLine(const TListForm& form, std::string_view prefix,
                            const TTrackItem& track);

// A member name as the file-name item shows it: no folders, no extension.
std::string_view BareFileName(std::string_view fileName);

// With an omit group in the format and one artist on every track, the artist says nothing
// about a row: every track's artist becomes empty.
void ApplySingleArtistBlanking(TTrackList& tracks, const TListForm& form);

// The ready-made formats the options dialog offers; the first is also the default format.
struct TPresetItem {
  int32_t Kind;
  const char* Text;
  bool InGroup;
};
struct TFormatPreset {
  TCaption Caption;  // its item in the format list's popup menu
  bool ShowNumbers;
  std::vector<TPresetItem> Items;
};
const std::array<TFormatPreset, 3>& FormatPresets();
TListForm ListFormFromPreset(const TFormatPreset& preset);
// The format used while the settings hold none.
TListForm DefaultListForm();

// The captions of the kinds in the options dialog, in kind order.
extern const std::array<TCaption, kFormatKindCount> kFormatKindCaptions;
// Their texts in the language in force, UTF-8, in kind order.
std::vector<std::string> FormatKindTexts();
// The group mark of a row of the dialog's format list.
constexpr std::string_view kFormatGroupMark = " *";

// One row of the dialog's format list: inside an omit group (the list marks it with
// kFormatGroupMark), its kind and the literal text of a text item.
struct TFormatRow {
  bool Grouped = false;
  int32_t Kind = kFormatText;
  std::string Text;
};
// The format the rows describe. A row of no known kind is left out; only text items keep
// their text.
TListForm BuildListForm(const std::vector<TFormatRow>& rows, bool showNumbers);

}  // namespace varimo
