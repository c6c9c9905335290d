// The key chart window's grid: each section of the chart a heading line,
// then its cells in rows, every section with the same columns. A portable
// decision, so the native tests can reach it.
#pragma once
#include "keychart/key_chart.h"

// Sizes in pixels of the system's DPI.
struct ChartGridMetrics {
  int cell_width;
  int cell_height;
  int heading_height;
  int margin;  // around the chart and between sections
};

struct ChartGrid {
  int columns;
  // The whole chart, margins included; an empty section takes no room.
  int width;
  int height;
  // Where each section's heading begins; its cells follow heading_height below.
  int section_top[kChartSections];
};

// Columns for a chart of `section_cells` cells per section in an area of at
// most max_width x max_height: kChartPreferredColumns (fewer when no
// section has that many cells), more while the chart is taller than the
// area and wider rows still fit, never more than fit (at least one). A chart
// still taller than the area is scrolled.
constexpr int kChartPreferredColumns = 10;
ChartGrid layout_chart_grid(const int (&section_cells)[kChartSections],
                            const ChartGridMetrics& metrics, int max_width, int max_height);
