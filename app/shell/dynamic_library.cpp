#include "app/shell/dynamic_library.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace korvex {

void TDynamicLibrary::SetLibraryName(const std::string& name) {
  Close();
  m_libraryName = name;
}

void TDynamicLibrary::Open() {
  if (IsOpen()) return;
  // The library is loaded by path only: a name that is no file is not looked for elsewhere.
  std::error_code error;
  if (m_libraryName.empty() || !std::filesystem::is_regular_file(m_libraryName, error)) throw EFileNotFoundError();
  // Every symbol bound now, so a library with a missing dependency fails here and not in the
  // middle of a run; kept local so that two loads never share the engine's storage.
  m_handle = dlopen(m_libraryName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_handle == nullptr) throw EInitError();
}

void* TDynamicLibrary::GetProcAddress(const std::string& name) const {
  if (!IsOpen()) throw EDLLNotOpenError();
  return dlsym(m_handle, name.c_str());
}

void TDynamicLibrary::Close() {
  if (!IsOpen()) return;
  dlclose(m_handle);
  m_handle = nullptr;
}

}  // namespace korvex
