#include "album_export.h"

#include <cstdio>
#include <set>

#include "codepage.h"
#include "common/text.h"
#include "sources/extraction.h"

namespace varimo {
namespace {

// The name as Windows compares it: single-byte letters without case (the second byte of a
// double-byte character is no letter), trailing dots and blanks dropped as the file system
// drops them.
std::string WindowsFoldedName(const std::string& name) {
  std::string folded = name;
  for (size_t i = 0; i < folded.size(); ++i) {
    uint8_t b = static_cast<uint8_t>(folded[i]);
    if (IsShiftJisLeadByte(b) && i + 1 < folded.size()) {
      ++i;
    } else if (b >= 'a' && b <= 'z') {
      folded[i] = static_cast<char>(b - 'a' + 'A');
    }
  }
  while (!folded.empty() && (folded.back() == '.' || folded.back() == ' ')) folded.pop_back();
  return folded;
}

// A cue sheet has no escapes: a double quote would end the text early and a line break would
// end the line. Neither byte is ever the second byte of a Shift-JIS character.
std::string CueText(const std::string& bytes, bool utf8) {
  std::string text = bytes;
  for (char& c : text) {
    if (c == '"') c = '\'';
    if (static_cast<uint8_t>(c) < 0x20) c = ' ';
  }
  return utf8 ? ShiftJisToUtf8(text) : text;
}

// The one value every track shares, or empty when they differ.
std::string Shared(const TTrackList& tracks, std::string TTrackItem::*field) {
  if (tracks.empty()) return std::string();
  for (const TTrackItem& track : tracks) {
    if (track.*field != tracks.front().*field) return std::string();
  }
  return tracks.front().*field;
}

class CueWriter {
 public:
  explicit CueWriter(bool utf8) : utf8_(utf8) {}

  void Quoted(const char* indent, const char* keyword, const std::string& value,
              const char* after = "") {
    text_ += std::string(indent) + keyword + " \"" + CueText(value, utf8_) + "\"" + after + "\r\n";
  }
  void Track(int number, const TTrackItem& track, int32_t startMS) {
    char line[32];
    std::snprintf(line, sizeof line, "  TRACK %02d AUDIO\r\n", number);
    text_ += line;
    if (!track.Title.empty()) Quoted("    ", "TITLE", track.Title);
    if (!track.Artist.empty()) Quoted("    ", "PERFORMER", track.Artist);
    text_ += "    INDEX 01 " + CueTime(startMS) + "\r\n";
  }
  const std::string& Text() const { return text_; }

 private:
  bool utf8_;
  std::string text_;
};

}  // namespace

std::vector<TMemberFile> PlanMemberFiles(const TTrackList& tracks) {
  std::vector<TMemberFile> files;
  std::set<std::string> taken;
  for (const TTrackItem& track : tracks) {
    TMemberFile file;
    file.Name = ExtractOutputName(track.FileName);
    if (!IsPlainFileName(file.Name)) {
      file.Refusal = "its name is no plain file name";
    } else if (track.StartPos < 0 || track.EndPos <= track.StartPos) {
      file.Refusal = "it has no byte range in the album file";
    } else if (!taken.insert(WindowsFoldedName(file.Name)).second) {
      file.Refusal = "an earlier track has the same file name";
    }
    files.push_back(file);
  }
  return files;
}

std::string CueTime(int32_t ms) {
  if (ms < 0) ms = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", ms / 60000, ms / 1000 % 60,
                ms % 1000 * 75 / 1000);
  return text;
}

std::string CueSheet(const TTrackList& tracks, int32_t albumKind, const std::string& audioFile,
                     const std::vector<TMemberFile>& files, bool utf8) {
  CueWriter cue(utf8);
  std::string performer = Shared(tracks, &TTrackItem::Artist);
  std::string album = Shared(tracks, &TTrackItem::Album);
  if (!performer.empty()) cue.Quoted("", "PERFORMER", performer);
  if (!album.empty()) cue.Quoted("", "TITLE", album);
  int number = 0;
  if (albumKind == kAlbumCue) {
    cue.Quoted("", "FILE", audioFile, " MP3");
    for (const TTrackItem& track : tracks) cue.Track(++number, track, track.StartMS);
    return cue.Text();
  }
  for (size_t i = 0; i < tracks.size() && i < files.size(); ++i) {
    if (!files[i].Refusal.empty()) continue;
    cue.Quoted("", "FILE", files[i].Name, " MP3");
    cue.Track(++number, tracks[i], 0);
  }
  return cue.Text();
}

}  // namespace varimo
