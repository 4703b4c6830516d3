#include "formats/table_run.h"

#include "core/number_text.h"
#include "dialogue/calculation_run.h"
#include "formats/route_table.h"

#include <cstddef>

namespace velmora {

namespace {

class NoObserver : public RunObserver {
public:
    void asked(std::string_view /*message*/) override {}
    void show(DisplayField /*field*/, std::string_view /*text*/) override {}
};

// Answers a run's prompts in the order a typed run asks them: the count, Ha, Hb, then for each
// section the name of its first point, its length and its height difference, then B's name, with
// Enter at every confirmation and result step.
class TableUser : public Prompter, public FieldWriter {
public:
    TableUser(const RouteTable& table, RunObserver& observer,
              std::array<std::string, displayFieldCount>& fieldTexts)
        : table_(table)
        , observer_(observer)
        , fieldTexts_(fieldTexts)
        , count_(integerText(static_cast<long>(table.points.size()) - 2)) {}

    Answer ask(std::string_view message) override {
        observer_.asked(message);
        return {std::string(answer(answered_++)), false};
    }

    // Every number was read by the run's rules when the table was, so nothing is refused; were it
    // ever, the run would stop rather than go on without a value.
    bool offerRetry(std::string_view /*reason*/) override { return false; }

    void show(DisplayField field, std::string_view text) override {
        fieldTexts_[static_cast<std::size_t>(field)] = text;
        observer_.show(field, text);
    }

private:
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

} // namespace

TableRun runTable(std::string_view bytes) {
    NoObserver observer;
    return runTable(bytes, observer);
}

TableRun runTable(std::string_view bytes, RunObserver& observer) {
    const RouteTable table = readRouteTable(bytes);
    TableRun result;
    TableUser user(table, observer, result.fieldTexts);
    run(result.route, user, user, stationCounts(table));
    return result;
}

} // namespace velmora
