#pragma once
// The record of every request that reached the host's main window, kept in memory for
// the scenario's expectations and written line by line to the log file.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace varimo {

enum class TRequestKind { kIpc, kCommand, kSysCommand, kRButtonDown, kRButtonUp };

struct THostRequest {
  TRequestKind Kind = TRequestKind::kIpc;
  int64_t Code = 0;          // IPC code, command id or system command; 0 for the buttons
  int64_t Argument = 0;      // the number argument (wParam of an IPC)
  std::string ArgumentText;  // the text an address argument carried or received
  bool HasArgumentText = false;
  int64_t Answer = 0;
  std::string AnswerText;  // the text an address answer points to
  bool HasAnswerText = false;
  // The host as the request found it.
  const char* State = "stopped";
  int32_t Entry = 0;
  int32_t PositionMS = 0;
  uint32_t TimeMS = 0;  // since the host started
};

// What an expectation looks for: a kind, optionally a code and an argument (compared
// with the number argument or with the text it carried).
struct TRequestPattern {
  TRequestKind Kind = TRequestKind::kIpc;
  std::optional<int64_t> Code;
  std::optional<std::string> Argument;
};

// Reads "ipc CODE [ARG]", "command ID", "syscommand CODE", "rbuttondown" or "rbuttonup"
// from words[first...]. Codes are required for ipc, command and syscommand.
bool ParseRequestPattern(const std::vector<std::string>& words, size_t first,
                         TRequestPattern& pattern, std::string& error);
bool RequestMatches(const TRequestPattern& pattern, const THostRequest& request);
std::string DescribePattern(const TRequestPattern& pattern);
std::string FormatRequest(const THostRequest& request);

class RequestLog {
 public:
  RequestLog() = default;
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;
  ~RequestLog();

  bool Open(const std::string& path);
  void Add(const THostRequest& request);
  // A line that is not a request: the plug-in's record, what the host and the watched
  // windows saw. Kept for the expectations on notes.
  void Note(uint32_t timeMS, const std::string& text);
  // A scenario step or failure: in the log file only, so that a step never satisfies an
  // expectation on notes (its own words would).
  void Step(uint32_t timeMS, const std::string& text);

  size_t Mark() const { return records_.size(); }
  // Lets go of the requests and notes kept so far (the file keeps them), so that a long
  // run holds no more than what came since its last mark.
  void Forget();
  // The notes so far, without their "-- " and time, for expectations on them.
  const std::vector<std::string>& Notes() const { return notes_; }
  size_t Count(const TRequestPattern& pattern, size_t from) const;
  const std::vector<THostRequest>& Records() const { return records_; }

 private:
  void WriteLine(uint32_t timeMS, const std::string& text);

  std::FILE* file_ = nullptr;
  std::vector<THostRequest> records_;
  std::vector<std::string> notes_;
};

}  // namespace varimo
