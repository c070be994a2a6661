#pragma once
// Test-side pictures of DataBar width strings, independent of the product's renderer: one
// row, or the stacked layouts with plain light separator rows (readers locate the rows by
// their finders, not by the separator).
#include <string>

#include "support/symbol_image.h"

namespace linnet::testing {

// Widths ("1".."9") of the runs of a module string ('0'/'1').
std::string WidthsFromModules(const std::string& modules);

// Sum of the digits of a width string.
int ModuleCount(const std::string& widths);

// DataBar stacked: upper row 5 modules, one separator, lower row 7 modules.
ModuleRows DataBarStackedRows(const std::string& pattern);
// DataBar stacked omnidirectional: two rows of `rowHeight` modules, three separators.
ModuleRows DataBarStackedOmniRows(const std::string& pattern, int rowHeight = 33);
// DataBar Expanded: guards around each row of `segmentsPerRow` characters (an even number),
// rows that start with an odd pair read right to left as the standard lays them out, three
// light separator rows between rows, each row `rowHeight` modules high.
ModuleRows DataBarExpandedRows(const std::string& pattern, int segmentsPerRow, int rowHeight = 34);

}  // namespace linnet::testing
