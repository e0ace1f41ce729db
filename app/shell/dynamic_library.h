// A shared library loaded by path, and its exported names: how the desktop program reaches
// the analysis engine for each run.
#pragma once

#include <stdexcept>
#include <string>

namespace korvex {

class EDLLError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// The library was found but its initialisation failed: "Library failed to properly initialize".
class EInitError : public EDLLError {
 public:
  EInitError() : EDLLError("Library failed to properly initialize") {}
};
// "Library could not be located".
class EFileNotFoundError : public EDLLError {
 public:
  EFileNotFoundError() : EDLLError("Library could not be located") {}
};
// "Library is not open".
class EDLLNotOpenError : public EDLLError {
 public:
  EDLLNotOpenError() : EDLLError("Library is not open") {}
};

class TDynamicLibrary {
 public:
  TDynamicLibrary() = default;
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;
  ~TDynamicLibrary() { Close(); }

  const std::string& LibraryName() const { return m_libraryName; }
  // Closes the library when open and keeps the name.
  void SetLibraryName(const std::string& name);

  // Loads the library unless it is open: EFileNotFoundError when no file has the name,
  // EInitError when the file is there but cannot be loaded (not a library, missing
  // dependencies, failing initialisation).
  void Open();
  // The address of an exported name, or null when there is none; EDLLNotOpenError when closed.
  void* GetProcAddress(const std::string& name) const;
  bool IsOpen() const { return m_handle != nullptr; }
  void Close();

 private:
  std::string m_libraryName;
  void* m_handle = nullptr;
};

}  // namespace korvex
