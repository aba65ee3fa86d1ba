#include "request_log.h"

#include "scenario.h"

namespace varimo {
namespace {

struct TKindName {
  TRequestKind Kind;
  const char* Name;
  bool HasCode;
};

constexpr TKindName kKindNames[] = {
    {TRequestKind::kIpc, "ipc", true},
    {TRequestKind::kCommand, "command", true},
    {TRequestKind::kSysCommand, "syscommand", true},
    {TRequestKind::kRButtonDown, "rbuttondown", false},
    {TRequestKind::kRButtonUp, "rbuttonup", false},
};

const TKindName& KindName(TRequestKind kind) {
  for (const TKindName& entry : kKindNames) {
    if (entry.Kind == kind) return entry;
  }
  return kKindNames[0];
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

bool ParseRequestPattern(const std::vector<std::string>& words, size_t first,
                         TRequestPattern& pattern, std::string& error) {
  if (first >= words.size()) {
    error = "missing request kind (ipc, command, syscommand, rbuttondown, rbuttonup)";
    return false;
  }
  const TKindName* kind = nullptr;
  for (const TKindName& entry : kKindNames) {
    if (words[first] == entry.Name) kind = &entry;
  }
  if (kind == nullptr) {
    error = "unknown request kind '" + words[first] + "'";
    return false;
  }
  pattern = TRequestPattern();
  pattern.Kind = kind->Kind;
  size_t rest = words.size() - first - 1;
  size_t maxWords = kind->Kind == TRequestKind::kIpc ? 2 : (kind->HasCode ? 1 : 0);
  if (rest > maxWords || (kind->HasCode && rest == 0)) {
    error = std::string("'") + kind->Name + "' takes " +
            (kind->Kind == TRequestKind::kIpc ? "CODE [ARG]"
             : kind->HasCode                ? "CODE"
                                            : "nothing");
    return false;
  }
  if (kind->HasCode) {
    pattern.Code = ParseInteger(words[first + 1]);
    if (!pattern.Code) {
      error = "request code '" + words[first + 1] + "' is not a number";
      return false;
    }
  }
  if (rest == 2) pattern.Argument = words[first + 2];
  return true;
}

bool RequestMatches(const TRequestPattern& pattern, const THostRequest& request) {
  if (pattern.Kind != request.Kind) return false;
  if (pattern.Code && *pattern.Code != request.Code) return false;
  if (!pattern.Argument) return true;
  if (request.HasArgumentText) return *pattern.Argument == request.ArgumentText;
  std::optional<int64_t> number = ParseInteger(*pattern.Argument);
  return number && *number == request.Argument;
}

std::string DescribePattern(const TRequestPattern& pattern) {
  std::string text = KindName(pattern.Kind).Name;
  if (pattern.Code) text += " " + std::to_string(*pattern.Code);
  if (pattern.Argument) text += " " + *pattern.Argument;
  return text;
}

std::string FormatRequest(const THostRequest& request) {
  const TKindName& kind = KindName(request.Kind);
  std::string text = kind.Name;
  if (kind.HasCode) text += " " + std::to_string(request.Code);
  if (request.Kind == TRequestKind::kIpc) {
    text += " arg=" + (request.HasArgumentText ? Quoted(request.ArgumentText)
                                               : std::to_string(request.Argument));
    text += " -> " +
            (request.HasAnswerText ? Quoted(request.AnswerText) : std::to_string(request.Answer));
  }
  text += "  [" + std::string(request.State) + " entry " + std::to_string(request.Entry) + " at " +
          std::to_string(request.PositionMS) + " ms]";
  return text;
}

RequestLog::~RequestLog() {
  if (file_ != nullptr) std::fclose(file_);
}

bool RequestLog::Open(const std::string& path) {
  if (file_ != nullptr) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "wb");
  return file_ != nullptr;
}

void RequestLog::Add(const THostRequest& request) {
  records_.push_back(request);
  WriteLine(request.TimeMS, FormatRequest(request));
}

void RequestLog::Note(uint32_t timeMS, const std::string& text) {
  notes_.push_back(text);
  WriteLine(timeMS, "-- " + text);
}

void RequestLog::Step(uint32_t timeMS, const std::string& text) {
  WriteLine(timeMS, "-- " + text);
}

void RequestLog::Forget() {
  records_.clear();
  notes_.clear();
}

size_t RequestLog::Count(const TRequestPattern& pattern, size_t from) const {
  size_t count = 0;
  for (size_t i = from; i < records_.size(); ++i) {
    if (RequestMatches(pattern, records_[i])) ++count;
  }
  return count;
}

void RequestLog::WriteLine(uint32_t timeMS, const std::string& text) {
  if (file_ == nullptr) return;
  std::fprintf(file_, "%8u ms  %s\n", static_cast<unsigned>(timeMS), text.c_str());
  // Flushed at once, so the log tells what happened even when the plug-in crashes the host.
  std::fflush(file_);
}

}  // namespace varimo
