// Included ahead of every C++ source of the size-optimised Windows builds (CMakeLists.txt).
// libstdc++ declares std::string and std::wstring explicitly instantiated in the library, so
// that any use of either links the library's whole instantiation: one section of some 65 KB
// of code and unwind tables for the two, most of it members the plug-in never calls.
// _GLIBCXX_EXTERN_TEMPLATE -1 is the library's own setting that lifts those declarations for
// basic_string alone: each source then instantiates the members it calls, and the linker
// keeps one copy of each. The code is the same template code either way.
#pragma once
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
