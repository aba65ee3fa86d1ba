// The commands that take an album apart: tracks as files of their own, and the album as a
// cue sheet for other players.
#include <cstdio>
#include <string>

#include "album_export.h"
#include "commands.h"
#include "sources/extraction.h"

namespace varimo {
namespace {

const char kExtractHelp[] =
    "usage: varimo extract FILE INDEX DIR\n"
    "       varimo extract --all FILE DIR\n"
    "Writes track INDEX (from 0) of a Pack, ZIP or LHA album into the folder DIR under its\n"
    "member name without the member's folders (converted to UTF-8 outside Windows),\n"
    "replacing a file of that name, and prints the path written. With --all every track\n"
    "is written the same way, one line per track and a summary; this unpacks a Pack file\n"
    "without MusicPack 3on3. A track whose name is no plain file name, or is taken by an\n"
    "earlier track, is not written (a message says which); nothing is written outside DIR.\n"
    "Examples:\n"
    "  varimo extract album.zip 2 out\n"
    "  varimo extract --all album.pack.mp3 out\n"
    "Exit status 1 when the file cannot be read, is no Pack, ZIP or LHA album, DIR is no\n"
    "folder, or a track was not written.\n";

const char kCueHelp[] =
    "usage: varimo cue [--utf8] FILE\n"
    "Prints the album as a cue sheet, for players that show the tracks of a cue sheet.\n"
    "A Cue album's tracks lie over the MP3 itself (FILE is its name, INDEX 01 each track's\n"
    "start); a Pack, ZIP or LHA album gets one FILE entry per track, naming the files that\n"
    "'varimo extract --all' writes. Texts are the bytes the album stores (Shift-JIS), or\n"
    "UTF-8 with --utf8; lines end in CR LF. Save the sheet beside the audio.\n"
    "Examples:\n"
    "  varimo cue album.cue.mp3 > album.cue\n"
    "  varimo extract --all album.zip out && varimo cue --utf8 album.zip > out/album.cue\n"
    "Exit status 1 when the file cannot be read or is no album with tracks, or when a track\n"
    "had to be left out of the sheet (a message says which).\n";

// kExitOk when the album's tracks are files in it, else kExitFailed after a message.
int RequireMembers(const LoadedAlbum& loaded, const std::string& path) {
  const TAlbumState& album = loaded.album;
  if (album.AlbumKind == kAlbumNone) {
    return Fail(path + ": no album (no cue sheet, Pack, ZIP or LHA found)");
  }
  if (album.AlbumKind == kAlbumCue) {
    return Fail(path + ": a Cue album, its tracks are times in one MP3 and no files; " +
                "'varimo cue' writes its cue sheet");
  }
  if (album.Tracks.empty()) {
    return Fail(path + ": " + AlbumKindName(album.AlbumKind) + " album without tracks");
  }
  return kExitOk;
}

std::string TrackName(size_t index, const TTrackItem& track) {
  return "track " + std::to_string(index + 1) + " (index " + std::to_string(index) + ", " +
         Utf8(track.FileName) + ")";
}

int ExtractOne(const Args& args) {
  if (args.positional.size() != 3) return UsageError("extract", "extract takes FILE INDEX DIR");
  const std::string& path = args.positional[0];
  const std::string& dir = args.positional[2];
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  LoadedAlbum loaded;
  size_t index = 0;
  if (int failed = LoadTrack(*files, path, args.positional[1], loaded, index)) return failed;
  if (!files->FolderExists(dir)) return Fail("no folder " + dir);
  const TTrackItem& track = loaded.album.Tracks[index];
  std::string refusal = PlanMemberFiles({track}).front().Refusal;
  if (!refusal.empty()) return Fail(TrackName(index, track) + " not written: " + refusal);
  TExtractResult result = ExtractTrack(*files, path, track, dir, kPathSeparator, OnFileSystem);
  if (!result.Ok) {
    return Fail(TrackName(index, track) + " not written: " + ExtractFailure(result.ErrorCode));
  }
  std::printf("%s\n", result.Path.c_str());
  return kExitOk;
}

int ExtractAll(const Args& args) {
  if (args.positional.size() != 2) return UsageError("extract", "extract --all takes FILE DIR");
  const std::string& path = args.positional[0];
  const std::string& dir = args.positional[1];
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  LoadedAlbum loaded = Load(*files, path);
  if (!loaded.opened) return Fail("cannot open " + path);
  if (int failed = RequireMembers(loaded, path)) return failed;
  if (!files->FolderExists(dir)) return Fail("no folder " + dir);

  const TTrackList& tracks = loaded.album.Tracks;
  std::vector<TMemberFile> plan = PlanMemberFiles(tracks);
  size_t written = 0;
  long long bytes = 0;
  for (size_t i = 0; i < tracks.size(); ++i) {
    if (!plan[i].Refusal.empty()) {
      Fail(TrackName(i, tracks[i]) + " not written: " + plan[i].Refusal);
      continue;
    }
    TExtractResult result =
        ExtractTrack(*files, path, tracks[i], dir, kPathSeparator, OnFileSystem);
    if (!result.Ok) {
      Fail(TrackName(i, tracks[i]) + " not written: " + ExtractFailure(result.ErrorCode));
      continue;
    }
    int32_t size = tracks[i].EndPos - tracks[i].StartPos;
    std::printf("%3zu  %s  %d bytes\n", i + 1, Utf8(plan[i].Name).c_str(), size);
    ++written;
    bytes += size;
  }
  if (written == tracks.size()) {
    std::printf("%zu tracks written to %s (%lld bytes)\n", written, dir.c_str(), bytes);
    return kExitOk;
  }
  std::printf("%zu of %zu tracks written to %s (%lld bytes), %zu not written\n", written,
              tracks.size(), dir.c_str(), bytes, tracks.size() - written);
  return kExitFailed;
}

}  // namespace

int Extract(const Args& args) {
  if (args.help) return std::fputs(kExtractHelp, stdout), kExitOk;
  if (int wrong = CheckOptions(args, {"--all"})) return wrong;
  return args.Has("--all") ? ExtractAll(args) : ExtractOne(args);
}

int Cue(const Args& args) {
  if (args.help) return std::fputs(kCueHelp, stdout), kExitOk;
  if (int wrong = CheckOptions(args, {"--utf8"})) return wrong;
  if (args.positional.size() != 1) return UsageError("cue", "cue takes one FILE");
  const std::string& path = args.positional[0];
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  LoadedAlbum loaded = Load(*files, path, true);
  if (!loaded.opened) return Fail("cannot open " + path);
  const TAlbumState& album = loaded.album;
  if (album.AlbumKind != kAlbumCue) {
    if (int failed = RequireMembers(loaded, path)) return failed;
  } else if (album.Tracks.empty()) {
    return Fail(path + ": Cue album without tracks");
  }

  std::vector<TMemberFile> plan;
  size_t leftOut = 0;
  if (album.AlbumKind != kAlbumCue) {
    plan = PlanMemberFiles(album.Tracks);
    for (size_t i = 0; i < plan.size(); ++i) {
      if (plan[i].Refusal.empty()) continue;
      Fail(TrackName(i, album.Tracks[i]) + " left out of the cue sheet: " + plan[i].Refusal);
      ++leftOut;
    }
  }
  if (album.Tracks.size() - leftOut > 99) {
    std::fprintf(stderr,
                 "varimo: note: a cue sheet numbers at most 99 tracks; players may "
                 "stop at track 99\n");
  }
  std::string sheet =
      CueSheet(album.Tracks, album.AlbumKind, ExtractOutputName(path), plan, args.Has("--utf8"));
  std::fwrite(sheet.data(), 1, sheet.size(), stdout);
  return leftOut == 0 ? kExitOk : kExitFailed;
}

}  // namespace varimo
