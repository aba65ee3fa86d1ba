#include "cli.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "codepage.h"
#include "sources/extraction.h"

namespace varimo {

bool Args::Has(const char* option) const {
  return std::find(options.begin(), options.end(), option) != options.end();
}

Args ParseArgs(int argc, char** argv) {
  Args args;
  if (argc > 1) args.command = argv[1];
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      args.help = true;
    } else if (std::strncmp(argv[i], "--", 2) == 0) {
      args.options.emplace_back(argv[i]);
    } else {
      args.positional.emplace_back(argv[i]);
    }
  }
  return args;
}

int CheckOptions(const Args& args, std::initializer_list<const char*> taken) {
  for (const std::string& option : args.options) {
    bool known =
        std::any_of(taken.begin(), taken.end(), [&](const char* name) { return option == name; });
    if (!known) return UsageError(args.command, args.command + " takes no option " + option);
  }
  return kExitOk;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "varimo: %s\n", message.c_str());
  return kExitFailed;
}

int UsageError(const std::string& command, const std::string& message) {
  std::fprintf(stderr, "varimo: %s (see varimo %s--help)\n", message.c_str(),
               command.empty() ? "" : (command + " ").c_str());
  return kExitUsage;
}

LoadedAlbum Load(IFiles& files, const std::string& path, bool keepArtists) {
  LoadedAlbum loaded;
  if (keepArtists) loaded.listForm.FormatHeader %= kFormatGroupCode;
  TAlbumSettings settings;
  settings.Format = &loaded.listForm;
  int32_t topIndex = 0;
  loaded.opened = LoadAlbum(loaded.album, files, path, settings, topIndex).Opened;
  return loaded;
}

int LoadTrack(IFiles& files, const std::string& path, const std::string& indexText,
              LoadedAlbum& loaded, size_t& index) {
  loaded = Load(files, path);
  if (!loaded.opened) return Fail("cannot open " + path);
  char* end = nullptr;
  long value = std::strtol(indexText.c_str(), &end, 10);
  if (indexText.empty() || *end != '\0' || value < 0 ||
      static_cast<unsigned long>(value) >= loaded.album.Tracks.size()) {
    return Fail("no track " + indexText + " in " + path + " (it has " +
                std::to_string(loaded.album.Tracks.size()) + ", counted from 0)");
  }
  index = static_cast<size_t>(value);
  return kExitOk;
}

std::string Utf8(const std::string& ansi) {
  return ShiftJisToUtf8(ansi);
}

std::string OnFileSystem(const std::string& albumName) {
#ifdef _WIN32
  return albumName;
#else
  return Utf8(albumName);
#endif
}

std::string ExtractFailure(uint32_t errorCode) {
  // The name and the byte range are refused before a write; what is left is the system's
  // code, and the album file ending inside the member.
  std::string message = WriteErrorMessage(errorCode);
  return errorCode == kErrorHandleEof ? "the album file ends inside it (" + message + ")" : message;
}

}  // namespace varimo
