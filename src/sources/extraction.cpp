#include "sources/extraction.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "common/captions.h"
#include "common/text.h"

namespace varimo {
namespace {

// Copying in pieces keeps a large member from failing for want of one big buffer.
constexpr size_t kCopyChunk = 1 << 20;

bool IsDeviceName(std::string name) {
  size_t dot = name.find('.');
  if (dot != std::string::npos) name.resize(dot);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices) {
    if (name == device) return true;
  }
  return name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) &&
         name[3] >= '1' && name[3] <= '9';
}

}  // namespace

std::string ProposedFolder(const std::string& albumFile) {
  size_t cut = FindLastSeparator(albumFile, "\\:");
  if (cut == std::string::npos) return std::string();
  if (albumFile[cut] == ':') return albumFile.substr(0, cut + 1);
  // "C:\x.zip" proposes "C:\", not the drive-relative "C:".
  if (cut > 0 && albumFile[cut - 1] == ':') return albumFile.substr(0, cut + 1);
  return albumFile.substr(0, cut);
}

std::string ExtractOutputName(const std::string& fileName) {
  size_t cut = FindLastSeparator(fileName, "\\/");
  return cut == std::string::npos ? fileName : fileName.substr(cut + 1);
}

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (size_t i = 0; i < name.size(); i += ShiftJisCharSize(name, i)) {
    const uint8_t b = static_cast<uint8_t>(name[i]);
    if (ShiftJisCharSize(name, i) == 2) continue;
    if (b < 0x20 || b == ':' || b == '\\' || b == '/' || b == '*' || b == '?' || b == '"' ||
        b == '<' || b == '>' || b == '|') {
      return false;
    }
  }
  return !IsDeviceName(name);
}

std::string ExtractOutputPath(const std::string& folder, const std::string& name, char separator) {
  const char separators[] = {separator, 0};
  if (!folder.empty() && FindLastSeparator(folder, separators) == folder.size() - 1) {
    return folder + name;
  }
  return folder + separator + name;
}

TExtractResult ExtractTrack(IFiles& files, const std::string& albumFile, const TTrackItem& track,
                            const std::string& folder, char separator,
                            TFileSystemSpelling spelling) {
  TExtractResult result;
  std::string name = ExtractOutputName(track.FileName);
  result.Path = ExtractOutputPath(folder, spelling ? spelling(name) : name, separator);
  if (!IsPlainFileName(name)) {
    result.ErrorCode = kErrorInvalidName;
    return result;
  }
  if (track.EndPos <= track.StartPos || track.StartPos < 0) {
    result.ErrorCode = kErrorInvalidData;
    return result;
  }
  std::unique_ptr<IFile> source = files.OpenRead(albumFile);
  if (!source) {
    result.ErrorCode = files.LastError();
    return result;
  }
  int64_t remaining = int64_t{track.EndPos} - track.StartPos;
  if (source->Size() < track.EndPos || !source->Seek(track.StartPos)) {
    result.ErrorCode = kErrorHandleEof;
    return result;
  }
  std::unique_ptr<IFile> target = files.Create(result.Path);
  if (!target) {
    result.ErrorCode = files.LastError();
    return result;
  }
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(remaining, kCopyChunk)));
  while (remaining > 0) {
    size_t want = static_cast<size_t>(std::min<int64_t>(remaining, kCopyChunk));
    size_t got = source->Read(buffer.data(), want);
    if (got < want) {
      result.ErrorCode = kErrorHandleEof;
      return result;
    }
    if (target->Write(buffer.data(), got) != got) {
      result.ErrorCode = files.LastError();
      return result;
    }
    remaining -= static_cast<int64_t>(got);
  }
  result.Ok = true;
  return result;
}

std::string WriteErrorMessage(uint32_t errorCode) {
  return Caption(TCaption::kMessageWriteError) + std::to_string(errorCode);
}

TProgramStart UnpackStart(const std::string& programPath, const std::string& albumFile) {
  const bool quoted =
      programPath.size() >= 2 && programPath.front() == '"' && programPath.back() == '"';
  const bool blank = programPath.find_first_of(" \t") != std::string::npos;
  TProgramStart start;
  start.Program = quoted ? programPath.substr(1, programPath.size() - 2) : programPath;
  // A path without a blank keeps its form byte for byte: the program may read its command
  // line as it always was.
  const std::string shown = blank && !quoted ? '"' + programPath + '"' : programPath;
  start.CommandLine = shown + " \"" + albumFile + "\"";
  return start;
}

}  // namespace varimo
