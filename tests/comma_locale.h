// A test's switch of the C locale to one that writes a decimal comma, as a desktop program does
// at start-up when it adopts the user's locale (setlocale(LC_ALL, "")). Number text must read
// and write the same under it; tools/setup.sh generates de_DE.UTF-8 for this.
#pragma once

#include <clocale>
#include <string>
#include <string_view>

namespace korvex::testing {

// While alive, the process's C locale (every category, LC_NUMERIC among them) is one whose
// decimal separator is a comma, when one is installed; the previous locale comes back when it
// goes out of scope. Use it through KORVEX_UNDER_COMMA_LOCALE, which skips the test otherwise.
class CommaDecimalLocale {
 public:
  CommaDecimalLocale() {
    if (const char* current = std::setlocale(LC_ALL, nullptr)) m_previous = current;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr && std::string_view(std::localeconv()->decimal_point) == ",") {
        m_active = true;
        return;
      }
    }
    std::setlocale(LC_ALL, m_previous.c_str());
  }
  ~CommaDecimalLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
  CommaDecimalLocale(const CommaDecimalLocale&) = delete;
  CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

  bool active() const { return m_active; }

 private:
  std::string m_previous = "C";
  bool m_active = false;
};

}  // namespace korvex::testing

// Declares `variable` as the comma locale for the rest of the test, or skips the test with a
// message when no such locale is installed.
#define KORVEX_UNDER_COMMA_LOCALE(variable)                                                          \
  const ::korvex::testing::CommaDecimalLocale variable;                                             \
  if (!variable.active())                                                                            \
  GTEST_SKIP() << "no locale with a decimal comma is installed (tools/setup.sh generates de_DE.UTF-8)"
