// Reads a written .xlsx workbook back for the tests: the zip's parts (through minizip), the
// sheets in workbook order, a cell's text or number, a cell's style, a sheet's hyperlinks and
// the chart of a chart sheet. Only as much of the Open XML layout as the tests look at.
#pragma once

#include <minizip/unzip.h>

#include <charconv>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvex::testing {

class XlsxFile {
 public:
  // Every part of the zip at `path`; none when it is not a readable zip.
  explicit XlsxFile(const std::filesystem::path& path) {
    unzFile zip = unzOpen(path.c_str());
    if (zip == nullptr) return;
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK; at = unzGoToNextFile(zip)) {
      char name[512];
      unz_file_info info;
      if (unzGetCurrentFileInfo(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) break;
      std::string bytes(info.uncompressed_size, '\0');
      if (unzOpenCurrentFile(zip) != UNZ_OK) break;
      const int read = unzReadCurrentFile(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
      unzCloseCurrentFile(zip);
      if (read != static_cast<int>(bytes.size())) break;
      m_parts[name] = bytes;
    }
    unzClose(zip);
    for (const Groups& m : matches(part("xl/sharedStrings.xml"), R"re(<si><t[^>]*>([^<]*)</t></si>)re"))
      m_strings.push_back(unescaped(m[1]));
  }

  bool empty() const { return m_parts.empty(); }
  // The text of a part; "" when the zip has none of that name.
  std::string part(const std::string& name) const {
    const auto found = m_parts.find(name);
    return found == m_parts.end() ? "" : found->second;
  }

  // The sheets' names in the workbook's order (the order of their tabs).
  std::vector<std::string> sheetNames() const {
    std::vector<std::string> names;
    for (const Groups& m : matches(part("xl/workbook.xml"), R"re(<sheet name="([^"]*)")re")) names.push_back(m[1]);
    return names;
  }
  // The part of the sheet `name`: xl/worksheets/... or xl/chartsheets/...; "" when there is none.
  std::string sheetPart(const std::string& name) const {
    for (const Groups& m : matches(part("xl/workbook.xml"), R"re(<sheet name="([^"]*)" sheetId="\d+" r:id="(\w+)")re"))
      if (m[1] == name) return related("xl/workbook.xml", m[2]);
    return "";
  }

  struct Cell {
    std::string text;     // a string's text, or a number as the file writes it
    bool number = false;  // written as a number, not as text
    int style = 0;        // index into the cell formats
    bool operator==(const Cell&) const = default;
  };
  // Cell `ref` ("B2") of sheet `sheet`; an empty text when it has no value.
  Cell cell(const std::string& sheet, const std::string& ref) const {
    const std::string pattern = R"re("( s="(\d+)")?( t="(\w+)")?>(<f>[^<]*</f>)?<v>([^<]*)</v></c>)re";
    const std::vector<Groups> found = matches(part(sheetPart(sheet)), "<c r=\"" + ref + pattern);
    if (found.empty()) return {};
    const Groups& m = found.front();
    Cell c{m[6], m[4] != "s", wholeNumber(m[2])};
    if (!c.number) c.text = m_strings.at(static_cast<std::size_t>(wholeNumber(c.text)));
    return c;
  }
  // Bold and vertically centred: the font and alignment of cell format `style`.
  bool boldAndVerticallyCentred(int style) const {
    const std::string styles = part("xl/styles.xml");
    const std::string xfs = between(styles, "<cellXfs", "</cellXfs>");
    const std::vector<Groups> formats = matches(xfs, R"re(<xf [^>]*fontId="(\d+)"[^>]*?(/>|>(.*?)</xf>))re");
    if (style >= static_cast<int>(formats.size())) return false;
    const Groups& format = formats[static_cast<std::size_t>(style)];
    const std::vector<Groups> fonts = matches(between(styles, "<fonts", "</fonts>"), R"re(<font>(.*?)</font>)re");
    const auto font = static_cast<std::size_t>(wholeNumber(format[1]));
    return font < fonts.size() && fonts[font][1].find("<b/>") != std::string::npos &&
           format[3].find("vertical=\"center\"") != std::string::npos;
  }
  // The width of column `column` (1 for A) of sheet `sheet`; 0 when it keeps the default.
  double columnWidth(const std::string& sheet, int column) const {
    const std::string n = std::to_string(column);
    const std::vector<Groups> found =
        matches(part(sheetPart(sheet)), "<col min=\"" + n + "\" max=\"" + n + "\" width=\"([0-9.]+)\"");
    double width = 0;
    if (!found.empty()) std::from_chars(found[0][1].data(), found[0][1].data() + found[0][1].size(), width);
    return width;
  }
  // The sheet's hyperlinks: cell -> location inside the workbook ("Page_1!A1").
  std::map<std::string, std::string> hyperlinks(const std::string& sheet) const {
    std::map<std::string, std::string> links;
    for (const Groups& m : matches(part(sheetPart(sheet)), R"re(<hyperlink ref="(\w+)" location="([^"]*)")re"))
      links[m[1]] = m[2];
    return links;
  }
  // The chart a chart sheet shows: the chart part's text, through its drawing.
  std::string chartOf(const std::string& chartsheet) const {
    const std::string sheet = sheetPart(chartsheet);
    const std::vector<Groups> drawings = matches(part(sheet), R"re(<drawing r:id="(\w+)")re");
    if (drawings.empty()) return "";
    const std::string drawing = related(sheet, drawings[0][1]);
    const std::vector<Groups> charts = matches(part(drawing), R"re(<c:chart [^>]*r:id="(\w+)")re");
    return charts.empty() ? "" : part(related(drawing, charts[0][1]));
  }

  // The groups of a match: [0] the whole match, then each group ("" when it took no part).
  using Groups = std::vector<std::string>;
  // Every match of `pattern` in `text`, in order.
  static std::vector<Groups> matches(const std::string& text, const std::string& pattern) {
    std::vector<Groups> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
      found.emplace_back(it->begin(), it->end());
    return found;
  }

 private:
  // The part the relationship `id` of part `from` leads to, as a path inside the zip.
  std::string related(const std::string& from, const std::string& id) const {
    const std::filesystem::path source(from);
    const std::string rels = (source.parent_path() / "_rels" / (source.filename().string() + ".rels")).string();
    for (const Groups& m : matches(part(rels), R"re(<Relationship Id="(\w+)" Type="[^"]*" Target="([^"]*)")re"))
      if (m[1] == id) return (source.parent_path() / m[2]).lexically_normal().string();
    return "";
  }
  // The digits of `text` as a number; 0 when it holds none.
  static int wholeNumber(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  }
  static std::string between(const std::string& text, const std::string& open, const std::string& close) {
    const std::size_t start = text.find(open);
    if (start == std::string::npos) return "";
    return text.substr(start, text.find(close, start) - start);
  }
  static std::string unescaped(std::string text) {
    for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
      for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
        text.replace(at, std::string_view(entity).size(), character);
    return text;
  }

  std::map<std::string, std::string> m_parts;
  std::vector<std::string> m_strings;
};

}  // namespace korvex::testing
