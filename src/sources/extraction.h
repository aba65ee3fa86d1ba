#pragma once
// Saving one member of an album file as a file of its own, and the command line of the
// external unpack program.

#include <cstdint>
#include <string>

#include "common/track_item.h"
#include "platform/files.h"

namespace varimo {

// System error codes reported when nothing could be written for a reason of our own.
constexpr uint32_t kErrorInvalidData = 13;   // the member has no byte range
constexpr uint32_t kErrorHandleEof = 38;     // the album file ended inside the member
constexpr uint32_t kErrorInvalidName = 123;  // the member name is no plain file name

// The folder part of the album file: up to its last "\" or ":", without the "\" (a drive
// root keeps it).
std::string ProposedFolder(const std::string& albumFile);

// The member name without its folders (after the last "\" or "/").
std::string ExtractOutputName(const std::string& fileName);

// False for names that would not create the named file in the folder on Windows: empty,
// ".", "..", containing ":" or a control character, or a device name such as CON or COM1.
bool IsPlainFileName(const std::string& name);

// The folder, a separator unless it ends with one, and the name. Windows paths use "\\";
// the command-line tool on other systems passes its own.
std::string ExtractOutputPath(const std::string& folder, const std::string& name,
                              char separator = '\\');

struct TExtractResult {
  bool Ok = false;
  std::string Path;        // where the member was (or would have been) written
  uint32_t ErrorCode = 0;  // system error code when not Ok
};

// How the file system spells a name given in the album's bytes.
using TFileSystemSpelling = std::string (*)(const std::string& albumName);

// Copies the member's byte range into folder\name, replacing a file of that name. The name is
// cut from the member name and checked on the album's own bytes (Shift-JIS); spelling, when
// given, then turns it into the file system's name (the tool outside Windows writes UTF-8).
TExtractResult ExtractTrack(IFiles& files, const std::string& albumFile, const TTrackItem& track,
                            const std::string& folder, char separator = '\\',
                            TFileSystemSpelling spelling = nullptr);

// The write-error message ("Write Error - ") and the code, as the user is told.
std::string WriteErrorMessage(uint32_t errorCode);

// How the unpack program is started: the program named exactly, and its command line.
struct TProgramStart {
  std::string Program;      // the path the system starts, without quotes
  std::string CommandLine;  // what the program reads as its command line
};

// The unpack program's start: its path, a space, the album file quoted. A path with a
// blank is quoted too (unless it is already), so that its first argument is the album.
TProgramStart UnpackStart(const std::string& programPath, const std::string& albumFile);

}  // namespace varimo
