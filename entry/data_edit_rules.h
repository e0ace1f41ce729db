// The rules of `TDataEdit`, the single-line numeric entry of every data window, apart from any
// widget: the text is an arithmetic expression; on leaving the field it is evaluated, checked
// against integer-only and range limits, and rewritten as the plain number; the field's label
// reads its caption and the unit label of its unit code. The widget forwards its text, focus and
// key events here and shows the messages this class returns in information boxes.
#pragma once

#include <limits>
#include <string>
#include <utility>

namespace korvex {

class TDataEditRules {
 public:
  // Outcome of the leave check: `accepted` false keeps the focus in the field; a non-empty
  // `message` is shown in an information box with an OK button.
  struct LeaveCheck {
    bool accepted = false;
    std::string message;
  };

  // The entry text; a new entry starts as "0".
  const std::string& text() const { return m_text; }
  void setText(std::string text) { m_text = std::move(text); }

  // The value of the text (AssignmentError when it is not a valid expression).
  long double number() const;
  // Shows `value` as the text, first brought into [minVal, maxVal] unless the form is loading.
  void setNumber(long double value);

  // Limits. Outside loading, setting the upper limit raises it to at least the lower one, keeps
  // it inside the 32-bit integer range when integer-only, and lowers the number to it when the
  // number is larger; the lower limit likewise. By default the full extended range.
  long double minVal() const { return m_minVal; }
  void setMinVal(long double value);
  long double maxVal() const { return m_maxVal; }
  void setMaxVal(long double value);

  // Only whole numbers; switching it on (outside loading) applies both limits again.
  bool integerOnly() const { return m_integerOnly; }
  void setIntegerOnly(bool integerOnly);

  // Show the number in the "$" hexadecimal form instead of general format.
  bool hex() const { return m_hex; }
  void setHex(bool hex);

  // While the form is loading its stored properties, limits and numbers are taken as given.
  bool loading() const { return m_loading; }
  void setLoading(bool loading) { m_loading = loading; }

  // The label text: caption alone, or caption, " (", unit label, ")" when a unit code is set;
  // the unit label follows the numeric edit control's rule in the field's unit system.
  const std::string& caption() const { return m_caption; }
  void setCaption(std::string caption) { m_caption = std::move(caption); }
  const std::string& unitsString() const { return m_unitsString; }
  void setUnitsString(std::string code) { m_unitsString = std::move(code); }
  int units() const { return m_units; }
  void setUnits(int system);  // brought into 1..3
  std::string labelText() const;

  // The label is enabled together with the field.
  bool enabled() const { return m_enabled; }
  void setEnabled(bool enabled) { m_enabled = enabled; }

  // The check run when the focus leaves the field and on Enter. In order: a fractional value in
  // an integer-only field is refused ("Entry must be an integer."); a value below the lower or
  // above the upper limit is replaced by that limit and refused with "Entry must be greater than
  // or equal to " or "Entry must be less than or equal to " and the formatted limit; an entry
  // that cannot be evaluated is refused with "Entry must be a valid integer." in an integer-only
  // field, else with the evaluator's message; otherwise the text becomes the formatted number
  // and the check succeeds.
  LeaveCheck leaveCheck();
  // Whether the last leave check succeeded.
  bool lastCheckSucceeded() const { return m_lastCheckSucceeded; }

  // A number as the field shows it: general format with 18 significant digits, or the "$" form.
  std::string formatNumber(long double value) const;

  // Whether typing `key` while the whole text is selected moves the caret to the end first, so
  // that an operator (+ - / * ^ = % !) extends the value instead of replacing it.
  static bool keyExtendsValue(char key);

 private:
  // The number when the text holds one; a text that is not an expression is left alone.
  bool currentNumber(long double& value) const;

  std::string m_text = "0";
  long double m_minVal = std::numeric_limits<long double>::lowest();
  long double m_maxVal = std::numeric_limits<long double>::max();
  bool m_integerOnly = false;
  bool m_hex = false;
  bool m_loading = false;
  std::string m_caption;
  std::string m_unitsString;
  int m_units = 1;
  bool m_enabled = true;
  bool m_lastCheckSucceeded = false;
};

}  // namespace korvex
