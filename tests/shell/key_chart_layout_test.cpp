// The key chart's grid: how many columns, how tall, where each section
// begins, for a chart and the area the window may take.
#include "shell/key_chart_layout.h"

#include <gtest/gtest.h>

namespace {

// Cells 40 x 50, headings 20, margins 10; a chart of Vedrokan's shape
// (vowels, vowel signs, consonants, signs).
constexpr ChartGridMetrics kMetrics = {40, 50, 20, 10};
constexpr int kChart[kChartSections] = {14, 13, 41, 16, 0};

TEST(KeyChartLayout, RoomyAreaTakesThePreferredColumnsAndEmptySectionsTakeNoRoom) {
  const ChartGrid grid = layout_chart_grid(kChart, kMetrics, 2000, 2000);
  EXPECT_EQ(kChartPreferredColumns, grid.columns);
  EXPECT_EQ(10 + 10 * 40 + 10, grid.width);
  // Rows: 2 + 2 + 5 + 2; each section adds its heading and a margin.
  EXPECT_EQ(10, grid.section_top[0]);
  EXPECT_EQ(10 + 20 + 2 * 50 + 10, grid.section_top[1]);
  EXPECT_EQ(10 + 4 * 20 + 11 * 50 + 4 * 10, grid.height);
  EXPECT_EQ(grid.height, grid.section_top[4])
      << "the empty kKeys section begins and ends at the bottom";

  const int small[kChartSections] = {0, 0, 0, 0, 3};
  EXPECT_EQ(3, layout_chart_grid(small, kMetrics, 2000, 2000).columns)
      << "no wider than the largest section";
}

TEST(KeyChartLayout, ANarrowAreaTakesTheColumnsThatFitAndNeverFewerThanOne) {
  EXPECT_EQ(6, layout_chart_grid(kChart, kMetrics, 20 + 6 * 40 + 39, 5000).columns);
  const ChartGrid one = layout_chart_grid(kChart, kMetrics, 30, 5000);
  EXPECT_EQ(1, one.columns) << "a cell wider than the area still shows, one per row";
  EXPECT_EQ(10 + 4 * 20 + 84 * 50 + 4 * 10, one.height);
}

TEST(KeyChartLayout, AShortAreaWidensTheGridUntilItFitsOrNoWiderFits) {
  // 14 columns: rows 1 + 1 + 3 + 2 = 7, height 10 + 80 + 350 + 40 = 480.
  const ChartGrid wider = layout_chart_grid(kChart, kMetrics, 2000, 480);
  EXPECT_EQ(14, wider.columns);
  EXPECT_LE(wider.height, 480);

  const ChartGrid capped = layout_chart_grid(kChart, kMetrics, 20 + 12 * 40, 300);
  EXPECT_EQ(12, capped.columns) << "as wide as fits; the window scrolls the rest";
  EXPECT_GT(capped.height, 300);
}

}  // namespace
