// varimo: the album core from the command line. Lists an album file's tracks, shows one
// track's tag and MPEG information, and extracts a track to a file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "codepage.h"
#include "engine/album.h"
#include "json_writer.h"
#include "platform/files.h"
#include "settings/title_format.h"
#include "sources/extraction.h"
#include "sources/file_info.h"

namespace varimo {
namespace {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

const char kUsage[] =
    "usage: varimo list [--json] FILE\n"
    "       varimo info [--json] FILE INDEX\n"
    "       varimo extract FILE INDEX DIR\n"
    "Reads an album file (an MP3 with a cue sheet in its ID3v2 tag, a Pack file, or a ZIP or\n"
    "LHA archive of stored MP3s) the way the Varimo plug-in does. INDEX counts from 0.\n"
    "Run 'varimo COMMAND --help' for one command.\n";

const char kListHelp[] =
    "usage: varimo list [--json] FILE\n"
    "Lists the album's tracks: number, length, the line the window shows, byte range.\n"
    "--json prints one object: file, opened, albumKind, kind and the tracks with every field.\n";

const char kInfoHelp[] =
    "usage: varimo info [--json] FILE INDEX\n"
    "Shows the ID3v1 block, the ID3v2 tag and the MPEG analysis of track INDEX (from 0) of a\n"
    "Pack, ZIP or LHA album, as the file information window shows them.\n";

const char kExtractHelp[] =
    "usage: varimo extract FILE INDEX DIR\n"
    "Writes track INDEX (from 0) of a Pack, ZIP or LHA album into DIR under its member name,\n"
    "replacing a file of that name, and prints the path written.\n";

struct Args {
  bool json = false;
  bool help = false;
  std::vector<std::string> positional;
};

Args ParseArgs(int argc, char** argv) {
  Args args;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0) {
      args.json = true;
    } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      args.help = true;
    } else {
      args.positional.emplace_back(argv[i]);
    }
  }
  return args;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "varimo: %s\n", message.c_str());
  return 1;
}

// The album as the plug-in's first build after start-up leaves it with no settings file.
struct LoadedAlbum {
  TAlbumState album;
  TListForm listForm = DefaultListForm();
  bool opened = false;
};

LoadedAlbum Load(IFiles& files, const std::string& path) {
  LoadedAlbum loaded;
  TAlbumSettings settings;
  settings.Format = &loaded.listForm;
  int32_t topIndex = 0;
  loaded.opened = LoadAlbum(loaded.album, files, path, settings, topIndex).Opened;
  return loaded;
}

bool ParseIndex(const std::string& text, const TTrackList& tracks, size_t& index) {
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < 0) return false;
  if (static_cast<unsigned long>(value) >= tracks.size()) return false;
  index = static_cast<size_t>(value);
  return true;
}

// Loads the album and finds track INDEX in it; non-zero (the exit code) after a message.
int LoadTrack(IFiles& files, const std::string& path, const std::string& indexText,
              LoadedAlbum& loaded, size_t& index) {
  loaded = Load(files, path);
  if (!loaded.opened) return Fail("cannot open " + path);
  if (!ParseIndex(indexText, loaded.album.Tracks, index)) {
    return Fail("no track " + indexText + " in " + path + " (it has " +
                std::to_string(loaded.album.Tracks.size()) + ", counted from 0)");
  }
  return 0;
}

std::string Utf8(const std::string& ansi) { return ShiftJisToUtf8(ansi); }

std::string MinutesSeconds(int32_t lengthMS) {
  int32_t seconds = lengthMS / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
  return text;
}

int List(const Args& args) {
  if (args.help) return std::fputs(kListHelp, stdout), 0;
  if (args.positional.size() != 1) return Fail("list takes one FILE (see varimo list --help)");
  const std::string& path = args.positional[0];
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  LoadedAlbum loaded = Load(*files, path);
  if (!loaded.opened) return Fail("cannot open " + path);
  const TAlbumState& album = loaded.album;

  if (args.json) {
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
    return 0;
  }

  if (album.AlbumKind == kAlbumNone) {
    std::printf("%s: no album (no cue sheet, Pack, ZIP or LHA found)\n", Utf8(path).c_str());
    return 0;
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
  return 0;
}

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

int Info(const Args& args) {
  if (args.help) return std::fputs(kInfoHelp, stdout), 0;
  if (args.positional.size() != 2) return Fail("info takes FILE INDEX (see varimo info --help)");
  const std::string& path = args.positional[0];
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  LoadedAlbum loaded;
  size_t index = 0;
  if (int failed = LoadTrack(*files, path, args.positional[1], loaded, index)) return failed;
  TTrackItem track = loaded.album.Tracks[index];
  int32_t kind = loaded.album.AlbumKind;
  TFileInfoData info = ReadFileInfo(*files, path, kind, &track, {});

  if (args.json) {
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
    return 0;
  }

  std::printf("%s track %zu: %s\n", AlbumKindName(kind), index, Utf8(track.FileName).c_str());
  if (kind != kAlbumPack && kind != kAlbumZip && kind != kAlbumLha) {
    std::printf("  (only Pack, ZIP and LHA tracks have their own tags and frames)\n");
    return 0;
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
  return 0;
}

int Extract(const Args& args) {
  if (args.help) return std::fputs(kExtractHelp, stdout), 0;
  if (args.positional.size() != 3) {
    return Fail("extract takes FILE INDEX DIR (see varimo extract --help)");
  }
  const std::string& path = args.positional[0];
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  LoadedAlbum loaded;
  size_t index = 0;
  if (int failed = LoadTrack(*files, path, args.positional[1], loaded, index)) return failed;
  if (!files->FolderExists(args.positional[2])) return Fail("no folder " + args.positional[2]);
  TExtractResult result =
      ExtractTrack(*files, path, loaded.album.Tracks[index], args.positional[2], kPathSeparator);
  if (!result.Ok) {
    std::printf("%s\n", WriteErrorMessage(result.ErrorCode).c_str());
    return 1;
  }
  std::printf("%s\n", result.Path.c_str());
  return 0;
}

}  // namespace
}  // namespace varimo

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes as the Linux tool: no CR LF translation.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  using namespace varimo;
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(kUsage, argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  Args args = ParseArgs(argc, argv);
  std::string command = argv[1];
  if (command == "list") return List(args);
  if (command == "info") return Info(args);
  if (command == "extract") return Extract(args);
  return Fail("unknown command '" + command + "' (see varimo --help)");
}
