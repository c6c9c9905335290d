#include "shell/key_chart_layout.h"

namespace {

ChartGrid grid_of(const int (&section_cells)[kChartSections], const ChartGridMetrics& metrics,
                  int columns) {
  ChartGrid grid = {};
  grid.columns = columns;
  grid.width = 2 * metrics.margin + columns * metrics.cell_width;
  int y = metrics.margin;
  for (int s = 0; s < kChartSections; ++s) {
    grid.section_top[s] = y;
    if (section_cells[s] <= 0) continue;
    const int rows = (section_cells[s] + columns - 1) / columns;
    y += metrics.heading_height + rows * metrics.cell_height + metrics.margin;
  }
  grid.height = y;
  return grid;
}

}  // namespace

ChartGrid layout_chart_grid(const int (&section_cells)[kChartSections],
                            const ChartGridMetrics& metrics, int max_width, int max_height) {
  int widest = 1;
  for (int cells : section_cells) {
    if (cells > widest) widest = cells;
  }
  int fit = metrics.cell_width > 0 ? (max_width - 2 * metrics.margin) / metrics.cell_width : widest;
  if (fit < 1) fit = 1;
  const int most = widest < fit ? widest : fit;
  int columns = kChartPreferredColumns < most ? kChartPreferredColumns : most;
  ChartGrid grid = grid_of(section_cells, metrics, columns);
  while (grid.height > max_height && columns < most)
    grid = grid_of(section_cells, metrics, ++columns);
  return grid;
}
