#include "settings/title_format.h"

#include <algorithm>

#include "common/text.h"

namespace varimo {

const std::array<TCaption, kFormatKindCount> kFormatKindCaptions = {
    TCaption::kKindText,  TCaption::kKindArtist, TCaption::kKindTitle,    TCaption::kKindAlbum,
    TCaption::kKindTrack, TCaption::kKindYear,   TCaption::kKindFileName,
};

std::vector<std::string> FormatKindTexts() {
  std::vector<std::string> texts;
  for (TCaption caption : kFormatKindCaptions) texts.emplace_back(Caption(caption));
  return texts;
}

int32_t MakeFormatHeader(const std::vector<TFormatItem>& items, bool showNumbers) {
  bool grouped = std::any_of(items.begin(), items.end(),
                             [](const TFormatItem& item) { return item.Code >= kFormatGroupCode; });
  return (grouped ? kFormatGroupCode : 0) + (showNumbers ? 1 : 0);
}

std::string_view BareFileName(std::string_view fileName) {
  size_t folder = FindLastSeparator(fileName, "\\/");
  std::string_view name = folder == std::string_view::npos ? fileName : fileName.substr(folder + 1);
  // A colon or backslash after the last full stop means the stop is not an extension's.
  size_t last = FindLastSeparator(name, ".\\:");
  if (last != std::string_view::npos && name[last] == '.') name = name.substr(0, last);
  return name;
}

namespace {

void AppendPlainItem(std::string& line, const TFormatItem& item, const TTrackItem& track) {
  switch (item.Code) {
    case kFormatText: line += item.Text; break;
    case kFormatArtist: line += track.Artist; break;
    case kFormatTitle: line += track.Title; break;
    case kFormatAlbum: line += track.Album; break;
    case kFormatTrack: line += track.Track; break;
    case kFormatYear: line += track.Year; break;
    default:
      // Kinds up to 9 all show the file name; a negative code from a hand-edited file, nothing.
      if (item.Code >= kFormatFileName) line += BareFileName(track.FileName);
      break;
  }
}

}  // namespace

std::string FormatTrackLine(const TListForm& form, std::string_view prefix,
                            const TTrackItem& track) {
  std::string line(prefix);
  const std::vector<TFormatItem>& items = form.Items;
  size_t i = 0;
  while (i < items.size()) {
    if (items[i].Code < kFormatGroupCode) {
      AppendPlainItem(line, items[i], track);
      ++i;
      continue;
    }
    // Only the artist can be missing inside a group; every other item of it adds its text.
    const size_t groupStart = line.size();
    bool blank = false;
    for (; i < items.size() && items[i].Code >= kFormatGroupCode; ++i) {
      if (items[i].Code % 10 != kFormatArtist) {
        line += items[i].Text;
      } else if (track.Artist.empty()) {
        blank = true;
      } else {
        line += track.Artist;
      }
    }
    if (blank) line.resize(groupStart);
  }
  return line;
}

void ApplySingleArtistBlanking(TTrackList& tracks, const TListForm& form) {
  if (!HasOmitGroup(form)) return;
  for (size_t i = 1; i < tracks.size(); ++i) {
    if (tracks[i].Artist != tracks[i - 1].Artist) return;
  }
  for (TTrackItem& track : tracks) track.Artist.clear();
}

const std::array<TFormatPreset, 3>& FormatPresets() {
  static const std::array<TFormatPreset, 3> presets = {{
      {TCaption::kPresetArtistTitle,
       true,
       {{kFormatArtist, "", true}, {kFormatText, " - ", true}, {kFormatTitle, "", false}}},
      {TCaption::kPresetTitleArtist,
       true,
       {{kFormatTitle, "", false},
        {kFormatText, " (", true},
        {kFormatArtist, "", true},
        {kFormatText, ")", true}}},
      {TCaption::kPresetTrackArtistTitle,
       false,
       {{kFormatTrack, "", false},
        {kFormatText, ". ", false},
        {kFormatArtist, "", true},
        {kFormatText, " - ", true},
        {kFormatTitle, "", false}}},
  }};
  return presets;
}

TListForm ListFormFromPreset(const TFormatPreset& preset) {
  TListForm form;
  for (const TPresetItem& item : preset.Items) {
    form.Items.push_back({item.Text, (item.InGroup ? kFormatGroupCode : 0) + item.Kind});
  }
  form.FormatHeader = MakeFormatHeader(form.Items, preset.ShowNumbers);
  return form;
}

TListForm DefaultListForm() {
  return ListFormFromPreset(FormatPresets()[0]);
}

TListForm BuildListForm(const std::vector<TFormatRow>& rows, bool showNumbers) {
  TListForm form;
  for (const TFormatRow& row : rows) {
    if (row.Kind < 0 || row.Kind >= kFormatKindCount) continue;
    const int32_t group = row.Grouped ? kFormatGroupCode : 0;
    form.Items.push_back({row.Kind == kFormatText ? row.Text : std::string(), group + row.Kind});
  }
  form.FormatHeader = MakeFormatHeader(form.Items, showNumbers);
  return form;
}

}  // namespace varimo
