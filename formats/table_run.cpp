#include "formats/table_run.h"

#include "core/number_text.h"
#include "dialogue/calculation_run.h"
#include "dialogue/prompts.h"

#include <cstddef>

namespace velmora {

namespace {

// Answers a run's prompts in the order a typed run asks them: the count, Ha, Hb, then for each
// section the name of its first point, its length and its height difference, then B's name, with
// Enter at every confirmation and result step. Where the heights are handed on, their prompts
// are answered by whoever they are handed to.
class TableUser : public Prompter, public FieldWriter {
public:
    TableUser(const RouteTable& table, RunObserver& observer,
              std::array<std::string, displayFieldCount>& fieldTexts, Prompter* heights)
        : table_(table)
        , observer_(observer)
        , fieldTexts_(fieldTexts)
        , heights_(heights)
        , count_(integerText(static_cast<long>(table.points.size()) - 2)) {}

    Answer ask(std::string_view message) override {
        if (handsOn(message))
            return heights_->ask(message);
        observer_.asked(message);
        return {std::string(answer(answered_++)), false};
    }

    // Every number of the table was read by the run's rules when the table was, so nothing of it
    // is refused; were it ever, the run would stop rather than go on without a value. A height
    // typed by the user may well be.
    bool offerRetry(std::string_view reason) override {
        return handingOn() && heights_->offerRetry(reason);
    }

    void show(DisplayField field, std::string_view text) override {
        fieldTexts_[static_cast<std::size_t>(field)] = text;
        observer_.show(field, text);
    }

private:
    // In a run whose every value is accepted at once: Ha's prompt, and A's name after Ha and Hb
    // and their confirmations.
    static constexpr std::size_t startHeightStep = 1;
    static constexpr std::size_t startNameStep = 5;

    // The heights take as many prompts as their user needs; A's name is the first prompt after
    // them, whatever came between.
    bool handsOn(std::string_view message) {
        if (!handingOn())
            return false;
        if (message != prompts::startNamePrompt)
            return true;
        answered_ = startNameStep;
        return false;
    }

    bool handingOn() const { return heights_ != nullptr && answered_ == startHeightStep; }

    // The count is taken as it comes; after it, odd steps ask for a value and even ones confirm
    // it.
    std::string_view answer(std::size_t step) const {
        if (step == 0)
            return count_;
        if (step % 2 == 0)
            return {};
        const std::size_t sections = table_.points.size() - 1;
        const std::size_t value = step / 2;
        if (value == 0)
            return table_.startHeight;
        if (value == 1)
            return table_.endHeight;
        const std::size_t entry = value - 2;
        if (entry < 3 * sections) {
            const std::size_t section = entry / 3 + 1;
            switch (entry % 3) {
            case 0:
                return table_.points[section - 1].name;
            case 1:
                return table_.points[section].sectionLength;
            default:
                return table_.points[section].heightDiff;
            }
        }
        if (entry == 3 * sections)
            return table_.points.back().name;
        return {};
    }

    const RouteTable& table_;
    RunObserver& observer_;
    std::array<std::string, displayFieldCount>& fieldTexts_;
    Prompter* heights_;
    std::string count_;
    std::size_t answered_ = 0;
};

StationCounts stationCounts(const RouteTable& table) {
    StationCounts counts;
    if (!table.stationCountsKnown)
        return counts;
    counts.reset(table.points.size());
    for (std::size_t k = 1; k < table.points.size(); ++k)
        counts.at(static_cast<long>(k)) = table.points[k].stationCount;
    return counts;
}

// A run of `table`, its heights its own or, with `heights`, asked of them.
TableRun tableRun(const RouteTable& table, RunObserver& observer, Prompter* heights) {
    TableRun result;
    TableUser user(table, observer, result.fieldTexts, heights);
    run(result.route, user, user, stationCounts(table));
    return result;
}

} // namespace

TableRun runTable(std::string_view bytes) {
    NoObserver observer;
    return runTable(bytes, observer);
}

TableRun runTable(std::string_view bytes, RunObserver& observer) {
    return tableRun(readRouteTable(bytes), observer, nullptr);
}

TableRun runTableAskingHeights(const RouteTable& table, Prompter& heights, RunObserver& observer) {
    return tableRun(table, observer, &heights);
}

} // namespace velmora
