#include "Banding.h"

#include "FormulaError.h"
#include "LayoutParser.h"

#include <algorithm>
#include <map>

namespace report {

namespace {

double amountOf(const Value& v)
{
    int64_t s = 0;
    if (v.kind == Value::Kind::Text && parseTime(v.text, s))
        return double(s);
    if (v.kind == Value::Kind::Text || v.isNull())
        return 0;
    return v.number;
}

// Each bar becomes a share of the largest bar of its series in the whole report.
void scaleBars(std::vector<BandInstance>& bands)
{
    std::map<std::string, double> largest;
    for (const BandInstance& b : bands)
        for (const Item& i : b.items)
            if (i.kind == Item::Kind::Bar)
                largest[i.series] = std::max(largest[i.series], i.amount);
    for (BandInstance& b : bands)
        for (Item& i : b.items)
            if (i.kind == Item::Kind::Bar) {
                const double top = largest[i.series];
                i.amount = top > 0 ? std::clamp(i.amount / top, 0.0, 1.0) : 0;
            }
}

class Bander
{
public:
    Bander(const Layout& layout, const TotalSlots& slots, const std::vector<const Record*>& records,
           const Scope& base)
        : layout_(layout)
        , slots_(slots)
        , records_(records)
        , totals_(slots.size())
        , scope_(base)
    {
        scope_.totals = &totals_;
        csvBand_ = layout.detail.present   ? &layout.detail
                   : layout.groups.empty() ? nullptr
                                           : &layout.groups.back().footer;
        if (csvBand_)
            prepareCsv();
    }

    Banded run()
    {
        computeTotals(0, slots_.reportCount, 0, records_.size());
        scope_.record = records_.empty() ? nullptr : records_.front();
        add(layout_.reportHeader, BandInstance::Role::ReportHeader, -1);
        bandLevel(0, 0, records_.size());
        scope_.record = records_.empty() ? nullptr : records_.back();
        add(layout_.reportFooter, BandInstance::Role::ReportFooter, -1);
        scaleBars(out_.bands);
        return std::move(out_);
    }

private:
    // The exported fields of a band, left to right.
    std::vector<size_t> exported(const Band& band, bool onlyHeaded) const
    {
        std::vector<size_t> fields;
        for (size_t i = 0; i < band.elements.size(); ++i) {
            const Element& e = band.elements[i];
            if (e.kind == Element::Kind::Field && (!onlyHeaded || !e.csv.empty()))
                fields.push_back(i);
        }
        std::stable_sort(fields.begin(), fields.end(), [&](size_t a, size_t b) {
            const Element& ea = band.elements[a];
            const Element& eb = band.elements[b];
            return ea.x < eb.x || (ea.x == eb.x && ea.y < eb.y);
        });
        return fields;
    }

    void prepareCsv()
    {
        const size_t levels = layout_.groups.size();
        std::vector<const Band*> bands;
        for (size_t g = 0; g < levels; ++g)
            bands.push_back(&layout_.groups[g].header);
        bands.push_back(csvBand_);
        bool onlyHeaded = false;
        for (const Band* b : bands)
            for (const Element& e : b->elements)
                onlyHeaded = onlyHeaded || (e.kind == Element::Kind::Field && !e.csv.empty());
        for (const Band* b : bands) {
            csvFields_.push_back(exported(*b, onlyHeaded));
            for (size_t i : csvFields_.back()) {
                const Element& e = b->elements[i];
                out_.csv.headings.push_back(e.csv.empty() ? e.value->source : e.csv);
            }
        }
        headerTexts_.resize(levels);
    }

    // Texts of the exported fields of band `slot` (a header level, or the last for the row).
    std::vector<std::string> csvPart(size_t slot, const std::vector<std::string>& texts) const
    {
        std::vector<std::string> part;
        for (size_t i : csvFields_[slot])
            part.push_back(texts[i]);
        return part;
    }

    void computeTotals(size_t firstSlot, size_t lastSlot, size_t first, size_t last)
    {
        for (size_t s = firstSlot; s < lastSlot; ++s) {
            try {
                totals_[s] = computeTotal(*slots_.defs[s], records_, first, last);
            } catch (const FormulaError& e) {
                throw LayoutError(slots_.defs[s]->line, e.what());
            }
        }
    }

    void add(const Band& band, BandInstance::Role role, int level)
    {
        if (!band.present)
            return;
        BandInstance b;
        b.role = role;
        b.level = level;
        b.height = band.height;
        const bool csvHeader =
            role == BandInstance::Role::GroupHeader && size_t(level) < headerTexts_.size();
        if (&band == csvBand_ || csvHeader) {
            std::vector<std::string> texts;
            b.items = instantiate(band, scope_, &texts);
            if (csvHeader) {
                headerTexts_[size_t(level)] = csvPart(size_t(level), texts);
            } else {
                std::vector<std::string> row;
                for (const auto& part : headerTexts_)
                    row.insert(row.end(), part.begin(), part.end());
                const std::vector<std::string> own = csvPart(csvFields_.size() - 1, texts);
                row.insert(row.end(), own.begin(), own.end());
                out_.csv.rows.push_back(std::move(row));
            }
        } else {
            b.items = instantiate(band, scope_);
        }
        out_.bands.push_back(std::move(b));
    }

    Value key(size_t level, size_t record)
    {
        const Formula& f = *layout_.groups[level].key;
        Scope s = scope_;
        s.record = records_[record];
        try {
            return evaluate(*f.root, s);
        } catch (const FormulaError& e) {
            throw LayoutError(layout_.groups[level].line, e.what());
        }
    }

    void bandLevel(size_t level, size_t first, size_t last)
    {
        if (level == layout_.groups.size()) {
            for (size_t r = first; r < last; ++r) {
                scope_.record = records_[r];
                add(layout_.detail, BandInstance::Role::Detail, int(level));
            }
            return;
        }
        const Group& g = layout_.groups[level];
        const size_t firstSlot = slots_.groupFirst[level];
        const size_t lastSlot = firstSlot + g.totals.size();
        size_t i = first;
        while (i < last) {
            const Value k = key(level, i);
            size_t j = i + 1;
            while (j < last && compareValues(key(level, j), k, 1) == 0)
                ++j;
            computeTotals(firstSlot, lastSlot, i, j);
            const size_t headerIndex = out_.bands.size();
            scope_.record = records_[i];
            add(g.header, BandInstance::Role::GroupHeader, int(level));
            const bool hasHeader = out_.bands.size() > headerIndex;
            bandLevel(level + 1, i, j);
            scope_.record = records_[j - 1];
            add(g.footer, BandInstance::Role::GroupFooter, int(level));
            if (hasHeader) {
                BandInstance& h = out_.bands[headerIndex];
                h.keepTogether = g.keepTogether;
                h.repeatHeader = g.repeatHeader;
                for (size_t b = headerIndex; b < out_.bands.size(); ++b)
                    h.groupHeight += out_.bands[b].height;
            }
            i = j;
        }
    }

    const Layout& layout_;
    const TotalSlots& slots_;
    const std::vector<const Record*>& records_;
    std::vector<Value> totals_;
    Scope scope_;
    const Band* csvBand_ = nullptr;
    std::vector<std::vector<size_t>> csvFields_; // per group header level, then the row band
    std::vector<std::vector<std::string>> headerTexts_;
    Banded out_;
};

} // namespace

std::vector<Item> instantiate(const Band& band, const Scope& scope, std::vector<std::string>* texts)
{
    std::vector<Item> items;
    items.reserve(band.elements.size());
    for (const Element& e : band.elements) {
        Item i;
        i.x = e.x;
        i.y = e.y;
        i.w = e.w;
        i.h = e.h;
        i.font = e.font;
        i.align = e.align;
        i.color = e.color;
        i.filled = e.filled;
        i.fill = e.fill;
        i.lineWidth = e.lineWidth;
        try {
            switch (e.kind) {
            case Element::Kind::Text:
                i.kind = Item::Kind::Text;
                i.text = e.text;
                break;
            case Element::Kind::Field:
                i.kind = Item::Kind::Text;
                i.text = formatValue(evaluate(*e.value->root, scope), e.format);
                break;
            case Element::Kind::Line:
                i.kind = Item::Kind::Line;
                break;
            case Element::Kind::Box:
                i.kind = Item::Kind::Box;
                break;
            case Element::Kind::Bar:
                i.kind = Item::Kind::Bar;
                i.amount = amountOf(evaluate(*e.value->root, scope));
                i.series = e.series;
                break;
            }
        } catch (const FormulaError& err) {
            throw LayoutError(e.line, err.what());
        }
        if (texts)
            texts->push_back(i.kind == Item::Kind::Text && e.kind == Element::Kind::Field
                                 ? i.text
                                 : std::string());
        items.push_back(std::move(i));
    }
    return items;
}

Banded bandRecords(const Layout& layout, const TotalSlots& slots,
                   const std::vector<const Record*>& records, const Scope& base)
{
    return Bander(layout, slots, records, base).run();
}

} // namespace report
