#include "Pagination.h"

namespace report {

namespace {

// A little slack so that bands summing exactly to the page's height still fit.
constexpr double kFitSlack = 0.001;

class Paginator
{
public:
    Paginator(const Layout& layout, std::vector<BandInstance>& bands)
        : layout_(layout)
        , bands_(bands)
        , top_(layout.page.margin + (layout.pageHeader.present ? layout.pageHeader.height : 0))
        , bottom_(layout.page.height - layout.page.margin -
                  (layout.pageFooter.present ? layout.pageFooter.height : 0))
    {
    }

    std::vector<Page> run()
    {
        newPage(false);
        for (size_t i = 0; i < bands_.size(); ++i) {
            BandInstance& b = bands_[i];
            if (b.role == BandInstance::Role::GroupHeader)
                closeFrom(b.level); // a sibling group without footer is over
            if (!fits(neededFor(i)) && !pageEmpty_)
                newPage(true);
            place(b);
            pageEmpty_ = false;
            if (b.role == BandInstance::Role::GroupHeader) {
                open_.push_back(&b);
            } else if (b.role == BandInstance::Role::GroupFooter) {
                closeFrom(b.level);
            }
        }
        return std::move(pages_);
    }

private:
    // Forgets the open group headers at `level` and inside it.
    void closeFrom(int level)
    {
        while (!open_.empty() && open_.back()->level >= level)
            open_.pop_back();
    }

    bool fits(double height) const { return y_ + height <= bottom_ + kFitSlack; }

    // The height that must fit before band i is placed on the current page.
    double neededFor(size_t i) const
    {
        const BandInstance& b = bands_[i];
        if (b.role != BandInstance::Role::GroupHeader)
            return b.height;
        if (b.keepTogether && b.groupHeight <= bottom_ - top_ + kFitSlack)
            return b.groupHeight;
        // Keep the header with the first band after it (inner headers included).
        double height = 0;
        size_t k = i;
        while (k < bands_.size() && bands_[k].role == BandInstance::Role::GroupHeader)
            height += bands_[k++].height;
        if (k < bands_.size() && bands_[k].role != BandInstance::Role::ReportFooter)
            height += bands_[k].height;
        return height;
    }

    void newPage(bool continuing)
    {
        pages_.emplace_back();
        y_ = top_;
        pageEmpty_ = true;
        if (!continuing)
            return;
        for (BandInstance* header : open_)
            if (header->repeatHeader)
                place(*header);
    }

    // Puts the band's items on the page: moved, except a group header's, which may be printed
    // again atop the next pages.
    void place(BandInstance& b)
    {
        std::vector<Item>& items = pages_.back().items;
        const bool keep = b.role == BandInstance::Role::GroupHeader;
        for (Item& item : b.items) {
            items.push_back(keep ? item : std::move(item));
            items.back().x += layout_.page.margin;
            items.back().y += y_;
        }
        y_ += b.height;
    }

    const Layout& layout_;
    std::vector<BandInstance>& bands_; // their items are moved onto the pages
    const double top_;
    const double bottom_;
    double y_ = 0;
    bool pageEmpty_ = true;
    std::vector<BandInstance*> open_;
    std::vector<Page> pages_;
};

// The page band's items, placed on the page.
std::vector<Item> pageBand(const Band& band, double top, double margin, const Scope& scope)
{
    if (!band.present)
        return {};
    std::vector<Item> items = instantiate(band, scope);
    for (Item& item : items) {
        item.x += margin;
        item.y += top;
    }
    return items;
}

} // namespace

std::vector<Page> paginate(const Layout& layout, std::vector<BandInstance>& bands,
                           const Scope& base)
{
    std::vector<Page> pages = Paginator(layout, bands).run();
    Scope scope = base;
    scope.record = nullptr;
    scope.pages = int(pages.size());
    const double margin = layout.page.margin;
    for (size_t p = 0; p < pages.size(); ++p) {
        scope.page = int(p + 1);
        std::vector<Item>& items = pages[p].items;
        const std::vector<Item> header = pageBand(layout.pageHeader, margin, margin, scope);
        items.insert(items.begin(), header.begin(), header.end());
        const std::vector<Item> footer =
            pageBand(layout.pageFooter, layout.page.height - margin - layout.pageFooter.height,
                     margin, scope);
        items.insert(items.end(), footer.begin(), footer.end());
    }
    return pages;
}

} // namespace report
