// The commands that show an album: its track list and one track's tags and frames.
#include <cstdio>
#include <string>

#include "commands.h"
#include "json_writer.h"
#include "settings/title_format.h"
#include "sources/file_info.h"

namespace varimo {
namespace {

const char kListHelp[] =
    "usage: varimo list [--json] FILE\n"
    "Lists the album's tracks: number, length, the line the window shows, byte range.\n"
    "--json prints one object: file, opened, albumKind, kind and the tracks with every field.\n"
    "Examples:\n"
    "  varimo list album.zip\n"
    "  varimo list --json album.lzh > tracks.json\n"
    "Exit status 1 when the file cannot be read; a file that is no album is listed as such\n"
    "with exit status 0.\n";

const char kInfoHelp[] =
    "usage: varimo info [--json] FILE INDEX\n"
    "Shows the ID3v1 block, the ID3v2 tag and the MPEG analysis of track INDEX (from 0) of a\n"
    "Pack, ZIP or LHA album, as the file information window shows them.\n"
    "Examples:\n"
    "  varimo info album.pack.mp3 0\n"
    "  varimo info --json album.zip 3\n"
    "Exit status 1 when the file cannot be read or has no track INDEX.\n";

std::string MinutesSeconds(int32_t lengthMS) {
  int32_t seconds = lengthMS / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
  return text;
}

}  // namespace

int List(const Args& args) {
  if (args.help) return std::fputs(kListHelp, stdout), kExitOk;
  if (int wrong = CheckOptions(args, {"--json"})) return wrong;
  if (args.positional.size() != 1) return UsageError("list", "list takes one FILE");
  const std::string& path = args.positional[0];
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  LoadedAlbum loaded = Load(*files, path);
  if (!loaded.opened) return Fail("cannot open " + path);
  const TAlbumState& album = loaded.album;

  if (args.Has("--json")) {
    JsonWriter json;
    json.BeginObject();
    json.Key("file").String(Utf8(path));
    json.Key("opened").Bool(true);
    json.Key("albumKind").Int(album.AlbumKind);
    json.Key("kind").String(AlbumKindName(album.AlbumKind));
    json.Key("tracks").BeginArray();
    for (size_t i = 0; i < album.Tracks.size(); ++i) {
      const TTrackItem& t = album.Tracks[i];
      json.BeginObject();
      json.Key("index").Int(static_cast<int64_t>(i));
      json.Key("fileName").String(Utf8(t.FileName));
      json.Key("artist").String(Utf8(t.Artist));
      json.Key("title").String(Utf8(t.Title));
      json.Key("album").String(Utf8(t.Album));
      json.Key("track").String(Utf8(t.Track));
      json.Key("year").String(Utf8(t.Year));
      json.Key("time").String(Utf8(t.Time));
      json.Key("startMs").Int(t.StartMS);
      json.Key("lengthMs").Int(t.LengthMS);
      json.Key("startPos").Int(t.StartPos);
      json.Key("endPos").Int(t.EndPos);
      json.Key("mark").Int(t.Mark);
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    std::printf("%s\n", json.Text().c_str());
    return kExitOk;
  }

  if (album.AlbumKind == kAlbumNone) {
    std::printf("%s: no album (no cue sheet, Pack, ZIP or LHA found)\n", Utf8(path).c_str());
    return kExitOk;
  }
  std::printf("%s album, %zu tracks: %s\n", AlbumKindName(album.AlbumKind), album.Tracks.size(),
              Utf8(path).c_str());
  bool cue = album.AlbumKind == kAlbumCue;
  for (size_t i = 0; i < album.Tracks.size(); ++i) {
    const TTrackItem& t = album.Tracks[i];
    std::string line = Utf8(FormatTrackLine(loaded.listForm, "", t));
    std::printf("%3zu %7s  %s", i + 1, MinutesSeconds(t.LengthMS).c_str(), line.c_str());
    if (!cue) std::printf("  [%d..%d)", t.StartPos, t.EndPos);
    std::printf("\n");
  }
  return kExitOk;
}

namespace {

void WriteV1(JsonWriter& json, const TID3v1Info& v1) {
  json.BeginObject();
  json.Key("title").String(Utf8(v1.Title));
  json.Key("artist").String(Utf8(v1.Artist));
  json.Key("album").String(Utf8(v1.Album));
  json.Key("year").String(Utf8(v1.Year));
  json.Key("comment").String(Utf8(v1.Comment));
  json.Key("track").String(Utf8(v1.Track));
  json.Key("genre").String(Utf8(v1.Genre));
  json.EndObject();
}

void WriteV2(JsonWriter& json, const TID3v2Info& v2) {
  json.BeginObject();
  json.Key("title").String(Utf8(v2.Title));
  json.Key("artist").String(Utf8(v2.Artist));
  json.Key("album").String(Utf8(v2.Album));
  json.Key("track").String(Utf8(v2.Track));
  json.Key("year").String(Utf8(v2.Year));
  json.Key("comment").String(Utf8(v2.Comment));
  json.Key("genre").String(Utf8(v2.Genre));
  json.Key("composer").String(Utf8(v2.Composer));
  json.Key("origArtist").String(Utf8(v2.OrigArtist));
  json.Key("copyright").String(Utf8(v2.Copyright));
  json.Key("url").String(Utf8(v2.URL));
  json.Key("encoded").String(Utf8(v2.Encoded));
  json.Key("encoder").String(Utf8(v2.Encoder));
  json.EndObject();
}

void PrintField(const char* label, const std::string& value) {
  std::printf("  %-12s %s\n", label, Utf8(value).c_str());
}

}  // namespace

int Info(const Args& args) {
  if (args.help) return std::fputs(kInfoHelp, stdout), kExitOk;
  if (int wrong = CheckOptions(args, {"--json"})) return wrong;
  if (args.positional.size() != 2) return UsageError("info", "info takes FILE INDEX");
  const std::string& path = args.positional[0];
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  LoadedAlbum loaded;
  size_t index = 0;
  if (int failed = LoadTrack(*files, path, args.positional[1], loaded, index)) return failed;
  TTrackItem track = loaded.album.Tracks[index];
  int32_t kind = loaded.album.AlbumKind;
  TFileInfoData info = ReadFileInfo(*files, path, kind, &track, {});

  if (args.Has("--json")) {
    JsonWriter json;
    json.BeginObject();
    json.Key("albumKind").Int(kind);
    json.Key("kind").String(AlbumKindName(kind));
    json.Key("fileName").String(Utf8(track.FileName));
    json.Key("id3v1");
    if (info.ID3v1Enabled) WriteV1(json, info.ID3v1); else json.Null();
    json.Key("id3v2");
    if (info.ID3v2Enabled) WriteV2(json, info.ID3v2); else json.Null();
    json.Key("mpeg");
    if (info.MpegLines.empty()) {
      json.Null();
    } else {
      json.BeginArray();
      for (const std::string& line : info.MpegLines) json.String(Utf8(line));
      json.EndArray();
    }
    json.EndObject();
    std::printf("%s\n", json.Text().c_str());
    return kExitOk;
  }

  std::printf("%s track %zu: %s\n", AlbumKindName(kind), index, Utf8(track.FileName).c_str());
  if (kind != kAlbumPack && kind != kAlbumZip && kind != kAlbumLha) {
    std::printf("  (only Pack, ZIP and LHA tracks have their own tags and frames)\n");
    return kExitOk;
  }
  std::printf("ID3v1:%s\n", info.ID3v1Enabled ? "" : " none");
  if (info.ID3v1Enabled) {
    const TID3v1Info& v1 = info.ID3v1;
    PrintField("Track", v1.Track), PrintField("Title", v1.Title), PrintField("Artist", v1.Artist);
    PrintField("Album", v1.Album), PrintField("Year", v1.Year), PrintField("Genre", v1.Genre);
    PrintField("Comment", v1.Comment);
  }
  std::printf("ID3v2:%s\n", info.ID3v2Enabled ? "" : " none");
  if (info.ID3v2Enabled) {
    const TID3v2Info& v2 = info.ID3v2;
    PrintField("Track", v2.Track), PrintField("Title", v2.Title), PrintField("Artist", v2.Artist);
    PrintField("Album", v2.Album), PrintField("Year", v2.Year), PrintField("Genre", v2.Genre);
    PrintField("Comment", v2.Comment), PrintField("Composer", v2.Composer);
    PrintField("Orig.Artist", v2.OrigArtist), PrintField("Copyright", v2.Copyright);
    PrintField("URL", v2.URL), PrintField("Encoded by", v2.Encoded);
    PrintField("Encoder", v2.Encoder);
  }
  std::printf("MPEG:%s\n", info.MpegLines.empty() ? " none" : "");
  for (const std::string& line : info.MpegLines) std::printf("  %s\n", line.c_str());
  return kExitOk;
}

}  // namespace varimo
