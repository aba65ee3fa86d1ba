// Arbitrary bytes as a settings file's title format, applied to arbitrary tracks: the bytes
// up to the first two zero bytes are the file, the fields after them (zero-separated) are
// the prefix and the track's artist, title, album, track, year and file name.
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/memory_replacer.h"
#include "settings/settings.h"

using namespace varimo;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> Fields(std::string_view text, size_t count) {
  std::vector<std::string> fields(count);
  for (size_t i = 0; i < count && !text.empty(); ++i) {
    const size_t end = text.find('\0');
    fields[i] = std::string(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const size_t split = all.find(std::string_view("\0\0", 2));
  MemoryFiles files;
  MemoryReplacer replacer(files);
  const std::string_view ini = all.substr(0, split);
  files.Add("f.ini", std::vector<uint8_t>(ini.begin(), ini.end()));
  IniFile file(files, replacer, "f.ini");
  const TListForm form = ReadListForm(file);

  const std::vector<std::string> f =
      Fields(split == std::string_view::npos ? std::string_view() : all.substr(split + 2), 7);
  TTrackItem track;
  track.Artist = f[1];
  track.Title = f[2];
  track.Album = f[3];
  track.Track = f[4];
  track.Year = f[5];
  track.FileName = f[6];
  const std::string& prefix = f[0];

  // The line is the prefix and then pieces of the items, each no longer than its text or a
  // field.
  const size_t fields = track.Artist.size() + track.Title.size() + track.Album.size() +
                        track.Track.size() + track.Year.size() + track.FileName.size();
  size_t bound = prefix.size();
  for (const TFormatItem& item : form.Items) bound += item.Text.size() + fields;
  const std::string line = FormatTrackLine(form, prefix, track);
  Check(line.compare(0, prefix.size(), prefix) == 0 && line.size() <= bound);

  // Without an artist, artist items add nothing and groups with one show nothing.
  TTrackItem anonymous = track;
  anonymous.Artist.clear();
  Check(FormatTrackLine(form, prefix, anonymous).size() <= line.size());

  const std::string_view bare = BareFileName(track.FileName);
  Check(bare.data() >= track.FileName.data() &&
        bare.data() + bare.size() <= track.FileName.data() + track.FileName.size());

  TTrackList tracks = {track, track};
  ApplySingleArtistBlanking(tracks, form);
  Check(tracks[1].Artist == (HasOmitGroup(form) ? std::string() : track.Artist));
  return 0;
}
