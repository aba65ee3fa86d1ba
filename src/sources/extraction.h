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

// Copies the member's byte range into folder\name, replacing a file of that name.
TExtractResult ExtractTrack(IFiles& files, const std::string& albumFile, const TTrackItem& track,
                            const std::string& folder, char separator = '\\');

// The write-error message ("Write Error - ") and the code, as the user is told.
std::string WriteErrorMessage(uint32_t errorCode);

// The unpack program's command line: its path unquoted, a space, the album file quoted.
std::string UnpackCommandLine(const std::string& programPath, const std::string& albumFile);

}  // namespace varimo
