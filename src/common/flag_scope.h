#pragma once
// A flag held up for as long as a piece of work runs, however it ends: the guards that keep
// a tick, an Apply or a dialog from running inside itself.

namespace varimo {

class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace varimo
