#include "keychart/key_chart_html.h"

#include "core/error_text.h"

namespace {

// Keys are any printable ASCII: <, > and & among them.
void append_escaped(std::string* out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '<': *out += "&lt;"; break;
      case '>': *out += "&gt;"; break;
      case '&': *out += "&amp;"; break;
      case '"': *out += "&quot;"; break;
      default: *out += c; break;
    }
  }
}

// A row of letters and a row of their keys: ten letters to a row, so a
// printed page holds it.
constexpr int kCellsPerRow = 10;

void append_section(const KeyChart& chart, int first, int end, std::string* out) {
  *out += "<h4>";
  *out += chart_section_title(chart.entries[first].section);
  *out += "</h4>\n<table class=\"keychart\">\n";
  for (int row = first; row < end; row += kCellsPerRow) {
    const int row_end = row + kCellsPerRow < end ? row + kCellsPerRow : end;
    *out += "<tr class=\"letters\">";
    for (int i = row; i < row_end; ++i) {
      const ChartEntry& entry = chart.entries[i];
      *out += "<td>";
      if (entry.section == ChartSection::kKeys) {
        *out += entry.ucode;
      } else {
        char text[3 * kChartTextMax + 1];
        chart_text_utf8(entry, text);
        *out += text;
      }
      *out += "</td>";
    }
    *out += "</tr>\n<tr class=\"keys\">";
    for (int i = row; i < row_end; ++i) {
      const ChartEntry& entry = chart.entries[i];
      *out += "<td>";
      for (int s = 0; s < entry.spelling_count; ++s) {
        if (s > 0) *out += " ";
        *out += "<kbd>";
        append_escaped(out, entry.spellings[s]);
        *out += "</kbd>";
      }
      *out += "</td>";
    }
    *out += "</tr>\n";
  }
  *out += "</table>\n";
}

}  // namespace

void append_key_chart_html(const KeyChart& chart, const char* language_name, const char* font_name,
                           std::string* out) {
  *out += "<h3>";
  append_escaped(out, language_name);
  *out += "</h3>\n<p>Text in the font <b>";
  append_escaped(out, font_name);
  *out += "</b>.</p>\n";
  for (int first = 0; first < chart.count;) {
    int end = first + 1;
    while (end < chart.count && chart.entries[end].section == chart.entries[first].section) ++end;
    append_section(chart, first, end, out);
    first = end;
  }
}

int replace_key_charts(std::string_view page, std::string_view charts, std::string* out) {
  const std::size_t begin = page.find(kKeyChartsBegin);
  const std::size_t end = page.find(kKeyChartsEnd);
  if (begin == std::string_view::npos || end == std::string_view::npos || end < begin) {
    set_error_text("the page has no \"%.*s\" followed by \"%.*s\"\n", static_cast<int>(kKeyChartsBegin.size()),
                   kKeyChartsBegin.data(), static_cast<int>(kKeyChartsEnd.size()), kKeyChartsEnd.data());
    return 0;
  }
  const std::size_t inside = begin + kKeyChartsBegin.size();
  out->assign(page.substr(0, inside));
  *out += "\n";
  *out += charts;
  out->append(page.substr(end));
  return 1;
}
