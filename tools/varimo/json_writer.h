#pragma once
// A small JSON writer for the tool's output: objects and arrays written in order, strings
// escaped (they arrive as UTF-8).

#include <cstdint>
#include <string>
#include <vector>

namespace varimo {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(const std::string& key);
  JsonWriter& String(const std::string& utf8);
  JsonWriter& Int(int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();
  const std::string& Text() const { return text_; }

 private:
  void BeforeValue();
  std::string text_;
  std::vector<bool> first_;  // per open container: no member written yet
  bool afterKey_ = false;
};

std::string JsonEscape(const std::string& utf8);

}  // namespace varimo
