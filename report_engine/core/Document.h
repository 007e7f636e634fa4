#pragma once
// What a run of a layout produces: pages of positioned items, ready to paint, and the table of
// the CSV export. Coordinates are millimetres from the page's top-left corner.

#include "Layout.h"

#include <string>
#include <vector>

namespace report {

struct Item
{
    enum class Kind
    {
        Text,
        Line,
        Box,
        Bar
    };

    Kind kind = Kind::Text;
    double x = 0, y = 0, w = 0, h = 0; // Line: from (x, y) to (x + w, y + h)
    std::string text;
    Font font;
    Align align = Align::Left;
    uint32_t color = defaults::kColor;
    bool filled = false;
    uint32_t fill = 0xFFFFFF;
    double lineWidth = defaults::kLineWidth;
    double amount = 0;  // Bar: its value, then its share of the series' largest (0 to 1)
    std::string series; // Bar
};

struct Page
{
    std::vector<Item> items;
};

// One heading per column and one row per exported band (see Banding.h).
struct CsvTable
{
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
};

struct Document
{
    PageSetup page;
    std::string title;
    std::vector<Page> pages;
    CsvTable csv;
    size_t records = 0; // records the selection kept
};

} // namespace report
