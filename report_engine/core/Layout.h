#pragma once
// A report layout as read from its file: the page, the query that brings the records, an optional
// selection formula of its own, the bands with what they print, the groups and the totals.
// Lengths are millimetres from the top-left corner of the band, inside the page margins; font
// sizes are points.

#include "FormulaParser.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace report {

// Defaults of a layout that does not say otherwise.
namespace defaults {
constexpr double kFontSize = 9;     // points
constexpr double kLineWidth = 0.25; // millimetres
constexpr double kMargin = 10;      // millimetres
constexpr uint32_t kColor = 0x000000;
inline const char* const kFontFamily = "DejaVu Sans";
} // namespace defaults

struct Font
{
    std::string family = defaults::kFontFamily;
    double size = defaults::kFontSize;
    bool bold = false;
    bool italic = false;
};

enum class Align
{
    Left,
    Center,
    Right
};

struct Element
{
    enum class Kind
    {
        Text,
        Field,
        Line,
        Box,
        Bar
    };

    Kind kind = Kind::Text;
    double x = 0, y = 0, w = 0, h = 0; // Line: from (x, y) to (x + w, y + h)
    Font font;
    Align align = Align::Left;
    uint32_t color = defaults::kColor;
    bool filled = false;
    uint32_t fill = 0xFFFFFF;
    double lineWidth = defaults::kLineWidth;
    std::string text;               // Text: what it prints
    std::shared_ptr<Formula> value; // Field and Bar: what they show
    std::string format;             // Field: how the value prints (see formatValue)
    std::string csv;                // Field: its column heading in CSV exports
    std::string series;             // Bar: bars of one series share one scale
    int line = 0;                   // where it is written in the layout file
};

struct Band
{
    bool present = false;
    double height = 0;
    std::vector<Element> elements;
    int line = 0;
};

struct TotalDef
{
    enum class Function
    {
        Count,
        Sum,
        SumTime,
        DistinctCount,
        Min,
        Max
    };

    std::string name;
    Function function = Function::Count;
    std::shared_ptr<Formula> value; // what is added up (none for a plain count)
    std::shared_ptr<Formula> where; // which records count (none: all)
    int line = 0;
};

struct Group
{
    std::shared_ptr<Formula> key; // records with equal keys in a row form one group
    bool keepTogether = false;    // start on a new page rather than split, when it fits one
    bool repeatHeader = false;    // print the header again atop a page the group continues on
    Band header;
    Band footer;
    std::vector<TotalDef> totals; // over the group's records
    int line = 0;
};

struct PageSetup
{
    double width = 215.9; // Letter, portrait
    double height = 279.4;
    double margin = defaults::kMargin;

    double contentWidth() const { return width - 2 * margin; }
    double contentHeight() const { return height - 2 * margin; }
};

struct Layout
{
    std::string title; // used when the caller gives none
    PageSetup page;
    std::string query;
    int queryLine = 0;
    std::shared_ptr<Formula> selection; // the layout's own; empty when it has none
    int selectionLine = 0;
    std::vector<TotalDef> totals; // over every selected record
    Band reportHeader, pageHeader, detail, pageFooter, reportFooter;
    std::vector<Group> groups; // outermost first

    bool hasSelection() const { return selection && !selection->empty(); }
};

} // namespace report
