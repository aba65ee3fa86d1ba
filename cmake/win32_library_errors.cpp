// Linked into the plug-in in place of libstdc++'s own throwing helpers (functexcept.o). Those
// raise the library's errors (a string or vector grown past its limit, a position past the
// end) as std::length_error or std::out_of_range, whose message lives in a copy-on-write
// string: constructing one links the old string ABI's whole instantiation, the
// std::random_device that instantiation drags in and their unwind tables, some 40 KB of a DLL
// that uses none of them. The plug-in catches exceptions only with catch (...), at its
// boundaries to the host (the exported entry points, the hooks, the window and dialog
// procedures), so what matters is that the library throws from the same points: these throw
// a std::exception of the plug-in's own that keeps the library's message, and allocation
// failures keep their standard types.
#include <exception>
#include <new>

namespace {

class TLibraryError : public std::exception {
 public:
  explicit TLibraryError(const char* message) noexcept : message_(message) {}
  const char* what() const noexcept override { return message_; }

 private:
  const char* message_;
};

}  // namespace

namespace std {

void __throw_bad_alloc() {
  throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
  throw std::bad_array_new_length();
}

void __throw_logic_error(const char* message) {
  throw TLibraryError(message);
}

void __throw_length_error(const char* message) {
  throw TLibraryError(message);
}

// The format's arguments (the position and the size) are left out of the message.
void __throw_out_of_range_fmt(const char* format, ...) {
  throw TLibraryError(format);
}

}  // namespace std
