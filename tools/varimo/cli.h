#pragma once
// What the tool's commands share: the command line, the exit codes, error messages and the
// album as the plug-in loads it.

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/album.h"
#include "settings/title_format.h"

namespace varimo {

constexpr char kVarimoVersion[] = "1.62";

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// Exit codes, as the help states them.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // unreadable file, no album the command can use, a write failed
constexpr int kExitUsage = 2;   // the command line is wrong

struct Args {
  std::string command;
  bool help = false;
  std::vector<std::string> options;  // every "--" word but --help, in order
  std::vector<std::string> positional;

  bool Has(const char* option) const;
};

Args ParseArgs(int argc, char** argv);

// kExitUsage after a message unless every option is one the command takes.
int CheckOptions(const Args& args, std::initializer_list<const char*> taken);

// "varimo: " and the message on standard error; returns kExitFailed.
int Fail(const std::string& message);
// The same for a wrong command line, pointing to the command's help; returns kExitUsage.
int UsageError(const std::string& command, const std::string& message);

// The album as the plug-in's first build after start-up leaves it with no settings file.
struct LoadedAlbum {
  TAlbumState album;
  TListForm listForm = DefaultListForm();
  bool opened = false;
};

// keepArtists loads with a format that has no omit group, so that an album of one artist
// keeps its artist on every track instead of the blanking the window's default format asks.
LoadedAlbum Load(IFiles& files, const std::string& path, bool keepArtists = false);

// Loads the album and finds track INDEX (from 0) in it; kExitFailed after a message when
// either fails.
int LoadTrack(IFiles& files, const std::string& path, const std::string& indexText,
              LoadedAlbum& loaded, size_t& index);

std::string Utf8(const std::string& ansi);

// A name from the album as the file system names the file: Windows turns the stored
// Shift-JIS name into its own file name; elsewhere file names are UTF-8, so the tool converts
// the name the same way and both systems write the same file. Names are cut from their
// folders before, on the stored bytes: in UTF-8 a byte 0x5C or '/' may follow a byte that
// Shift-JIS takes for a lead byte.
std::string OnFileSystem(const std::string& albumName);

// Why ExtractTrack failed for a track that PlanMemberFiles accepted.
std::string ExtractFailure(uint32_t errorCode);

}  // namespace varimo
