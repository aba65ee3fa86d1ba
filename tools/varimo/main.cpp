// varimo: the album core from the command line. Lists an album file's tracks, shows one
// track's tag and MPEG information, extracts one track or all of them to files, and writes
// the album as a cue sheet.
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "commands.h"

namespace varimo {
namespace {

const char kUsage[] =
    "usage: varimo list [--json] FILE\n"
    "       varimo info [--json] FILE INDEX\n"
    "       varimo extract FILE INDEX DIR\n"
    "       varimo extract --all FILE DIR\n"
    "       varimo cue [--utf8] FILE\n"
    "       varimo --help | --version\n"
    "Reads an album file (an MP3 with a cue sheet in its ID3v2 tag, a Pack file, or a ZIP or\n"
    "LHA archive of stored MP3s) the way the Varimo plug-in does. INDEX counts from 0.\n"
    "\n"
    "Examples:\n"
    "  varimo list album.zip                  the tracks: number, length, line, byte range\n"
    "  varimo list --json album.lzh           the track list as the plug-in builds it\n"
    "  varimo info album.pack.mp3 0           ID3v1, ID3v2 and MPEG data of the first track\n"
    "  varimo extract album.zip 2 out         the third track as out/<member name>\n"
    "  varimo extract --all album.pack.mp3 out   every track into out\n"
    "  varimo cue album.cue.mp3 > album.cue   the album as a cue sheet\n"
    "  varimo cue --utf8 album.zip > out/album.cue   one FILE entry per extracted track\n"
    "Run 'varimo COMMAND --help' for one command.\n"
    "\n"
    "Exit status:\n"
    "  0  done\n"
    "  1  the file cannot be read, is no album the command can use, or a track could not\n"
    "     be written or had to be left out\n"
    "  2  the command line is wrong\n"
    "Every error is reported on standard error; results go to standard output.\n";

}  // namespace
}  // namespace varimo

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes as the Linux tool: no CR LF translation.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  using namespace varimo;
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("varimo %s\n", kVarimoVersion);
    return kExitOk;
  }
  Args args = ParseArgs(argc, argv);
  if (args.command == "list") return List(args);
  if (args.command == "info") return Info(args);
  if (args.command == "extract") return Extract(args);
  if (args.command == "cue") return Cue(args);
  return UsageError("", "unknown command '" + args.command + "'");
}
