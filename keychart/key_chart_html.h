// The key charts of the help page: each shipped language's chart as HTML,
// kept between two marker comments of the page.
#pragma once
#include <string>
#include <string_view>

#include "keychart/key_chart.h"

constexpr std::string_view kKeyChartsBegin = "<!-- key charts begin -->";
constexpr std::string_view kKeyChartsEnd = "<!-- key charts end -->";

// Appends a heading naming the language and the font its text needs, then a
// table per section: each letter over the keys that type it.
void append_key_chart_html(const KeyChart& chart, const char* language_name, const char* font_name,
                           std::string* out);

// `page` with `charts` in place of what stands between the markers. 1 = done;
// 0 with ErrorText when the page lacks the markers or has them out of order.
int replace_key_charts(std::string_view page, std::string_view charts, std::string* out);
